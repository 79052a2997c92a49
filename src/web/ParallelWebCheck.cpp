#include "ParallelWebCheck.h"

#include "WebCheck.h"
#include "common/RunState.h"

#include <QCoreApplication>

#include <algorithm>

namespace {

// A link's own request comes before its probe, and both before anything of the next link.
quint64 linkRank(int index)
{
    return 2 * quint64(index);
}

quint64 probeRank(int index)
{
    return 2 * quint64(index) + 1;
}

// The link answered: it completed, or the cut rule ended it (which counts as an answer).
bool isAnswer(const TransferScheduler::Outcome& outcome)
{
    return outcome.cut || outcome.result.outcome == TransferResult::Outcome::Completed;
}

} // namespace

ParallelWebCheck::ParallelWebCheck(const AbortRequest& abort, WebCheck& web, TransferScheduler::Limits limits,
                                   QObject* parent)
    : QObject(parent), m_abort(abort), m_web(web), m_scheduler(limits)
{
    connect(&m_scheduler, &TransferScheduler::ended, this, &ParallelWebCheck::onEnded);
    // Once the hidden transfer window is gone no request may run: the rest of the run fails like the
    // one-at-a-time check does without the window.
    connect(&m_web, &WebCheck::inetObjectCleared, this, [this] { m_scheduler.cancelAll(); });
}

bool ParallelWebCheck::mayRequest() const
{
    return m_web.hasInetObject() && !m_abort.isRequested();
}

void ParallelWebCheck::prefetch(const QStringList& urls)
{
    endRun();
    // Without the window each link goes to the one-at-a-time check, which makes no request then either.
    if (!mayRequest())
        return;
    m_run = std::make_unique<Run>();
    m_run->occurrences.reserve(urls.size());
    for (const QString& url : urls) {
        const int index = int(m_run->occurrences.size());
        Occurrence& occurrence = m_run->occurrences.emplace_back(Occurrence{url, prepareWebLink(url), 0, {}});
        const WebLink& link = occurrence.link;
        m_run->byHost[link.host].push_back(index);
        if (link.probeHost != link.host)
            m_run->byHost[link.probeHost].push_back(index);
        // Ends are reported through the event loop only, so the ticket is known here before its end.
        occurrence.linkTicket = m_scheduler.add(m_web.linkRequest(link.url), linkRank(index), link.cutKind);
        m_run->byTicket.insert(occurrence.linkTicket, index);
    }
}

void ParallelWebCheck::cancelPrefetch()
{
    endRun();
}

void ParallelWebCheck::endRun()
{
    m_scheduler.reset();
    m_run.reset();
}

bool ParallelWebCheck::checkWebLink(const QString& url)
{
    if (!m_run || m_run->next >= int(m_run->occurrences.size()) || m_run->occurrences[m_run->next].written != url) {
        // Not the URL announced next: the run's order is lost, so this one and the rest go one at a time.
        endRun();
        return m_web.checkWebLink(url);
    }
    const int index = m_run->next;
    Occurrence& occurrence = m_run->occurrences[index];
    const bool wasFull = m_web.isNotFoundCacheFull();
    const bool exists = m_web.decideWebLink(
        occurrence.link, [&] { return answerOf(occurrence); }, [&] { return probeOf(occurrence, index); });

    m_scheduler.release(occurrence.linkTicket);
    if (occurrence.probeTicket)
        m_scheduler.release(*occurrence.probeTicket);
    ++m_run->next;
    // This link no longer holds back later probes of its hosts; a cache that just filled up holds back none.
    if (!wasFull && m_web.isNotFoundCacheFull()) {
        for (auto it = m_run->byHost.cbegin(); it != m_run->byHost.cend(); ++it)
            requestCertainProbes(it.key());
    } else {
        requestCertainProbes(occurrence.link);
    }
    return exists;
}

const TransferScheduler::Outcome& ParallelWebCheck::await(TransferScheduler::Ticket ticket)
{
    while (true) {
        // A stop, or the window going away, ends every request at once; this one then ends cancelled.
        if (!mayRequest())
            m_scheduler.cancelAll();
        if (const TransferScheduler::Outcome* outcome = m_scheduler.outcome(ticket))
            return *outcome;
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
}

std::optional<WebAnswer> ParallelWebCheck::answerOf(const Occurrence& occurrence)
{
    const TransferScheduler::Outcome& outcome = await(occurrence.linkTicket);
    if (!isAnswer(outcome) || !m_web.hasInetObject())
        return std::nullopt;
    const TransferResult& result = outcome.result;
    return m_web.readAnswer(occurrence.link, result.body, outcome.cut, result.status,
                            [&result](const QString& name) { return result.header(name); });
}

std::optional<QByteArray> ParallelWebCheck::probeOf(Occurrence& occurrence, int index)
{
    if (!occurrence.probeTicket) {
        // Stopped: a probe started now would only be cancelled.
        if (!mayRequest())
            return std::nullopt;
        requestProbe(occurrence, index);
    }
    const TransferScheduler::Outcome& outcome = await(*occurrence.probeTicket);
    if (outcome.result.outcome != TransferResult::Outcome::Completed)
        return std::nullopt;
    return outcome.result.body;
}

void ParallelWebCheck::requestProbe(Occurrence& occurrence, int index)
{
    occurrence.probeTicket = m_scheduler.add(m_web.linkRequest(occurrence.link.probeUrl), probeRank(index), false);
    m_run->byTicket.insert(*occurrence.probeTicket, index);
}

void ParallelWebCheck::onEnded(TransferScheduler::Ticket ticket)
{
    if (!m_run)
        return;
    const auto it = m_run->byTicket.constFind(ticket);
    if (it == m_run->byTicket.cend())
        return;
    requestCertainProbes(m_run->occurrences[*it].link);
}

void ParallelWebCheck::requestCertainProbes(const WebLink& link)
{
    requestCertainProbes(link.host);
    if (link.probeHost != link.host)
        requestCertainProbes(link.probeHost);
}

bool ParallelWebCheck::answered(const Occurrence& occurrence) const
{
    const TransferScheduler::Outcome* outcome = m_scheduler.outcome(occurrence.linkTicket);
    return outcome && isAnswer(*outcome);
}

bool ParallelWebCheck::mayStoreNotFound(const Occurrence& occurrence) const
{
    const TransferScheduler::Outcome* link = m_scheduler.outcome(occurrence.linkTicket);
    if (link && !isAnswer(*link))
        return false; // a failed link makes no probe
    if (!occurrence.probeTicket)
        return true;
    const TransferScheduler::Outcome* probe = m_scheduler.outcome(*occurrence.probeTicket);
    return !probe || (probe->result.outcome == TransferResult::Outcome::Completed && !probe->result.body.isEmpty());
}

void ParallelWebCheck::requestCertainProbes(const QString& host)
{
    // One at a time, a link that answered probes exactly when its host is not cached at its turn. Only an
    // undecided earlier link whose probe host this is can still put the host into the cache (and only while
    // the cache has room); once none of them may, the probe of every answered link of the host is certain.
    if (!m_run || !mayRequest() || m_web.hasNotFoundAnswer(host))
        return;
    const auto members = m_run->byHost.constFind(host);
    if (members == m_run->byHost.cend())
        return;
    const bool full = m_web.isNotFoundCacheFull();
    for (auto it = std::lower_bound(members->cbegin(), members->cend(), m_run->next); it != members->cend(); ++it) {
        Occurrence& occurrence = m_run->occurrences[*it];
        if (occurrence.link.host == host && !occurrence.probeTicket && answered(occurrence))
            requestProbe(occurrence, *it);
        if (!full && occurrence.link.probeHost == host && mayStoreNotFound(occurrence))
            return;
    }
}
