#include "WebCheck.h"

#include "AnswerDecoding.h"
#include "common/CodePage.h"
#include "common/RunState.h"
#include "common/SearchCopy.h"
#include "links/AnchorIndex.h"

#include <QCoreApplication>

#include <QSet>

#include <algorithm>
#include <set>

namespace {

// The order of a host's requests. A probe whose answer may go into the cache comes first: until the
// cache is known to be full, later hosts cannot know whether they probe. Then the links, whose answers
// let their probes start; then the other probes, in document order each.
enum class Tier : quint64 { CacheProbe, Link, Probe };

quint64 rankOf(Tier tier, int index, int count)
{
    return quint64(tier) * quint64(count) + quint64(index);
}

// The link answered: it completed, or the cut rule ended it (which counts as an answer).
bool isAnswer(const TransferScheduler::Outcome& outcome)
{
    return outcome.cut || outcome.result.outcome == TransferResult::Outcome::Completed;
}

} // namespace

struct WebCheck::Occurrence {
    enum class State { Waiting, Answered, Failed };

    QString written; // as announced
    WebLink link;
    TransferScheduler::Ticket linkTicket = 0;
    std::optional<TransferScheduler::Ticket> probeTicket; // while its probe runs
    bool probeRequested = false;
    State state = State::Waiting;
    std::optional<WebAnswer> answer; // once answered
    WebVerdict failure;              // once failed
    bool probeEnded = false;
    std::optional<NotFoundAnswer> probe; // once ended: nothing when the probe failed
};

struct WebCheck::Run {
    std::vector<Occurrence> occurrences;
    int next = 0; // the occurrence the next checkWebLink decides
    int answered = 0;
    int cacheFullFrom = 0; // from this occurrence on, the not-found cache is certainly full at its turn
    AnsweredCallback onAnswered;
    QHash<TransferScheduler::Ticket, int> byTicket;
    // Per cache key, the occurrences looking it up or storing under it, in document order.
    QHash<QString, std::vector<int>> byHost;
    // Hosts none of whose undecided links may still put them into the cache: each of their links that
    // answers probes at its turn.
    QSet<QString> unblocked;
    // Occurrences that answered and whose probe brought a page: each stores it at its turn if there is room.
    std::set<int> storing;
};

WebCheck::WebCheck(const AbortRequest& abort, TransferScheduler::Limits limits, QObject* parent)
    : QObject(parent), m_abort(abort), m_scheduler(limits), m_decode([](const QByteArray& body) {
          return decodeWebAnswer(body, TextEncoding{QString::fromLatin1(CodePage::DefaultName)});
      })
{
    connect(&m_scheduler, &TransferScheduler::ended, this, &WebCheck::onEnded);
}

WebCheck::~WebCheck() = default;

TransferRequest WebCheck::linkRequest(const QString& url) const
{
    TransferRequest request = m_limits;
    request.url = url;
    request.maxBodyBytes = MaxLinkBodyBytes;
    request.failOverLimit = false;
    return request;
}

void WebCheck::prefetch(const QStringList& urls, AnsweredCallback onAnswered)
{
    endRun();
    m_run = std::make_unique<Run>();
    m_run->onAnswered = std::move(onAnswered);
    m_run->occurrences.reserve(urls.size());
    for (const QString& url : urls) {
        const int index = int(m_run->occurrences.size());
        Occurrence& occurrence = m_run->occurrences.emplace_back();
        occurrence.written = url;
        occurrence.link = prepareWebLink(url);
        const WebLink& link = occurrence.link;
        m_run->byHost[link.host].push_back(index);
        if (link.probeHost != link.host)
            m_run->byHost[link.probeHost].push_back(index);
    }
    m_run->cacheFullFrom = cacheFullFrom();
    // Ends are reported through the event loop only, so every ticket is known here before its end.
    for (int index = 0; index < int(m_run->occurrences.size()); ++index) {
        Occurrence& occurrence = m_run->occurrences[index];
        if (takeRememberedLink(occurrence))
            continue;
        occurrence.linkTicket =
            m_scheduler.add(linkRequest(occurrence.link.url), rankOf(Tier::Link, index, int(m_run->occurrences.size())),
                            occurrence.link.cutKind);
        m_run->byTicket.insert(occurrence.linkTicket, index);
    }
    // Remembered answers count as arrived at once, and may make probes certain.
    for (int index = 0; index < int(m_run->occurrences.size()); ++index) {
        if (m_run->occurrences[index].state != Occurrence::State::Waiting)
            linkEnded(index);
    }
}

void WebCheck::cancelPrefetch()
{
    endRun();
}

void WebCheck::endRun()
{
    m_scheduler.reset();
    m_run.reset();
}

WebVerdict WebCheck::checkWebLink(const QString& url)
{
    if (!m_run || m_run->next >= int(m_run->occurrences.size()) || m_run->occurrences[m_run->next].written != url) {
        // Not the URL announced next: the run's order is lost, so this URL is a run of its own.
        prefetch({url});
        const WebVerdict verdict = decide(0);
        endRun();
        return verdict;
    }
    return decide(m_run->next);
}

WebVerdict WebCheck::decide(int index)
{
    Occurrence& occurrence = m_run->occurrences[index];
    waitUntil(occurrence.linkTicket, [&occurrence] { return occurrence.state != Occurrence::State::Waiting; });

    WebVerdict verdict = occurrence.failure;
    if (occurrence.state == Occurrence::State::Answered) {
        const WebLink& link = occurrence.link;
        NotFoundAnswer notFound;
        if (const NotFoundAnswer* cached = m_notFound.find(link.host)) {
            notFound = *cached;
        } else {
            // Stopped: a probe started now would only be cancelled.
            if (!occurrence.probeRequested && !m_abort.isRequested())
                requestProbe(index);
            if (occurrence.probeTicket)
                waitUntil(*occurrence.probeTicket, [&occurrence] { return occurrence.probeEnded; });
            if (occurrence.probe) {
                notFound = *occurrence.probe;
                if (!notFound.page().isEmpty() && !notFound.isReduced())
                    m_notFound.store(link.probeHost, notFound);
            }
        }
        verdict = judgeWebAnswer(*occurrence.answer, notFound, link.probeUrl, link.hasFragment, link.cutKind);
    }

    const bool wasFull = m_notFound.isFull();
    m_run->next = index + 1;
    // This link no longer holds back later probes of its hosts; a cache that just filled up holds back none.
    if (!wasFull && m_notFound.isFull()) {
        requestAllCertainProbes();
    } else {
        requestCertainProbes(occurrence.link.host);
        requestCertainProbes(occurrence.link.probeHost);
    }
    return verdict;
}

void WebCheck::waitUntil(TransferScheduler::Ticket ticket, const std::function<bool()>& done)
{
    m_scheduler.hurry(ticket);
    while (!done()) {
        // A stop ends every request at once; their cancelled outcomes are taken here.
        if (m_abort.isRequested()) {
            m_scheduler.cancelAll();
            for (const TransferScheduler::Ticket cancelled : m_run->byTicket.keys())
                consume(cancelled);
            if (done())
                break;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
}

void WebCheck::onEnded(TransferScheduler::Ticket ticket)
{
    consume(ticket);
}

void WebCheck::consume(TransferScheduler::Ticket ticket)
{
    if (!m_run)
        return;
    const auto it = m_run->byTicket.constFind(ticket);
    const TransferScheduler::Outcome* outcome = m_scheduler.outcome(ticket);
    if (it == m_run->byTicket.cend() || !outcome)
        return;
    const int index = *it;
    m_run->byTicket.erase(it);
    Occurrence& occurrence = m_run->occurrences[index];
    if (ticket == occurrence.linkTicket) {
        takeLinkOutcome(occurrence, *outcome);
        m_scheduler.release(ticket);
        linkEnded(index);
    } else {
        takeProbeOutcome(index, *outcome);
        m_scheduler.release(ticket);
    }
}

void WebCheck::linkEnded(int index)
{
    const Occurrence& occurrence = m_run->occurrences[index];
    ++m_run->answered;
    if (m_run->onAnswered)
        m_run->onAnswered(m_run->answered);
    const QString& host = occurrence.link.host;
    if (!m_run->unblocked.contains(host))
        requestCertainProbes(host);
    else if (occurrence.state == Occurrence::State::Answered && !m_notFound.contains(host) && !m_abort.isRequested())
        requestProbe(index);
}

void WebCheck::takeLinkOutcome(Occurrence& occurrence, const TransferScheduler::Outcome& outcome)
{
    AnswerMemo::LinkEntry entry;
    if (isAnswer(outcome))
        entry = readAnswer(occurrence.link, outcome);
    else
        entry.failure = noAnswerVerdict(outcome.result);
    takeLinkEntry(occurrence, entry);
    if (m_memo)
        m_memo->rememberLink(occurrence.link.url, std::move(entry));
}

void WebCheck::takeLinkEntry(Occurrence& occurrence, const AnswerMemo::LinkEntry& entry)
{
    if (!entry.answer) {
        occurrence.failure = entry.failure;
        occurrence.state = Occurrence::State::Failed;
        return;
    }
    occurrence.answer = entry.answer;
    if (entry.anchors)
        occurrence.answer->fragmentFound = entry.anchors->contains(upperCaseKeepingLength(occurrence.link.fragment));
    occurrence.state = Occurrence::State::Answered;
}

bool WebCheck::takeRememberedLink(Occurrence& occurrence)
{
    const AnswerMemo::LinkEntry* entry = m_memo ? m_memo->link(occurrence.link.url) : nullptr;
    // A page remembered without its anchors cannot say whether it holds this link's fragment.
    if (!entry || (entry->answer && occurrence.link.hasFragment && !entry->anchors && !entry->answer->page.isEmpty()))
        return false;
    takeLinkEntry(occurrence, *entry);
    return true;
}

void WebCheck::takeProbeOutcome(int index, const TransferScheduler::Outcome& outcome)
{
    if (outcome.result.outcome != TransferResult::Outcome::Completed) {
        takeProbeAnswer(index, std::nullopt);
        return;
    }
    const QString text = outcome.result.body.isEmpty() ? QString() : m_decode(outcome.result.body);
    if (m_memo)
        m_memo->rememberNotFound(m_run->occurrences[index].link.probeUrl, text);
    takeProbeAnswer(index, NotFoundAnswer(text));
}

void WebCheck::takeProbeAnswer(int index, std::optional<NotFoundAnswer> answer)
{
    Occurrence& occurrence = m_run->occurrences[index];
    occurrence.probeEnded = true;
    if (answer) {
        // A probe that can no longer be cached is kept only as far as its own link compares it.
        if (index >= m_run->cacheFullFrom || m_notFound.contains(occurrence.link.probeHost))
            answer = answer->reducedFor(occurrence.link.probeUrl);
        else if (!answer->page().isEmpty() && occurrence.state == Occurrence::State::Answered)
            m_run->storing.insert(index);
    }
    occurrence.probe = std::move(answer);
    updateCacheFullFrom();
}

NotFoundAnswer WebCheck::probeAnswer(const QByteArray& body) const
{
    return body.isEmpty() ? NotFoundAnswer() : NotFoundAnswer(m_decode(body));
}

AnswerMemo::LinkEntry WebCheck::readAnswer(const WebLink& link, const TransferScheduler::Outcome& outcome) const
{
    const TransferResult& result = outcome.result;
    AnswerMemo::LinkEntry entry;
    WebAnswer& answer = entry.answer.emplace();
    answer.status = link.isHttp ? result.status : 0;
    answer.cut = outcome.cut;
    answer.finalUrl = result.finalUrl;
    answer.redirects = result.redirects;
    // The body of an FTP or .EXE link is never read, and with no page there are no headers to read.
    if (link.cutKind || result.body.isEmpty())
        return entry;
    const QString page = m_decode(result.body);
    answer.page = PageFingerprint::of(page);
    answer.server = result.header(QStringLiteral("Server"));
    answer.lastModified = result.header(QStringLiteral("Last-modified"));
    answer.date = result.header(QStringLiteral("Date"));
    if (link.hasFragment)
        entry.anchors = AnchorIndex(makeSearchCopy(page)).names();
    return entry;
}

void WebCheck::requestProbe(int index)
{
    Occurrence& occurrence = m_run->occurrences[index];
    occurrence.probeRequested = true;
    if (const NotFoundAnswer* remembered = m_memo ? m_memo->notFound(occurrence.link.probeUrl) : nullptr) {
        takeProbeAnswer(index, *remembered);
        return;
    }
    const bool mayBeCached = index < m_run->cacheFullFrom && !m_notFound.contains(occurrence.link.probeHost);
    const quint64 rank = rankOf(mayBeCached ? Tier::CacheProbe : Tier::Probe, index, int(m_run->occurrences.size()));
    occurrence.probeTicket = m_scheduler.add(linkRequest(occurrence.link.probeUrl), rank, false);
    m_run->byTicket.insert(*occurrence.probeTicket, index);
}

bool WebCheck::mayStoreNotFound(const Occurrence& occurrence) const
{
    if (occurrence.state == Occurrence::State::Failed)
        return false; // a failed link makes no probe
    if (!occurrence.probeEnded)
        return true;
    return occurrence.probe && !occurrence.probe->page().isEmpty();
}

void WebCheck::requestCertainProbes(const QString& host)
{
    // One at a time, a link that answered probes exactly when its host is not cached at its turn. Only an
    // undecided earlier link whose probe host this is can still put the host into the cache, and only
    // while the cache may have room at its turn; once none of them may, the probe of every answered link
    // of the host is certain.
    if (!m_run || m_abort.isRequested() || m_notFound.contains(host))
        return;
    const auto members = m_run->byHost.constFind(host);
    if (members == m_run->byHost.cend())
        return;
    for (auto it = std::lower_bound(members->cbegin(), members->cend(), m_run->next); it != members->cend(); ++it) {
        Occurrence& occurrence = m_run->occurrences[*it];
        if (occurrence.link.host == host && !occurrence.probeRequested &&
            occurrence.state == Occurrence::State::Answered)
            requestProbe(*it);
        if (occurrence.link.probeHost == host && *it < m_run->cacheFullFrom && mayStoreNotFound(occurrence))
            return;
    }
    m_run->unblocked.insert(host);
}

void WebCheck::requestAllCertainProbes()
{
    for (auto it = m_run->byHost.cbegin(); it != m_run->byHost.cend(); ++it)
        requestCertainProbes(it.key());
}

int WebCheck::cacheFullFrom() const
{
    // The cache is certainly full once twenty hosts are in it or are certain to be stored: each host whose
    // undecided link answered and whose probe brought a page stores it at that link's turn, unless the
    // cache filled before.
    if (m_notFound.isFull())
        return m_run->next;
    QSet<QString> hosts;
    for (auto it = m_run->storing.lower_bound(m_run->next); it != m_run->storing.end(); ++it) {
        const QString& host = m_run->occurrences[*it].link.probeHost;
        if (!m_notFound.contains(host))
            hosts.insert(host);
        if (m_notFound.size() + hosts.size() >= NotFoundCache::Capacity)
            return *it + 1;
    }
    return int(m_run->occurrences.size());
}

void WebCheck::updateCacheFullFrom()
{
    if (m_run->cacheFullFrom <= m_run->next)
        return; // already certain for every link still to decide
    const int fullFrom = cacheFullFrom();
    if (fullFrom >= m_run->cacheFullFrom)
        return;
    m_run->cacheFullFrom = fullFrom;
    requestAllCertainProbes();
}

TransferScheduler::Outcome WebCheck::awaitOutcome(TransferScheduler::Ticket ticket)
{
    m_scheduler.hurry(ticket);
    while (!m_scheduler.outcome(ticket)) {
        if (m_abort.isRequested())
            m_scheduler.cancelAll();
        else
            QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
    TransferScheduler::Outcome outcome = *m_scheduler.outcome(ticket);
    m_scheduler.release(ticket);
    return outcome;
}

std::optional<WebCheck::FetchedDocument> WebCheck::fetchDocument(const QString& url)
{
    endRun();
    const QString trimmed = trimBlanks(url);
    TransferRequest request = m_limits;
    request.url = trimmed;
    request.maxBodyBytes = MaxDocumentBytes;
    request.failOverLimit = true;
    request.deadlineSeconds = DocumentDeadlineSeconds;
    const TransferScheduler::Outcome outcome = awaitOutcome(m_scheduler.add(request, 0, false));
    const TransferResult& result = outcome.result;
    // An error page is no document, even when it looks like one (an echoing 404 page would).
    if (result.outcome != TransferResult::Outcome::Completed || (isHttpUrl(trimmed) && result.status >= 400))
        return std::nullopt;
    FetchedDocument document{result.body, result.header(QStringLiteral("Content-Type"))};
    const QString text = document.body.isEmpty() ? QString() : m_decode(document.body);

    // The host's not-found answer, cached or else probed now.
    const QString host = requestHost(trimmed);
    NotFoundAnswer notFound;
    if (const NotFoundAnswer* cached = m_notFound.find(host)) {
        notFound = *cached;
    } else if (!m_abort.isRequested()) {
        const QString probeUrl = probeUrlOf(trimmed);
        const TransferScheduler::Outcome probe = awaitOutcome(m_scheduler.add(linkRequest(probeUrl), 1, false));
        if (probe.result.outcome == TransferResult::Outcome::Completed) {
            notFound = probeAnswer(probe.result.body);
            if (!notFound.page().isEmpty())
                m_notFound.store(requestHost(probeUrl), notFound);
        }
    }
    const PageFingerprint page = PageFingerprint::of(text);
    if (page == notFound.page() && !page.isEmpty())
        return std::nullopt;
    return document;
}
