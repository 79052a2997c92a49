#include "web/CurlMulti.h"

#include "web/CurlTransfer.h"

#include <QPointer>

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>

#include <vector>

namespace {

void initCurlOnce()
{
    // curl_global_init is not thread-safe; a function-local static runs it exactly once.
    [[maybe_unused]] static const CURLcode code = curl_global_init(CURL_GLOBAL_DEFAULT);
}

// On a connection kept for the next request, Linux delays the acknowledgement of what was read by up to
// 40 ms. A server that writes an answer's headers and body separately, with Nagle's algorithm on, holds
// the body back until that acknowledgement comes, so every answer but a connection's first would arrive
// 40 ms late. Acknowledging at once ends that wait; elsewhere the option does nothing.
void acknowledgeAtOnce(curl_socket_t socket)
{
#ifdef TCP_QUICKACK
    const int on = 1;
    setsockopt(socket, IPPROTO_TCP, TCP_QUICKACK, &on, sizeof on);
#else
    Q_UNUSED(socket);
#endif
}

// Some servers refuse requests without the Accept header a browser sends.
CurlSlistPtr makeRequestHeaders()
{
    return CurlSlistPtr(
        curl_slist_append(nullptr, "Accept: text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8"));
}

void retire(QSocketNotifier* notifier)
{
    // The notifier may be the one whose activation brought us here: disable it now, delete it later.
    if (notifier) {
        notifier->setEnabled(false);
        notifier->deleteLater();
    }
}

} // namespace

CurlMulti::CurlMulti(qint64 bodyBudget, QObject* parent) : QObject(parent)
{
    m_budget.limit = bodyBudget;
    initCurlOnce();
    m_multi.reset(curl_multi_init());
    m_requestHeaders = makeRequestHeaders();
    curl_multi_setopt(m_multi.get(), CURLMOPT_SOCKETFUNCTION, &CurlMulti::onSocket);
    curl_multi_setopt(m_multi.get(), CURLMOPT_SOCKETDATA, this);
    curl_multi_setopt(m_multi.get(), CURLMOPT_TIMERFUNCTION, &CurlMulti::onTimer);
    curl_multi_setopt(m_multi.get(), CURLMOPT_TIMERDATA, this);
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, [this] { socketAction(CURL_SOCKET_TIMEOUT, 0); });
    m_deadlineSweep.setInterval(1000);
    connect(&m_deadlineSweep, &QTimer::timeout, this, &CurlMulti::endOverdue);
}

CurlMulti::~CurlMulti()
{
    // Removing handles calls back into onSocket/onTimer, so do it while every member is alive.
    for (auto& [id, entry] : m_entries) {
        if (entry.attached)
            curl_multi_remove_handle(m_multi.get(), entry.transfer->handle());
    }
    m_entries.clear();
    m_multi.reset();
}

quint64 CurlMulti::start(const TransferRequest& request)
{
    const quint64 id = m_nextId++;
    Entry& entry = m_entries[id];
    entry.transfer = std::make_unique<CurlTransfer>(id, request, m_requestHeaders.get(), m_budget);
    attach(entry);
    return id;
}

void CurlMulti::attach(Entry& entry)
{
    CURL* handle = entry.transfer->handle();
    if (handle && curl_multi_add_handle(m_multi.get(), handle) == CURLM_OK) {
        entry.attached = true;
        if (!m_deadlineSweep.isActive())
            m_deadlineSweep.start();
        return;
    }
    if (handle)
        entry.transfer->finish(CURLE_FAILED_INIT);
    // The failure is reported like any other, after the caller has stored the id.
    entry.done = true;
    scheduleAfterCurl();
}

void CurlMulti::cancel(quint64 id)
{
    const auto it = m_entries.find(id);
    if (it == m_entries.end() || it->second.transfer->cancelRequested())
        return;
    it->second.transfer->requestCancel();
    scheduleAfterCurl();
}

int CurlMulti::onSocket(CURL*, curl_socket_t socket, int what, void* self, void*)
{
    static_cast<CurlMulti*>(self)->watchSocket(socket, what);
    return 0;
}

int CurlMulti::onTimer(CURLM*, long timeoutMs, void* self)
{
    // One timer, restarted on every call: curl wants the latest deadline only.
    QTimer& timer = static_cast<CurlMulti*>(self)->m_timer;
    if (timeoutMs < 0)
        timer.stop();
    else
        timer.start(int(timeoutMs));
    return 0;
}

void CurlMulti::watchSocket(curl_socket_t socket, int what)
{
    if (what == CURL_POLL_REMOVE) {
        forgetSocket(socket);
        return;
    }
    SocketWatch& watch = m_sockets[socket];
    watchDirection(watch.read, socket, QSocketNotifier::Read, what & CURL_POLL_IN);
    watchDirection(watch.write, socket, QSocketNotifier::Write, what & CURL_POLL_OUT);
}

void CurlMulti::watchDirection(QSocketNotifier*& notifier, curl_socket_t socket, QSocketNotifier::Type type,
                               bool wanted)
{
    if (wanted && !notifier) {
        notifier = new QSocketNotifier(socket, type, this);
        const int eventMask = type == QSocketNotifier::Read ? CURL_CSELECT_IN : CURL_CSELECT_OUT;
        connect(notifier, &QSocketNotifier::activated, this,
                [this, socket, eventMask] { socketAction(socket, eventMask); });
    }
    if (notifier)
        notifier->setEnabled(wanted);
}

void CurlMulti::forgetSocket(curl_socket_t socket)
{
    const auto it = m_sockets.find(socket);
    if (it == m_sockets.end())
        return;
    retire(it->second.read);
    retire(it->second.write);
    m_sockets.erase(it);
}

void CurlMulti::socketAction(curl_socket_t socket, int eventMask)
{
    int running = 0;
    curl_multi_socket_action(m_multi.get(), socket, eventMask, &running);
    if (eventMask == CURL_CSELECT_IN)
        acknowledgeAtOnce(socket);
    afterCurl();
}

void CurlMulti::scheduleAfterCurl()
{
    if (m_afterCurlPosted)
        return;
    m_afterCurlPosted = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_afterCurlPosted = false;
            afterCurl();
        },
        Qt::QueuedConnection);
}

// Runs only when no curl function is on the stack: the one place handles leave the multi handle
// and signals go out.
void CurlMulti::afterCurl()
{
    collectFinished();
    detachCancelled();
    const QPointer<CurlMulti> alive(this);
    deliverPending();
    if (alive)
        resumePaused();
}

void CurlMulti::resumePaused()
{
    // Oldest first. A resumed transfer whose block still does not fit pauses again at once.
    for (auto& [id, entry] : m_entries) {
        if (entry.attached && entry.transfer->isPaused() && m_budget.mayResume(id))
            entry.transfer->resume();
    }
}

void CurlMulti::endOverdue()
{
    bool anyAttached = false;
    for (auto& [id, entry] : m_entries) {
        if (!entry.attached)
            continue;
        if (entry.transfer->isPastDeadline()) {
            entry.transfer->endAtDeadline();
            detach(entry, CURLE_ABORTED_BY_CALLBACK);
        } else {
            anyAttached = true;
        }
    }
    if (!anyAttached)
        m_deadlineSweep.stop();
    afterCurl();
}

void CurlMulti::collectFinished()
{
    int queued = 0;
    while (CURLMsg* message = curl_multi_info_read(m_multi.get(), &queued)) {
        if (message->msg != CURLMSG_DONE)
            continue;
        CurlTransfer* transfer = nullptr;
        curl_easy_getinfo(message->easy_handle, CURLINFO_PRIVATE, &transfer);
        const CURLcode code = message->data.result;
        Entry& entry = m_entries.at(transfer->id());
        if (entry.attached)
            detach(entry, code);
    }
}

void CurlMulti::detachCancelled()
{
    for (auto& [id, entry] : m_entries) {
        if (entry.attached && entry.transfer->cancelRequested())
            detach(entry, CURLE_ABORTED_BY_CALLBACK);
    }
}

void CurlMulti::detach(Entry& entry, CURLcode code)
{
    curl_multi_remove_handle(m_multi.get(), entry.transfer->handle());
    entry.attached = false;
    entry.transfer->finish(code);
    if (const std::optional<TransferRequest> next = entry.transfer->continuation()) {
        entry.redirectsBefore += entry.transfer->redirects();
        entry.permanentBefore = entry.permanentBefore && entry.transfer->onlyPermanentRedirects();
        if (entry.firstHost.isEmpty())
            entry.firstHost = entry.transfer->host();
        const quint64 id = entry.transfer->id();
        entry.transfer.reset();
        entry.transfer = std::make_unique<CurlTransfer>(id, *next, m_requestHeaders.get(), m_budget);
        attach(entry);
        return;
    }
    entry.done = true;
}

void CurlMulti::deliverPending()
{
    // Slots may start, cancel or finish transfers and process events (which can deliver nested), so
    // work from a snapshot of ids and look each one up again; go round until nothing is left to send.
    bool sent = true;
    while (sent) {
        sent = false;
        std::vector<quint64> ids;
        ids.reserve(m_entries.size());
        for (const auto& [id, entry] : m_entries)
            ids.push_back(id);
        for (const quint64 id : ids) {
            switch (deliverOne(id)) {
            case Delivery::Destroyed:
                return; // every caller up to the event loop returns without touching members
            case Delivery::Sent:
                sent = true;
                break;
            case Delivery::Nothing:
                break;
            }
        }
    }
}

CurlMulti::Delivery CurlMulti::deliverOne(quint64 id)
{
    const auto it = m_entries.find(id);
    if (it == m_entries.end() || it->second.inSlot)
        return Delivery::Nothing;
    Entry& entry = it->second;
    const QPointer<CurlMulti> alive(this);
    if (entry.transfer->takePendingBlock()) {
        // The entry cannot be erased while inSlot is set, so the reference stays valid with us.
        entry.inSlot = true;
        emit blockArrived(id);
        if (!alive)
            return Delivery::Destroyed;
        entry.inSlot = false;
        return Delivery::Sent;
    }
    if (!entry.done)
        return Delivery::Nothing;
    TransferResult result = entry.transfer->takeResult();
    if (entry.redirectsBefore > 0)
        result.permanentRedirect = entry.permanentBefore && (result.redirects == 0 || result.permanentRedirect);
    result.redirects += entry.redirectsBefore;
    if (!entry.firstHost.isEmpty())
        result.host = entry.firstHost;
    m_entries.erase(it);
    emit finished(id, result);
    return alive ? Delivery::Sent : Delivery::Destroyed;
}
