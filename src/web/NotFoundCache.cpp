#include "NotFoundCache.h"

const NotFoundAnswer* NotFoundCache::find(const QString& host) const
{
    for (const auto& [entryHost, answer] : m_entries) {
        if (entryHost == host)
            return &answer;
    }
    return nullptr;
}

void NotFoundCache::store(const QString& host, NotFoundAnswer answer)
{
    if (!isFull() && !contains(host))
        m_entries.emplace_back(host, std::move(answer));
}
