#include "WebCheckRun.h"

#include "common/SearchCopy.h"
#include "links/AnchorIndex.h"

#include <QPointer>
#include <QTimer>

#include <algorithm>

namespace {

// The order of a host's requests. A probe whose answer may go into the cache comes first: until the
// cache is known to be full, later hosts cannot know whether they probe. Then the links, whose answers
// let their probes start; then the other probes, in order each.
enum Tier : int { CacheProbe, Link, Probe };

// The link answered: it completed, or the cut rule ended it (which counts as an answer). The deadline
// ends an answer too, which counts only for links judged on their arrival, not their page (cutKind).
bool isAnswer(const TransferScheduler::Outcome& outcome, const WebLink& link)
{
    if (outcome.result.pastDeadline && !link.cutKind)
        return false;
    return outcome.cut || outcome.result.outcome == TransferResult::Outcome::Completed;
}

} // namespace

struct WebCheckRun::Occurrence {
    enum class State { Waiting, Answered, Failed };

    WebLink link;
    TransferScheduler::Ticket linkTicket = 0;
    std::optional<TransferScheduler::Ticket> probeTicket;
    bool probeRequested = false;
    State state = State::Waiting;
    std::optional<WebAnswer> answer; // once answered
    WebVerdict failure;              // once failed
    bool probeEnded = false;
    std::optional<NotFoundAnswer> probe; // once ended: nothing when the probe failed
};

WebCheckRun::WebCheckRun(Setup setup, const QStringList& urls, WebRunCallbacks callbacks)
    : m_setup(std::move(setup)), m_callbacks(std::move(callbacks))
{
    m_occurrences.reserve(urls.size());
    for (const QString& url : urls) {
        const int index = int(m_occurrences.size());
        Occurrence& occurrence = m_occurrences.emplace_back();
        occurrence.link = prepareWebLink(url);
        const WebLink& link = occurrence.link;
        m_byHost[link.host].push_back(index);
        if (link.probeHost != link.host)
            m_byHost[link.probeHost].push_back(index);
    }
    connect(&m_setup.scheduler, &TransferScheduler::ended, this, &WebCheckRun::onEnded);
    QTimer::singleShot(0, this, &WebCheckRun::begin);
}

WebCheckRun::~WebCheckRun()
{
    QSet<TransferScheduler::Ticket> running;
    for (auto it = m_byTicket.cbegin(); it != m_byTicket.cend(); ++it)
        running.insert(it.key());
    m_setup.scheduler.cancel(running);
}

quint64 WebCheckRun::rankOf(int tier, int index) const
{
    return quint64(tier) * quint64(m_occurrences.size()) + quint64(index);
}

TransferScheduler::Ticket WebCheckRun::add(const TransferRequest& request, int index, quint64 rank,
                                           bool cutWhenStreaming)
{
    // Ends are reported through the event loop only, so the ticket is known here before its end.
    const TransferScheduler::Ticket ticket = m_setup.scheduler.add(request, rank, cutWhenStreaming);
    m_byTicket.insert(ticket, index);
    return ticket;
}

void WebCheckRun::begin()
{
    const QPointer<WebCheckRun> alive(this);
    m_cacheFullFrom = cacheFullFrom();
    for (int index = 0; index < int(m_occurrences.size()); ++index) {
        Occurrence& occurrence = m_occurrences[index];
        if (!takeRememberedLink(occurrence))
            occurrence.linkTicket =
                add(m_setup.linkRequest(occurrence.link.url), index, rankOf(Link, index), occurrence.link.cutKind);
    }
    // Remembered answers count as arrived at once, and may make probes certain.
    for (int index = 0; index < int(m_occurrences.size()) && alive; ++index) {
        if (m_occurrences[index].state != Occurrence::State::Waiting)
            linkEnded(index);
    }
    if (alive)
        advance();
}

void WebCheckRun::advance()
{
    const QPointer<WebCheckRun> alive(this);
    while (m_next < int(m_occurrences.size())) {
        Occurrence& occurrence = m_occurrences[m_next];
        if (occurrence.state == Occurrence::State::Waiting) {
            m_setup.scheduler.hurry(occurrence.linkTicket);
            return;
        }
        if (occurrence.state == Occurrence::State::Answered && !m_setup.notFound.contains(occurrence.link.host)) {
            if (!occurrence.probeRequested)
                requestProbe(m_next);
            if (!occurrence.probeEnded) {
                m_setup.scheduler.hurry(*occurrence.probeTicket);
                return;
            }
        }
        const int index = m_next;
        const WebVerdict verdict = decideNext();
        m_callbacks.decided(index, verdict);
        if (!alive)
            return;
    }
}

WebVerdict WebCheckRun::decideNext()
{
    const int index = m_next;
    Occurrence& occurrence = m_occurrences[index];
    NotFoundCache& cache = m_setup.notFound;
    WebVerdict verdict = occurrence.failure;
    if (occurrence.state == Occurrence::State::Answered) {
        const WebLink& link = occurrence.link;
        NotFoundAnswer notFound;
        if (const NotFoundAnswer* cached = cache.find(link.host)) {
            notFound = *cached;
        } else if (occurrence.probe) {
            notFound = *occurrence.probe;
            if (!notFound.page().isEmpty() && !notFound.isReduced())
                cache.store(link.probeHost, notFound);
        }
        verdict = judgeWebAnswer(*occurrence.answer, notFound, link.probeUrl, link.hasFragment, link.cutKind);
        if (verdict.reason == WebReason::HttpError && m_setup.acceptedStatuses.contains(verdict.status)) {
            verdict.exists = true;
            verdict.reason = WebReason::AcceptedStatus;
        }
    }

    const bool wasFull = cache.isFull();
    m_next = index + 1;
    // This link no longer holds back later probes of its hosts; a cache that just filled up holds back none.
    if (!wasFull && cache.isFull()) {
        requestAllCertainProbes();
    } else {
        requestCertainProbes(occurrence.link.host);
        requestCertainProbes(occurrence.link.probeHost);
    }
    return verdict;
}

void WebCheckRun::onEnded(TransferScheduler::Ticket ticket)
{
    const auto it = m_byTicket.constFind(ticket);
    const TransferScheduler::Outcome* outcome = m_setup.scheduler.outcome(ticket);
    if (it == m_byTicket.cend() || !outcome)
        return;
    const int index = *it;
    m_byTicket.erase(it);
    Occurrence& occurrence = m_occurrences[index];
    if (ticket == occurrence.linkTicket) {
        takeLinkOutcome(occurrence, *outcome);
        m_setup.scheduler.release(ticket);
        const QPointer<WebCheckRun> alive(this);
        linkEnded(index);
        if (!alive)
            return;
    } else {
        takeProbeOutcome(index, *outcome);
        m_setup.scheduler.release(ticket);
    }
    advance();
}

void WebCheckRun::linkEnded(int index)
{
    const Occurrence& occurrence = m_occurrences[index];
    const QString& host = occurrence.link.host;
    if (!m_unblocked.contains(host))
        requestCertainProbes(host);
    else if (occurrence.state == Occurrence::State::Answered && !m_setup.notFound.contains(host))
        requestProbe(index);
    ++m_answered;
    if (m_callbacks.answered)
        m_callbacks.answered(m_answered);
}

void WebCheckRun::takeLinkOutcome(Occurrence& occurrence, const TransferScheduler::Outcome& outcome)
{
    AnswerMemo::LinkEntry entry;
    if (isAnswer(outcome, occurrence.link))
        entry = readAnswer(occurrence.link, outcome);
    else
        entry.failure = noAnswerVerdict(outcome.result);
    takeLinkEntry(occurrence, entry);
    if (m_setup.memo)
        m_setup.memo->rememberLink(occurrence.link.url, std::move(entry));
}

void WebCheckRun::takeLinkEntry(Occurrence& occurrence, const AnswerMemo::LinkEntry& entry)
{
    if (!entry.answer) {
        occurrence.failure = entry.failure;
        occurrence.state = Occurrence::State::Failed;
        return;
    }
    occurrence.answer = entry.answer;
    if (entry.anchors)
        occurrence.answer->fragmentFound =
            entry.anchors->match(occurrence.link.fragment).kind == FragmentMatch::Kind::Found;
    occurrence.state = Occurrence::State::Answered;
}

bool WebCheckRun::takeRememberedLink(Occurrence& occurrence)
{
    const AnswerMemo::LinkEntry* entry = m_setup.memo ? m_setup.memo->link(occurrence.link.url) : nullptr;
    // A page remembered without its anchors cannot say whether it holds this link's fragment.
    if (!entry || (entry->answer && occurrence.link.hasFragment && !entry->anchors && !entry->answer->page.isEmpty()))
        return false;
    takeLinkEntry(occurrence, *entry);
    return true;
}

void WebCheckRun::takeProbeOutcome(int index, const TransferScheduler::Outcome& outcome)
{
    if (outcome.result.outcome != TransferResult::Outcome::Completed) {
        takeProbeAnswer(index, std::nullopt);
        return;
    }
    const QString text = outcome.result.body.isEmpty() ? QString() : m_setup.decode(outcome.result.body);
    if (m_setup.memo)
        m_setup.memo->rememberNotFound(m_occurrences[index].link.probeUrl, text);
    takeProbeAnswer(index, NotFoundAnswer(text));
}

void WebCheckRun::takeProbeAnswer(int index, std::optional<NotFoundAnswer> answer)
{
    Occurrence& occurrence = m_occurrences[index];
    occurrence.probeEnded = true;
    if (answer) {
        // A probe that can no longer be cached is kept only as far as its own link compares it.
        if (index >= m_cacheFullFrom || m_setup.notFound.contains(occurrence.link.probeHost))
            answer = answer->reducedFor(occurrence.link.probeUrl);
        else if (!answer->page().isEmpty() && occurrence.state == Occurrence::State::Answered)
            m_storing.insert(index);
    }
    occurrence.probe = std::move(answer);
    updateCacheFullFrom();
}

AnswerMemo::LinkEntry WebCheckRun::readAnswer(const WebLink& link, const TransferScheduler::Outcome& outcome) const
{
    const TransferResult& result = outcome.result;
    AnswerMemo::LinkEntry entry;
    WebAnswer& answer = entry.answer.emplace();
    answer.status = link.isHttp ? result.status : 0;
    answer.cut = outcome.cut;
    answer.finalUrl = result.finalUrl;
    answer.redirects = result.redirects;
    answer.permanentRedirect = result.permanentRedirect;
    answer.redirectedToFtp =
        link.isHttp && result.redirects > 0 && result.finalUrl.startsWith(u"ftp:", Qt::CaseInsensitive);
    // The body of an FTP or .EXE link is never read, and with no page there are no headers to read.
    if (link.cutKind || answer.redirectedToFtp || result.body.isEmpty())
        return entry;
    const QString page = m_setup.decode(result.body);
    answer.page = PageFingerprint::of(page);
    answer.server = result.header(QStringLiteral("Server"));
    answer.lastModified = result.header(QStringLiteral("Last-modified"));
    answer.date = result.header(QStringLiteral("Date"));
    if (link.hasFragment)
        entry.anchors = AnchorIndex(page, makeSearchCopy(page));
    return entry;
}

void WebCheckRun::requestProbe(int index)
{
    Occurrence& occurrence = m_occurrences[index];
    occurrence.probeRequested = true;
    if (const NotFoundAnswer* remembered = m_setup.memo ? m_setup.memo->notFound(occurrence.link.probeUrl) : nullptr) {
        takeProbeAnswer(index, *remembered);
        return;
    }
    const bool mayBeCached = index < m_cacheFullFrom && !m_setup.notFound.contains(occurrence.link.probeHost);
    occurrence.probeTicket = add(m_setup.linkRequest(occurrence.link.probeUrl), index,
                                 rankOf(mayBeCached ? CacheProbe : Probe, index), false);
}

bool WebCheckRun::mayStoreNotFound(const Occurrence& occurrence) const
{
    if (occurrence.state == Occurrence::State::Failed)
        return false; // a failed link makes no probe
    if (!occurrence.probeEnded)
        return true;
    return occurrence.probe && !occurrence.probe->page().isEmpty();
}

void WebCheckRun::requestCertainProbes(const QString& host)
{
    // One at a time, a link that answered probes exactly when its host is not cached at its turn. Only an
    // undecided earlier link whose probe host this is can still put the host into the cache, and only
    // while the cache may have room at its turn; once none of them may, the probe of every answered link
    // of the host is certain.
    if (m_setup.notFound.contains(host))
        return;
    const auto members = m_byHost.constFind(host);
    if (members == m_byHost.cend())
        return;
    // Members before the settled mark need nothing more and hold nothing back, now or later: each
    // failed, or answered with its probe requested, or can no longer store the host. Skipping them keeps
    // a host of thousands of links from being walked again for each of its answers.
    qsizetype& settled = m_settledMembers[host];
    const auto first = std::lower_bound(members->cbegin(), members->cend(), m_next);
    bool settledSoFar = true;
    for (qsizetype at = std::max(settled, qsizetype(first - members->cbegin())); at < qsizetype(members->size());
         ++at) {
        const int index = (*members)[size_t(at)];
        Occurrence& occurrence = m_occurrences[index];
        const bool isLinkHost = occurrence.link.host == host;
        if (isLinkHost && !occurrence.probeRequested && occurrence.state == Occurrence::State::Answered)
            requestProbe(index);
        if (occurrence.link.probeHost == host && index < m_cacheFullFrom && mayStoreNotFound(occurrence))
            return;
        settledSoFar =
            settledSoFar && (!isLinkHost || occurrence.state == Occurrence::State::Failed || occurrence.probeRequested);
        if (settledSoFar)
            settled = at + 1;
    }
    m_unblocked.insert(host);
}

void WebCheckRun::requestAllCertainProbes()
{
    for (auto it = m_byHost.cbegin(); it != m_byHost.cend(); ++it)
        requestCertainProbes(it.key());
}

int WebCheckRun::cacheFullFrom() const
{
    // The cache is certainly full once twenty hosts are in it or are certain to be stored: each host whose
    // undecided link answered and whose probe brought a page stores it at that link's turn, unless the
    // cache filled before.
    const NotFoundCache& cache = m_setup.notFound;
    if (cache.isFull())
        return m_next;
    QSet<QString> hosts;
    for (auto it = m_storing.lower_bound(m_next); it != m_storing.end(); ++it) {
        const QString& host = m_occurrences[*it].link.probeHost;
        if (!cache.contains(host))
            hosts.insert(host);
        if (cache.size() + hosts.size() >= NotFoundCache::Capacity)
            return *it + 1;
    }
    return int(m_occurrences.size());
}

void WebCheckRun::updateCacheFullFrom()
{
    if (m_cacheFullFrom <= m_next)
        return; // already certain for every link still to decide
    const int fullFrom = cacheFullFrom();
    if (fullFrom >= m_cacheFullFrom)
        return;
    m_cacheFullFrom = fullFrom;
    requestAllCertainProbes();
}
