#include "LinkRegistry.h"

int LinkRegistry::add(LinkResult result, LinkReason reason)
{
    m_entries.push_back({result, std::move(reason)});
    return int(m_entries.size());
}

const LinkRegistry::Entry* LinkRegistry::find(int id) const
{
    return id >= 1 && id <= int(m_entries.size()) ? &m_entries[size_t(id - 1)] : nullptr;
}
