#pragma once

#include "LinkClassifier.h"
#include "LinkFilter.h"
#include "LinkTable.h"
#include "WebLinkCheck.h"
#include "common/TextEncoding.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

#include <memory>
#include <optional>
#include <vector>

class AnchorIndex;
class LinkFinder;
class PageAnchors;

// What a check is doing: finding the links (first pass) or checking them (second pass).
enum class CheckPhase { Counting, Checking };

// Where the links of a document lead from.
struct CheckContext {
    QString base;           // the document's folder, or the base of its URL
    bool docIsFile = false; // a local file, not a page fetched by URL
    TextEncoding encoding;  // what %XX escapes of file links that are no UTF-8 were written in
    bool resources = false; // the addresses tags load (images, stylesheets, scripts ...) are links too
    QString siteRoot{};     // where root-relative file links start; empty: the document's own folder
    // The pages file links lead into, for their fragments; none: file links count by existence alone.
    PageAnchors* pageAnchors = nullptr;
    LinkFilter filter{}; // the links left out on purpose
};

// The check of a document's links, as a job: it finds the links of a text, decides each one without
// the network at once and asks the web for the others, and reports as it goes. Relative links lead from
// the document's first <BASE HREF> when it has one. Nothing waits: the
// text is taken in short slices between turns of the event loop, and web verdicts arrive by callbacks.
// The job neither shows nor paints anything; it fills a LinkTable that others apply.
class LinkCheckJob : public QObject {
    Q_OBJECT
public:
    // Checks every link of text.
    LinkCheckJob(const QString& text, CheckContext context, WebLinkCheck& web, QObject* parent = nullptr);
    // Checks one link of text, already found (see linkAt, SingleLink.h): its in-page targets are looked up
    // in the whole text.
    LinkCheckJob(const QString& text, const LinkEntry& link, CheckContext context, WebLinkCheck& web,
                 QObject* parent = nullptr);
    ~LinkCheckJob() override;

    // The work starts on the next turn of the event loop.
    void start();
    // Stops at once: the links decided so far keep their results, the others stay undecided; finished()
    // is not emitted. Safe to call at any time, also from a slot of this job's signals.
    void cancel();
    bool isFinished() const { return m_state == State::Finished; }
    bool isRunning() const { return m_state == State::Finding || m_state == State::Checking; }

    // The links found so far, each with its result once decided.
    const LinkTable& table() const { return m_table; }
    // Where the links lead from, as the job was given it.
    const CheckContext& context() const { return m_context; }

signals:
    void phaseChanged(CheckPhase phase);
    // Every link is found: table() holds them all (those never checked are decided already).
    void linksFound();
    // These entries of table() have their results now. Comes in batches, in document order or not.
    void linksDecided(const QList<int>& indices);
    // The links decided, counting ahead the web links whose answers have arrived, of all links.
    void progressChanged(int value, int maximum);
    // The value of the link whose answer the check waits for; empty when it waits for none.
    void waitingFor(const QString& value);
    void finished();

private:
    enum class State { Idle, Finding, Checking, Cancelled, Finished };

    void work();
    bool findSlice();
    void classifySlice();
    // Why the user's filter leaves a value out of the check; nothing when it is checked.
    std::optional<LinkReason> leaveOut(const QString& value, bool web) const;
    void startWebRun();
    void onWebDecided(int index, const WebVerdict& verdict);
    void onWebAnswered(int answered);
    void decide(int index, const Classification& classification);
    void scheduleReport();
    void report();
    void reportWaiting();
    // The finder's search copy and tagless ranges, and the classifier under the document's <BASE HREF>.
    void prepare();
    FragmentMatch findFragment(const QString& fragment);

    State m_state = State::Idle;
    QString m_text;
    CheckContext m_context;
    WebLinkCheck& m_web;
    std::optional<LinkClassifier> m_classifier; // once the base is known
    std::unique_ptr<LinkFinder> m_finder;       // until every link is classified
    std::unique_ptr<AnchorIndex> m_anchors;     // built on the first in-page link that needs it
    LinkTable m_table;
    std::vector<int> m_firstOfValue; // per entry: the first entry sharing its value
    int m_nextToClassify = 0;
    std::vector<int> m_webEntries; // per URL of the web run: the entry it is the value of
    std::unique_ptr<WebRun> m_webRun;
    int m_decided = 0;
    int m_webDecided = 0;
    int m_answered = 0;
    QList<int> m_unreported; // decided since the last linksDecided
    QString m_waitingFor;    // as reported last
    QTimer m_slice;          // the next slice of work
    QTimer m_reportTimer;    // the next report of what was decided
};
