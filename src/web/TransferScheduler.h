#pragma once

#include "BodyBudget.h"
#include "CurlMulti.h"
#include "CutCounter.h"
#include "TransferTypes.h"

#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QSet>

#include <map>
#include <optional>
#include <unordered_map>
#include <utility>

// Runs queued requests on a CurlMulti of its own, never more than a total and a per-host number at a
// time. Every request of the program goes through one of these.
//
// Which request starts next: a request being waited for right now (hurry) goes before all others; then
// a host not heard from yet, so that every host's answer time is learnt early; then, among the hosts
// with a free place, the host with the most request time still ahead of it (its queued and running
// requests times its answer time), so the slowest queues start first and finish with the rest. A host
// that has not answered yet counts as at least as slow as its oldest running request, and as the slowest
// host heard from. Within a host, the lowest rank goes first.
//
// FTP requests go to a host one at a time: FTP servers commonly allow a client address few sessions
// and refuse the rest. A host whose name did not resolve is not looked up again for a while: its later
// requests end at once with the same failure, as a resolver's negative cache would have them end. A request may be
// marked to be cut once it keeps streaming (CutCounter), and is then reported as cut. A 429 or 503 answer with a
// Retry-After of at most MaxRetryAfterSeconds is asked once more after that wait, the host's queue pausing meanwhile.
class TransferScheduler : public QObject {
    Q_OBJECT
public:
    // The default total is high enough that the total is not what bounds a check of many hosts: with
    // 4 requests to one host, 256 in all keep 64 hosts fully busy, and every host of a document of
    // a hundred hosts busy most of the time.
    struct Limits {
        int transfers = 256;
        int transfersPerHost = 4;
        qint64 bodyBudget = BodyBudget::DefaultLimit; // the body bytes running transfers may hold (BodyBudget)
    };
    struct Outcome {
        TransferResult result;
        bool cut = false; // the cut rule ended it; the result then reports a cancel
    };
    using Ticket = quint64;

    static constexpr int MaxRetryAfterSeconds = 10;
    static constexpr int UnresolvedForSeconds = 30;

    explicit TransferScheduler(Limits limits, QObject* parent = nullptr);

    const Limits& limits() const { return m_limits; }
    // Queues a request and starts what the limits allow. The host is the request's (see requestHost).
    Ticket add(const TransferRequest& request, quint64 rank, bool cutWhenStreaming);
    // The request the caller waits for now starts before any other.
    void hurry(Ticket ticket);
    // The outcome of an ended request; null while it is queued or running, or once released.
    const Outcome* outcome(Ticket ticket) const;
    void release(Ticket ticket);
    // Ends these requests, queued or running, and forgets them: none of them is reported as ended.
    void cancel(const QSet<Ticket>& tickets);

    int runningCount() const { return int(m_running.size()); }
    int queuedCount() const { return int(m_queuedHost.size()); }
    // The most requests that ran at once since construction, in all and to one host.
    int peakRunning() const { return m_peakRunning; }
    int peakRunningToOneHost() const { return m_peakPerHost; }
    // The most body bytes that running requests held at once since construction.
    qint64 peakBufferedBytes() const { return m_multi.peakBufferedBytes(); }

signals:
    void ended(Ticket ticket);

private:
    struct Queued {
        TransferRequest request;
        bool cutWhenStreaming = false;
        bool retried = false;
    };
    struct Host {
        std::map<std::pair<quint64, Ticket>, Queued> queue; // by rank, then by arrival
        int running = 0;
        bool ftpRunning = false;
        qint64 pausedUntil = 0;  // ms on m_clock
        qint64 answerTimeMs = 0; // running mean of its requests' durations; 0 while none ended
        int answers = 0;
        qint64 oldestStartMs = -1; // of its running requests; -1 when none runs
        // The failure of its last lookup that found no such host, and when; empty while none is known.
        std::optional<std::pair<TransferResult, qint64>> unresolved;
    };
    struct Running {
        Ticket ticket = 0;
        quint64 rank = 0;
        QString host;
        Queued queued;
        CutCounter counter;
        bool cut = false;
        qint64 startedMs = 0;
    };

    bool hasRoom(const Host& host, qint64 now) const;
    bool isUnexplored(const Host& host) const { return host.answers == 0 && host.running == 0; }
    double answerTime(const Host& host, qint64 now) const;
    double remainingTime(const Host& host, qint64 now) const;
    std::optional<QString> nextHost() const;
    void startQueued();
    void start(const QString& hostName, Host& host);
    // A request to a host known not to resolve: it ends with that failure on the next turn of the event loop.
    void endUnresolved(Ticket ticket, const Queued& queued, const TransferResult& failure);
    std::map<std::pair<quint64, Ticket>, Queued>::iterator startable(Host& host);
    void onBlockArrived(quint64 id);
    void onFinished(quint64 id, const TransferResult& result);
    std::optional<qint64> retryDelayMs(const Running& running, const TransferResult& result) const;
    void noteAnswerTime(Host& host, qint64 durationMs);
    void stopRunning(std::unordered_map<quint64, Running>::iterator running);

    Limits m_limits;
    CurlMulti m_multi;
    QElapsedTimer m_clock;
    Ticket m_nextTicket = 1;
    QHash<QString, Host> m_hosts;
    QHash<Ticket, QString> m_queuedHost; // host of each queued ticket
    std::optional<Ticket> m_hurried;
    std::unordered_map<quint64, Running> m_running; // by the CurlMulti id
    std::unordered_map<Ticket, Outcome> m_outcomes;
    qint64 m_slowestAnswerMs = 0;
    int m_peakRunning = 0;
    int m_peakPerHost = 0;
};
