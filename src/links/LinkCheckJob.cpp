#include "LinkCheckJob.h"

#include "AnchorIndex.h"
#include "DocumentBase.h"
#include "LinkFinder.h"
#include "PageAnchors.h"

#include <QDeadlineTimer>

#include <algorithm>
#include <utility>

namespace {
// How long one slice of work may hold the event loop: short enough for a window to stay live.
constexpr int SliceMs = 12;
} // namespace

LinkCheckJob::LinkCheckJob(const QString& text, CheckContext context, WebLinkCheck& web, QObject* parent)
    : QObject(parent), m_text(text), m_context(std::move(context)), m_web(web)
{
    m_table.text = text;
    m_slice.setSingleShot(true);
    m_slice.callOnTimeout(this, &LinkCheckJob::work);
    m_reportTimer.setSingleShot(true);
    m_reportTimer.callOnTimeout(this, &LinkCheckJob::report);
}

LinkCheckJob::LinkCheckJob(const QString& text, const LinkEntry& link, CheckContext context, WebLinkCheck& web,
                           QObject* parent)
    : LinkCheckJob(text, std::move(context), web, parent)
{
    m_table.entries.push_back(link);
    m_firstOfValue.push_back(0);
}

LinkCheckJob::~LinkCheckJob() = default;

void LinkCheckJob::start()
{
    if (m_state != State::Idle)
        return;
    // A job given its one link has nothing to find.
    m_state = m_table.entries.empty() ? State::Finding : State::Checking;
    m_slice.start(0);
}

void LinkCheckJob::cancel()
{
    if (!isRunning())
        return;
    m_state = State::Cancelled;
    m_slice.stop();
    m_reportTimer.stop();
    m_webRun.reset();
    m_finder.reset();
}

void LinkCheckJob::prepare()
{
    if (!m_finder) {
        m_finder = std::make_unique<LinkFinder>(m_text, m_context.resources);
        const CheckContext based =
            withBaseHref(m_context, baseHref(m_text, m_finder->searchCopy(), m_finder->tagless()).value_or(QString()));
        LocalTargets targets{LinkClassifier::normaliseBase(m_context.siteRoot), {}};
        if (PageAnchors* pages = m_context.pageAnchors)
            targets.findInPage = [pages](const QString& path, const QString& fragment) {
                return pages->match(path, fragment);
            };
        m_classifier.emplace(
            LinkClassifier::normaliseBase(based.base), based.docIsFile,
            [this](const QString& fragment) { return findFragment(fragment); }, based.encoding, std::move(targets));
    }
}

void LinkCheckJob::work()
{
    const QDeadlineTimer deadline(SliceMs);
    if (m_state == State::Checking)
        prepare(); // a job given its one link
    if (m_state == State::Finding) {
        if (!findSlice())
            return;
        emit phaseChanged(CheckPhase::Checking);
        if (m_state != State::Finding)
            return; // cancelled from a slot
        m_state = State::Checking;
        emit linksFound();
        if (m_state != State::Checking)
            return;
        for (int index = 0; index < m_table.count(); ++index) {
            if (m_table.entries[size_t(index)].decided) {
                ++m_decided;
                m_unreported.append(index);
            }
        }
        scheduleReport();
    }
    while (m_state == State::Checking && m_nextToClassify < m_table.count()) {
        if (deadline.hasExpired()) {
            m_slice.start(0);
            return;
        }
        classifySlice();
    }
    if (m_state == State::Checking && m_nextToClassify == m_table.count() && !m_webRun) {
        m_finder.reset();
        startWebRun();
    }
}

bool LinkCheckJob::findSlice()
{
    if (!m_finder) {
        emit phaseChanged(CheckPhase::Counting);
        if (m_state != State::Finding)
            return false;
        prepare();
    }
    if (m_finder->findMore(m_table, m_firstOfValue, QDeadlineTimer(SliceMs)))
        return true;
    m_slice.start(0);
    return false;
}

void LinkCheckJob::classifySlice()
{
    // A few links at a time: a file link costs a look at the disk.
    const int end = std::min(m_table.count(), m_nextToClassify + 64);
    for (; m_nextToClassify < end; ++m_nextToClassify) {
        const int index = m_nextToClassify;
        const LinkEntry& entry = m_table.entries[size_t(index)];
        // Links never checked were decided when found; links sharing a value follow its first link.
        if (entry.decided || m_firstOfValue[size_t(index)] != index)
            continue;
        const bool web = m_classifier->webUrl(entry.value).has_value();
        if (const std::optional<LinkReason> leftOut = leaveOut(entry.value, web))
            decide(index, {LinkResult::NoCheckOther, *leftOut});
        else if (web)
            m_webEntries.push_back(index);
        else
            decide(index, m_classifier->classify(entry.value));
    }
}

std::optional<LinkReason> LinkCheckJob::leaveOut(const QString& value, bool web) const
{
    const LinkFilter& filter = m_context.filter;
    if (!filter.offline && filter.include.isEmpty() && filter.exclude.isEmpty())
        return std::nullopt;
    const std::optional<QString> address = m_classifier->absoluteAddress(value);
    return address ? filter.leaveOut(*address, web) : std::nullopt;
}

void LinkCheckJob::startWebRun()
{
    if (m_webEntries.empty()) {
        scheduleReport();
        return;
    }
    QStringList urls;
    urls.reserve(qsizetype(m_webEntries.size()));
    for (const int index : m_webEntries)
        urls.append(*m_classifier->webUrl(m_table.entries[size_t(index)].value));
    WebRunCallbacks callbacks;
    callbacks.decided = [this](int index, const WebVerdict& verdict) { onWebDecided(index, verdict); };
    callbacks.answered = [this](int answered) { onWebAnswered(answered); };
    m_webRun = m_web.start(urls, std::move(callbacks));
    reportWaiting();
    scheduleReport();
}

void LinkCheckJob::reportWaiting()
{
    const bool webDone = m_webDecided == int(m_webEntries.size());
    const QString waiting = webDone ? QString() : m_table.entries[size_t(m_webEntries[size_t(m_webDecided)])].value;
    if (waiting != m_waitingFor) {
        m_waitingFor = waiting;
        emit waitingFor(waiting);
    }
}

void LinkCheckJob::onWebDecided(int index, const WebVerdict& verdict)
{
    const int entry = m_webEntries[size_t(index)];
    ++m_webDecided;
    decide(entry, m_classifier->classify(m_table.entries[size_t(entry)].value, verdict));
}

void LinkCheckJob::onWebAnswered(int answered)
{
    m_answered = answered;
    scheduleReport();
}

void LinkCheckJob::decide(int index, const Classification& classification)
{
    for (int member = index; member < m_table.count() && m_firstOfValue[size_t(member)] == index; ++member) {
        LinkEntry& entry = m_table.entries[size_t(member)];
        entry.result = classification.result;
        entry.reason = classification.reason;
        entry.decided = true;
        ++m_decided;
        m_unreported.append(member);
    }
    scheduleReport();
}

void LinkCheckJob::scheduleReport()
{
    if (!m_reportTimer.isActive())
        m_reportTimer.start(0);
}

void LinkCheckJob::report()
{
    if (m_state != State::Checking)
        return;
    if (!m_unreported.isEmpty()) {
        emit linksDecided(std::exchange(m_unreported, {}));
        if (m_state != State::Checking)
            return;
    }
    const int count = m_table.count();
    const int ahead = std::max(0, m_answered - m_webDecided);
    emit progressChanged(std::min(count, m_decided + ahead), count);
    if (m_state != State::Checking)
        return;
    reportWaiting();
    if (m_state != State::Checking || m_decided < count || m_nextToClassify < count)
        return;
    m_state = State::Finished;
    m_webRun.reset();
    emit finished();
}

FragmentMatch LinkCheckJob::findFragment(const QString& fragment)
{
    // Built on the first link into the document that needs it, while the finder still holds the copy.
    if (!m_anchors)
        m_anchors = std::make_unique<AnchorIndex>(m_text, m_finder->searchCopy());
    return m_anchors->match(fragment);
}
