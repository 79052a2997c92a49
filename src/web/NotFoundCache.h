#pragma once

#include "WebAnswer.h"

#include <QString>

#include <utility>
#include <vector>

// The not-found answers of the hosts of one document: at most Capacity hosts, in the order they were
// stored, never pruned; a host past the capacity is probed again for every link.
class NotFoundCache {
public:
    static constexpr int Capacity = 20;

    // The answer stored for a host (compared exactly, letter case included); null when none.
    const NotFoundAnswer* find(const QString& host) const;
    bool contains(const QString& host) const { return find(host) != nullptr; }
    bool isFull() const { return int(m_entries.size()) >= Capacity; }
    int size() const { return int(m_entries.size()); }
    // Stores the answer when there is room and the host has none yet.
    void store(const QString& host, NotFoundAnswer answer);
    void clear() { m_entries.clear(); }

private:
    std::vector<std::pair<QString, NotFoundAnswer>> m_entries;
};
