#pragma once

#include <QtGlobal>

#include <algorithm>

// The bytes that running transfers hold, shared by all transfers of one CurlMulti. A transfer may always
// hold its first Allowance bytes; past that, a block that would take the total over the limit waits (the
// transfer is paused) until finished transfers have given their bytes back. One transfer at a time, the
// leader, may go on past the limit, so that one always runs to its end and gives its bytes back. So a
// check of many large pages holds about the limit however many run at once, while small pages never wait.
struct BodyBudget {
    static constexpr qint64 DefaultLimit = 64 * 1024 * 1024;
    static constexpr qint64 Allowance = 64 * 1024;

    qint64 limit = DefaultLimit;
    qint64 held = 0;
    qint64 peak = 0;    // the most held at once, for measurements
    quint64 leader = 0; // the transfer allowed past the limit; 0 when none

    bool admits(quint64 transfer, qint64 alreadyHeld, qint64 more)
    {
        return alreadyHeld < Allowance || held + more <= limit || mayLead(transfer);
    }
    // Whether a waiting transfer may go on now: while there is room, or as the leader.
    bool mayResume(quint64 transfer) { return held < limit || mayLead(transfer); }
    bool mayLead(quint64 transfer)
    {
        if (leader == 0)
            leader = transfer;
        return leader == transfer;
    }
    void take(qint64 bytes)
    {
        held += bytes;
        peak = std::max(peak, held);
    }
    // A transfer gives its bytes back.
    void release(quint64 transfer, qint64 bytes)
    {
        held -= bytes;
        if (leader == transfer)
            leader = 0;
    }
};
