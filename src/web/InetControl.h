#pragma once

#include "web/CurlMulti.h"
#include "web/InetError.h"
#include "web/TransferTypes.h"

#include <QEventLoop>
#include <QObject>
#include <QTimer>

#include <functional>

// The synchronous transfer control the link check is written against: OpenURL performs one request
// and returns its body while the window's events keep being processed. One request at a time.
//
// While OpenURL blocks, StateChanged(StateBlockArrived) is emitted once per block of the response, always
// after curl has returned, and never nested: a handler may process events, take chunks and cancel
// without seeing itself called again before it returns.
class InetControl : public QObject {
    Q_OBJECT

public:
    static constexpr int StateBlockArrived = 8;       // a further part of the response has arrived
    static constexpr int StateResponseCompleted = 12; // before OpenURL returns; StillExecuting() is false

    explicit InetControl(QObject* parent = nullptr);
    // May run while OpenURL blocks further down the stack (a handler closed the window): that OpenURL
    // then throws a cancelled InetError without touching the destroyed control.
    ~InetControl() override;

    // Blocks in a nested event loop until the request ends. Returns the body minus the bytes GetChunk
    // took; throws InetError when the request fails, is cancelled, the URL is invalid, or a request is
    // already running.
    QByteArray OpenURL(const QString& url);
    // A header of the response now arriving, or of the last one; empty when absent.
    QString GetHeader(const QString& name) const;
    // Takes up to maxBytes of the body received so far and not taken yet.
    QByteArray GetChunk(int maxBytes);
    // Queued: the running OpenURL then throws an InetError whose isCancelled() is true. Idle: no effect.
    void Cancel();
    bool StillExecuting() const { return m_running; }
    // Host of the last request's URL as written (before redirects), lower-case.
    QString RemoteHost() const { return m_host; }
    // HTTP status of the response now arriving or of the last one; 0 when there was none, and for FTP.
    long ResponseCode() const;

    // Caps and time-outs for the following requests; the url field is ignored.
    void setRequestTemplate(const TransferRequest& request) { m_template = request; }
    // Polled about every 100 ms while OpenURL blocks; true cancels the request. Works while a server
    // sends nothing at all, when no StateChanged would give the caller a chance to stop.
    void setAbortCheck(std::function<bool()> check) { m_abortCheck = std::move(check); }

signals:
    void StateChanged(int state);

private:
    void onBlockArrived(quint64 id);
    void onFinished(quint64 id, const TransferResult& result);
    void pollAbortCheck();

    CurlMulti m_multi;
    TransferRequest m_template;
    std::function<bool()> m_abortCheck;
    QTimer m_abortTimer;
    QEventLoop* m_loop = nullptr; // OpenURL's, while it blocks
    quint64 m_id = 0;
    bool m_running = false;
    QString m_host;
    TransferResult m_result; // of the last request once finished; its body shrinks as chunks are taken
};
