#pragma once

#include "web/BodyBudget.h"
#include "web/CurlHandles.h"
#include "web/TransferTypes.h"

#include <optional>

// One request on its own easy handle: the options every request gets, the body and header buffers
// the curl callbacks fill, the byte cap, the deadline, and the result once curl is done with it. Driven
// by CurlMulti; nothing here touches the multi handle or emits anything, so the callbacks stay trivial.
class CurlTransfer {
public:
    // Sets up the easy handle; when the URL is invalid or an option is refused there is no handle
    // and the result is already a failure.
    CurlTransfer(quint64 id, const TransferRequest& request, curl_slist* requestHeaders, BodyBudget& budget);
    ~CurlTransfer();
    CurlTransfer(const CurlTransfer&) = delete;
    CurlTransfer& operator=(const CurlTransfer&) = delete;

    quint64 id() const { return m_id; }
    CURL* handle() const { return m_handle.get(); }

    // One per write-callback call that delivered bytes and has not been reported yet.
    bool takePendingBlock();
    // The write callback paused the transfer: its next block waits for room in the budget.
    bool isPaused() const { return m_paused; }
    // Lets a paused transfer go on; call only when no curl function is running.
    void resume();

    // The whole-request deadline has passed. A transfer that curl does not call back (a paused one) is
    // ended by its owner: endAtDeadline(), then detached as aborted.
    bool isPastDeadline() const;
    void endAtDeadline() { m_endedAtDeadline = true; }

    // From now on the write callback refuses data and the result reports a cancel.
    void requestCancel();
    bool cancelRequested() const { return m_cancelRequested; }

    // Reads what curl knows about the finished transfer; call once curl is done with the handle.
    void finish(CURLcode code);
    TransferResult takeResult();

    // A finished transfer whose redirect led away from the host its own headers are for ended before the
    // headers went there: the request that goes on from that point without them. Nothing otherwise.
    std::optional<TransferRequest> continuation() const;
    // Of a finished transfer: the redirects it followed (whether all were permanent), and the host it was sent
    // to first.
    int redirects() const { return m_result.redirects; }
    bool onlyPermanentRedirects() const { return m_result.permanentRedirect; }
    const QString& host() const { return m_result.host; }

private:
    static size_t onWrite(char* data, size_t size, size_t count, void* self);
    static size_t onHeader(char* data, size_t size, size_t count, void* self);
    static int onProgress(void* self, curl_off_t, curl_off_t, curl_off_t, curl_off_t);
    static int onRequestReady(void* self, char*, char*, int, int);
    void useOwnHeaders(const curl_slist* common, const QString& host);
    size_t receive(const char* data, size_t bytes);
    void receiveHeaderLine(QByteArray line);
    // The last answer was not the final one: it was a redirect, followed.
    void passHop();
    CURLcode setUp(const QByteArray& encodedUrl, curl_slist* requestHeaders);
    WebFailure failureOf(CURLcode code, bool http) const;

    const quint64 m_id;
    const TransferRequest m_request;
    CurlEasyPtr m_handle;
    char m_errorBuffer[CURL_ERROR_SIZE] = {};
    BodyBudget& m_budget;
    QByteArray m_received;
    bool m_paused = false;
    bool m_everPaused = false; // the budget held it back at some time
    qint64 m_deadline = 0;     // steady clock, in milliseconds
    qint64 m_lastByteAt = 0;   // the same clock: when the last header or body bytes arrived
    bool m_endedAtDeadline = false;
    int m_pendingBlocks = 0;
    HttpHeaders m_headers;
    long m_status = 0;
    bool m_inHttpResponse = false;
    bool m_onlyPermanentHops = true; // every answer that was followed elsewhere was a 301 or 308
    bool m_overLimit = false;        // the cap ended a transfer that must fail then
    bool m_cancelRequested = false;
    TransferResult m_result;
    CurlSlistPtr m_ownHeaders; // the common headers and the request's own, when it has any
    QString m_headersHost;     // the host the request's own headers are for
    QString m_leftHostAt;      // the URL of another host a redirect led to, before the headers went there
};
