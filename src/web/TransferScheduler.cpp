#include "TransferScheduler.h"

#include "WebLink.h"

#include <QDateTime>
#include <QTimer>

#include <algorithm>

namespace {

bool isFtp(const TransferRequest& request)
{
    return isFtpUrl(request.url);
}

} // namespace

TransferScheduler::TransferScheduler(Limits limits, QObject* parent)
    : QObject(parent), m_limits(limits), m_multi(limits.bodyBudget)
{
    m_limits.transfers = std::max(1, m_limits.transfers);
    m_limits.transfersPerHost = std::max(1, m_limits.transfersPerHost);
    m_clock.start();
    connect(&m_multi, &CurlMulti::blockArrived, this, &TransferScheduler::onBlockArrived);
    connect(&m_multi, &CurlMulti::finished, this, &TransferScheduler::onFinished);
}

TransferScheduler::Ticket TransferScheduler::add(const TransferRequest& request, quint64 rank, bool cutWhenStreaming)
{
    const Ticket ticket = m_nextTicket++;
    const QString host = requestHost(request.url);
    m_hosts[host].queue.emplace(std::pair(rank, ticket), Queued{request, cutWhenStreaming, false});
    m_queuedHost.insert(ticket, host);
    startQueued();
    return ticket;
}

void TransferScheduler::hurry(Ticket ticket)
{
    if (!m_queuedHost.contains(ticket) || m_hurried == ticket)
        return;
    m_hurried = ticket;
    startQueued();
}

std::map<std::pair<quint64, TransferScheduler::Ticket>, TransferScheduler::Queued>::iterator
TransferScheduler::startable(Host& host)
{
    // Behind a running FTP session, a host's other FTP requests wait; its HTTP requests need not.
    auto it = host.queue.begin();
    while (it != host.queue.end() && host.ftpRunning && isFtp(it->second.request))
        ++it;
    return it;
}

bool TransferScheduler::hasRoom(const Host& host, qint64 now) const
{
    if (host.running >= m_limits.transfersPerHost || now < host.pausedUntil)
        return false;
    return std::any_of(host.queue.begin(), host.queue.end(),
                       [&host](const auto& entry) { return !(host.ftpRunning && isFtp(entry.second.request)); });
}

double TransferScheduler::answerTime(const Host& host, qint64 now) const
{
    if (host.answers > 0)
        return double(host.answerTimeMs);
    const qint64 waited = host.oldestStartMs < 0 ? 0 : now - host.oldestStartMs;
    return double(std::max(m_slowestAnswerMs, waited));
}

double TransferScheduler::remainingTime(const Host& host, qint64 now) const
{
    return double(host.queue.size() + host.running) * std::max(answerTime(host, now), 1.0);
}

std::optional<QString> TransferScheduler::nextHost() const
{
    const qint64 now = m_clock.elapsed();
    if (m_hurried) {
        const QString host = m_queuedHost.value(*m_hurried);
        const auto it = m_hosts.constFind(host);
        if (it != m_hosts.cend() && hasRoom(*it, now))
            return host;
    }
    std::optional<QString> best;
    bool bestUnexplored = false;
    double bestTime = -1;
    quint64 bestRank = 0;
    for (auto it = m_hosts.cbegin(); it != m_hosts.cend(); ++it) {
        const Host& host = *it;
        if (!hasRoom(host, now))
            continue;
        const bool unexplored = isUnexplored(host);
        const double time = remainingTime(host, now);
        const quint64 rank = host.queue.begin()->first.first;
        const bool better =
            unexplored != bestUnexplored ? unexplored : time > bestTime || (time == bestTime && rank < bestRank);
        if (!best || better) {
            bestUnexplored = unexplored;
            best = it.key();
            bestTime = time;
            bestRank = rank;
        }
    }
    return best;
}

void TransferScheduler::startQueued()
{
    while (runningCount() < m_limits.transfers) {
        // While running transfers hold what the budget allows, a new one would only wait.
        if (runningCount() > 0 && m_multi.bufferedBytes() >= m_limits.bodyBudget)
            return;
        const std::optional<QString> hostName = nextHost();
        if (!hostName)
            return;
        start(*hostName, m_hosts[*hostName]);
    }
}

void TransferScheduler::start(const QString& hostName, Host& host)
{
    auto it = startable(host);
    if (m_hurried && m_queuedHost.value(*m_hurried) == hostName) {
        // The hurried request itself, unless an FTP session holds it back.
        const auto hurried = std::find_if(host.queue.begin(), host.queue.end(),
                                          [this](const auto& entry) { return entry.first.second == *m_hurried; });
        if (hurried != host.queue.end() && !(host.ftpRunning && isFtp(hurried->second.request)))
            it = hurried;
    }
    const auto [rank, ticket] = it->first;
    Queued queued = std::move(it->second);
    host.queue.erase(it);
    m_queuedHost.remove(ticket);
    if (m_hurried == ticket)
        m_hurried.reset();
    if (host.unresolved && m_clock.elapsed() - host.unresolved->second < UnresolvedForSeconds * 1000) {
        endUnresolved(ticket, queued, host.unresolved->first);
        return;
    }

    if (host.running++ == 0)
        host.oldestStartMs = m_clock.elapsed();
    host.ftpRunning = host.ftpRunning || isFtp(queued.request);
    const quint64 id = m_multi.start(queued.request);
    m_running.emplace(id, Running{ticket, rank, hostName, std::move(queued), CutCounter(), false, m_clock.elapsed()});
    m_peakRunning = std::max(m_peakRunning, runningCount());
    m_peakPerHost = std::max(m_peakPerHost, host.running);
}

void TransferScheduler::endUnresolved(Ticket ticket, const Queued& queued, const TransferResult& failure)
{
    TransferResult result = failure;
    result.finalUrl = queued.request.url;
    m_outcomes[ticket] = Outcome{result, false};
    // Ends are reported through the event loop only, so that whoever added the ticket knows it by then.
    QTimer::singleShot(0, this, [this, ticket] {
        if (m_outcomes.count(ticket))
            emit ended(ticket);
    });
}

void TransferScheduler::onBlockArrived(quint64 id)
{
    const auto it = m_running.find(id);
    if (it == m_running.end() || !it->second.queued.cutWhenStreaming || it->second.cut)
        return;
    if (it->second.counter.cutsAtBlock()) {
        it->second.cut = true;
        m_multi.cancel(id);
    }
}

std::optional<qint64> TransferScheduler::retryDelayMs(const Running& running, const TransferResult& result) const
{
    if (running.queued.retried || running.cut || (result.status != 429 && result.status != 503))
        return std::nullopt;
    const QString value = result.header(QStringLiteral("Retry-After"));
    bool isNumber = false;
    const qint64 seconds = value.toLongLong(&isNumber);
    qint64 delayMs = -1;
    if (isNumber) {
        delayMs = seconds * 1000;
    } else {
        // The other form is an HTTP date.
        const QDateTime when = QDateTime::fromString(value, Qt::RFC2822Date);
        if (when.isValid())
            delayMs = std::max<qint64>(0, QDateTime::currentDateTimeUtc().msecsTo(when));
    }
    if (delayMs < 0 || delayMs > MaxRetryAfterSeconds * 1000)
        return std::nullopt;
    return delayMs;
}

void TransferScheduler::noteAnswerTime(Host& host, qint64 durationMs)
{
    host.answerTimeMs = (host.answerTimeMs * host.answers + durationMs) / (host.answers + 1);
    ++host.answers;
    m_slowestAnswerMs = std::max(m_slowestAnswerMs, durationMs);
}

void TransferScheduler::onFinished(quint64 id, const TransferResult& result)
{
    const auto it = m_running.find(id);
    if (it == m_running.end())
        return; // cancelled by cancelAll or reset, whose outcome is already set
    Running running = std::move(it->second);
    m_running.erase(it);
    Host& host = m_hosts[running.host];
    if (--host.running == 0)
        host.oldestStartMs = -1;
    if (isFtp(running.queued.request))
        host.ftpRunning = false;
    if (result.outcome != TransferResult::Outcome::Cancelled)
        noteAnswerTime(host, m_clock.elapsed() - running.startedMs);
    // Only the request's own host: a redirect to a host that does not resolve says nothing of this one.
    if (result.failure == WebFailure::HostNotFound && result.redirects == 0)
        host.unresolved = std::pair(result, m_clock.elapsed());

    if (const auto delay = retryDelayMs(running, result)) {
        // Asked once more once the server's wait is over; the host's queue waits as well.
        running.queued.retried = true;
        host.pausedUntil = std::max(host.pausedUntil, m_clock.elapsed() + *delay);
        host.queue.emplace(std::pair(running.rank, running.ticket), std::move(running.queued));
        m_queuedHost.insert(running.ticket, running.host);
        QTimer::singleShot(int(*delay) + 1, this, &TransferScheduler::startQueued);
        startQueued();
        return;
    }
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

void TransferScheduler::stopRunning(std::unordered_map<quint64, Running>::iterator running)
{
    // CurlMulti reports the cancel on its next turn; that report finds nothing here any more.
    m_multi.cancel(running->first);
    Host& host = m_hosts[running->second.host];
    if (--host.running == 0)
        host.oldestStartMs = -1;
    if (isFtp(running->second.queued.request))
        host.ftpRunning = false;
    m_running.erase(running);
}

void TransferScheduler::cancel(const QSet<Ticket>& tickets)
{
    if (tickets.isEmpty())
        return;
    for (const Ticket ticket : tickets) {
        m_outcomes.erase(ticket);
        const auto queued = m_queuedHost.constFind(ticket);
        if (queued == m_queuedHost.cend())
            continue;
        auto& queue = m_hosts[*queued].queue;
        queue.erase(std::find_if(queue.begin(), queue.end(),
                                 [ticket](const auto& entry) { return entry.first.second == ticket; }));
        m_queuedHost.erase(queued);
        if (m_hurried == ticket)
            m_hurried.reset();
    }
    for (auto it = m_running.begin(); it != m_running.end();) {
        const auto running = it++;
        if (tickets.contains(running->second.ticket))
            stopRunning(running);
    }
    startQueued();
}
