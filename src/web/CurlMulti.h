#pragma once

#include "web/BodyBudget.h"
#include "web/CurlHandles.h"
#include "web/TransferTypes.h"

#include <QObject>
#include <QSocketNotifier>
#include <QTimer>

#include <map>
#include <memory>
#include <unordered_map>

class CurlTransfer;

// Runs any number of transfers on curl's multi interface inside the Qt event loop of the thread that
// owns it (the UI thread): curl's sockets are watched by QSocketNotifiers and its single timeout by one
// QTimer, so nothing blocks and no thread is needed.
//
// Signals are emitted only after curl has returned, never from inside a curl callback, so their slots
// may call any member here and process events. While a slot for a transfer runs, further signals for
// that transfer wait until it returns (they are never nested, however often the slot processes events);
// signals of other transfers go on. A slot may even delete the CurlMulti (its transfers end unreported).
class CurlMulti : public QObject {
    Q_OBJECT

public:
    // bodyBudget: the body bytes running transfers may hold at once (BodyBudget).
    explicit CurlMulti(qint64 bodyBudget = BodyBudget::DefaultLimit, QObject* parent = nullptr);
    ~CurlMulti() override;

    // Starts a transfer and returns its id. Every transfer ends with exactly one finished(), also when
    // the URL is invalid (then on the next turn of the event loop).
    quint64 start(const TransferRequest& request);
    // Queued: the handle leaves curl on the next turn of the event loop, never inside a curl callback.
    // From now on no blockArrived() is emitted for it, and its finished() reports Cancelled.
    // Ids whose finished() was emitted, and unknown ids, are ignored.
    void cancel(quint64 id);
    // Transfers not finished yet, counting those whose finished() is still to be emitted.
    int activeCount() const { return int(m_entries.size()); }
    // The body bytes held by transfers whose finished() is still to be emitted.
    qint64 bufferedBytes() const { return m_budget.held; }
    // The most they held at once since construction.
    qint64 peakBufferedBytes() const { return m_budget.peak; }

signals:
    // One per write-callback call that delivered body bytes.
    void blockArrived(quint64 id);
    void finished(quint64 id, const TransferResult& result);

private:
    struct Entry {
        std::unique_ptr<CurlTransfer> transfer;
        bool attached = false; // the easy handle is in the multi handle
        bool done = false;     // curl is through with it; finished() is still to be emitted
        bool inSlot = false;   // a slot for it runs now; its next signals wait until that returns
        // A transfer that went on without its own headers after a redirect to another host: the redirects
        // followed before (whether all were permanent), and the host it was sent to first.
        int redirectsBefore = 0;
        bool permanentBefore = true;
        QString firstHost;
    };
    struct SocketWatch {
        QSocketNotifier* read = nullptr;
        QSocketNotifier* write = nullptr;
    };
    enum class Delivery { Nothing, Sent, Destroyed };

    static int onSocket(CURL* easy, curl_socket_t socket, int what, void* self, void* socketData);
    static int onTimer(CURLM* multi, long timeoutMs, void* self);
    void watchSocket(curl_socket_t socket, int what);
    void watchDirection(QSocketNotifier*& notifier, curl_socket_t socket, QSocketNotifier::Type type, bool wanted);
    void forgetSocket(curl_socket_t socket);
    void socketAction(curl_socket_t socket, int eventMask);
    void afterCurl();
    void collectFinished();
    void detachCancelled();
    void detach(Entry& entry, CURLcode code);
    // Puts the entry's transfer into the multi handle; when that fails, the transfer is done with a failure.
    void attach(Entry& entry);
    void deliverPending();
    Delivery deliverOne(quint64 id);
    void scheduleAfterCurl();
    void resumePaused();
    // Ends every transfer past its deadline: curl keeps the deadline only of transfers it calls back,
    // and a paused one it never calls back.
    void endOverdue();

    BodyBudget m_budget;
    CurlMultiPtr m_multi;
    CurlSlistPtr m_requestHeaders;
    QTimer m_timer;
    QTimer m_deadlineSweep; // runs while any transfer is attached
    std::unordered_map<curl_socket_t, SocketWatch> m_sockets;
    std::map<quint64, Entry> m_entries;
    quint64 m_nextId = 1;
    bool m_afterCurlPosted = false;
};
