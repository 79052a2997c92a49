#include "TransferScheduler.h"

#include "InetControl.h"
#include "WebLink.h"

#include <algorithm>

TransferScheduler::TransferScheduler(Limits limits, QObject* parent) : QObject(parent), m_limits(limits)
{
    m_limits.transfers = std::max(1, m_limits.transfers);
    m_limits.transfersPerHost = std::max(1, m_limits.transfersPerHost);
    connect(&m_multi, &CurlMulti::blockArrived, this, &TransferScheduler::onBlockArrived);
    connect(&m_multi, &CurlMulti::finished, this, &TransferScheduler::onFinished);
}

TransferScheduler::Ticket TransferScheduler::add(const TransferRequest& request, quint64 rank, bool cutWhenStreaming)
{
    const Ticket ticket = m_nextTicket++;
    m_queue.emplace(std::pair(rank, ticket),
                    Queued{request, requestHost(request.url), isFtpUrl(request.url), cutWhenStreaming});
    startQueued();
    return ticket;
}

bool TransferScheduler::hasRoom(const Queued& queued) const
{
    return m_runningPerHost.value(queued.host) < m_limits.transfersPerHost &&
           !(queued.ftp && m_ftpHosts.contains(queued.host));
}

void TransferScheduler::startQueued()
{
    // The first queued request whose host has room goes next: a busy host does not hold up the others.
    auto it = m_queue.begin();
    while (it != m_queue.end() && runningCount() < m_limits.transfers) {
        if (!hasRoom(it->second)) {
            ++it;
            continue;
        }
        const Ticket ticket = it->first.second;
        Queued queued = std::move(it->second);
        it = m_queue.erase(it);
        start(ticket, std::move(queued));
    }
}

void TransferScheduler::start(Ticket ticket, Queued queued)
{
    const int toHost = ++m_runningPerHost[queued.host];
    if (queued.ftp)
        m_ftpHosts.insert(queued.host);
    const quint64 id = m_multi.start(queued.request);
    m_running.emplace(
        id, Running{ticket, std::move(queued.host), queued.ftp, queued.cutWhenStreaming, CutCounter(), false});
    m_peakRunning = std::max(m_peakRunning, runningCount());
    m_peakPerHost = std::max(m_peakPerHost, toHost);
}

void TransferScheduler::onBlockArrived(quint64 id)
{
    const auto it = m_running.find(id);
    if (it == m_running.end() || !it->second.cutWhenStreaming || it->second.cut)
        return;
    // Every block is a state report of its own transfer, as the handler sees them one request at a time.
    if (it->second.counter.cutsAt(InetControl::StateBlockArrived)) {
        it->second.cut = true;
        m_multi.cancel(id);
    }
}

void TransferScheduler::onFinished(quint64 id, const TransferResult& result)
{
    const auto it = m_running.find(id);
    if (it == m_running.end())
        return; // cancelled by cancelAll or reset, whose outcome is already set
    const Running running = std::move(it->second);
    m_running.erase(it);
    if (--m_runningPerHost[running.host] == 0)
        m_runningPerHost.remove(running.host);
    if (running.ftp)
        m_ftpHosts.remove(running.host);
    m_outcomes[running.ticket] = Outcome{result, running.cut};
    startQueued();
    emit ended(running.ticket);
}

const TransferScheduler::Outcome* TransferScheduler::outcome(Ticket ticket) const
{
    const auto it = m_outcomes.find(ticket);
    return it == m_outcomes.end() ? nullptr : &it->second;
}

void TransferScheduler::release(Ticket ticket)
{
    m_outcomes.erase(ticket);
}

void TransferScheduler::cancelRunning()
{
    // CurlMulti reports the cancels on its next turn; those reports find nothing here any more.
    for (const auto& [id, running] : m_running)
        m_multi.cancel(id);
    m_running.clear();
    m_runningPerHost.clear();
    m_ftpHosts.clear();
}

void TransferScheduler::cancelAll()
{
    Outcome cancelled;
    cancelled.result.outcome = TransferResult::Outcome::Cancelled;
    cancelled.result.errorText = QStringLiteral("cancelled");
    for (const auto& [id, running] : m_running)
        m_outcomes[running.ticket] = cancelled;
    for (const auto& [key, queued] : m_queue)
        m_outcomes[key.second] = cancelled;
    m_queue.clear();
    cancelRunning();
}

void TransferScheduler::reset()
{
    m_queue.clear();
    cancelRunning();
    m_outcomes.clear();
}
