#pragma once

#include "CurlMulti.h"
#include "CutCounter.h"
#include "TransferTypes.h"

#include <QHash>
#include <QObject>
#include <QSet>

#include <map>
#include <unordered_map>
#include <utility>

// Runs queued requests on a CurlMulti of its own, never more than a total and a per-host number at a
// time, starting them by rank (lowest first) as places free up. FTP requests go to a host one at a time:
// FTP servers commonly allow a client address few sessions and refuse the rest, which would fail links
// that the one-at-a-time check finds. A request may be marked to be cut by the rule of the web check's
// state handler: cancelled at the CutCounter's cut, and reported as cut.
class TransferScheduler : public QObject {
    Q_OBJECT
public:
    struct Limits {
        int transfers = 16;
        int transfersPerHost = 4;
    };
    struct Outcome {
        TransferResult result;
        bool cut = false; // the cut rule ended it; the result then reports a cancel
    };
    using Ticket = quint64;

    explicit TransferScheduler(Limits limits, QObject* parent = nullptr);

    // Queues a request and starts what the limits allow. The host is the request's (see requestHost).
    Ticket add(const TransferRequest& request, quint64 rank, bool cutWhenStreaming);
    // The outcome of an ended request; null while it is queued or running, or once released.
    const Outcome* outcome(Ticket ticket) const;
    void release(Ticket ticket);
    // Ends every queued and running request at once; each gets a cancelled outcome.
    void cancelAll();
    // Cancels everything and forgets every ticket.
    void reset();

    int runningCount() const { return int(m_running.size()); }
    int queuedCount() const { return int(m_queue.size()); }
    // The most requests that ran at once since construction, in all and to one host.
    int peakRunning() const { return m_peakRunning; }
    int peakRunningToOneHost() const { return m_peakPerHost; }

signals:
    void ended(Ticket ticket);

private:
    struct Queued {
        TransferRequest request;
        QString host;
        bool ftp = false;
        bool cutWhenStreaming = false;
    };
    struct Running {
        Ticket ticket = 0;
        QString host;
        bool ftp = false;
        bool cutWhenStreaming = false;
        CutCounter counter;
        bool cut = false;
    };

    bool hasRoom(const Queued& queued) const;
    void startQueued();
    void start(Ticket ticket, Queued queued);
    void onBlockArrived(quint64 id);
    void onFinished(quint64 id, const TransferResult& result);
    void cancelRunning();

    Limits m_limits;
    CurlMulti m_multi;
    Ticket m_nextTicket = 1;
    std::map<std::pair<quint64, Ticket>, Queued> m_queue; // by rank, then by arrival
    std::unordered_map<quint64, Running> m_running;       // by the CurlMulti id
    QHash<QString, int> m_runningPerHost;
    QSet<QString> m_ftpHosts; // hosts with an FTP request running
    std::unordered_map<Ticket, Outcome> m_outcomes;
    int m_peakRunning = 0;
    int m_peakPerHost = 0;
};
