#include "web/CurlTransfer.h"

#include <QDeadlineTimer>

#include <algorithm>

namespace {

constexpr char UserAgent[] = "Mozilla/5.0 (compatible; Tarnwick/1.0)";
constexpr char AllowedProtocols[] = "http,https,ftp";

// libcurl reads CURL_CA_BUNDLE only in its command-line tool; honouring it (and SSL_CERT_FILE) here
// lets a user, and the tests, trust their own certificate authority.
QByteArray caBundleFromEnvironment()
{
    const QByteArray bundle = qgetenv("CURL_CA_BUNDLE");
    return bundle.isEmpty() ? qgetenv("SSL_CERT_FILE") : bundle;
}

qint64 now()
{
    return QDeadlineTimer::current().deadline();
}

bool isHttpScheme(const char* scheme)
{
    return scheme && (qstricmp(scheme, "http") == 0 || qstricmp(scheme, "https") == 0);
}

// "HTTP/1.1 301 Moved Permanently" -> 301.
long statusFromLine(const QByteArray& line)
{
    const QList<QByteArray> parts = line.split(' ');
    return parts.size() > 1 ? parts.at(1).toLong() : 0;
}

} // namespace

CurlTransfer::CurlTransfer(quint64 id, const TransferRequest& request, curl_slist* requestHeaders, BodyBudget& budget)
    : m_id(id), m_request(request), m_budget(budget)
{
    // Users write spaces and non-ASCII into links; they are sent percent-encoded.
    const QUrl url = parseWrittenUrl(request.url);
    m_result.host = url.host();
    if (!url.isValid() || url.isRelative()) {
        m_result.failure = WebFailure::InvalidUrl;
        m_result.errorText = QStringLiteral("invalid URL: %1").arg(request.url);
        return;
    }
    m_handle.reset(curl_easy_init());
    const CURLcode code = m_handle ? setUp(url.toEncoded(), requestHeaders) : CURLE_FAILED_INIT;
    if (code != CURLE_OK) {
        m_handle.reset();
        m_result.errorText = QStringLiteral("cannot set up the transfer: %1").arg(curl_easy_strerror(code));
    }
}

CURLcode CurlTransfer::setUp(const QByteArray& encodedUrl, curl_slist* requestHeaders)
{
    CURL* h = m_handle.get();
    CURLcode code = CURLE_OK;
    auto set = [h, &code](CURLoption option, auto value) {
        if (code == CURLE_OK)
            code = curl_easy_setopt(h, option, value);
    };
    set(CURLOPT_URL, encodedUrl.constData());
    set(CURLOPT_PROTOCOLS_STR, AllowedProtocols);
    set(CURLOPT_REDIR_PROTOCOLS_STR, AllowedProtocols);
    set(CURLOPT_FOLLOWLOCATION, 1L);
    set(CURLOPT_MAXREDIRS, long(m_request.maxRedirects));
    set(CURLOPT_CONNECTTIMEOUT_MS, long(m_request.connectTimeoutMs));
    set(CURLOPT_LOW_SPEED_LIMIT, 1L);
    set(CURLOPT_LOW_SPEED_TIME, long(m_request.stallSeconds));
    set(CURLOPT_NOSIGNAL, 1L);
    set(CURLOPT_ERRORBUFFER, m_errorBuffer);
    set(CURLOPT_ACCEPT_ENCODING, "");
    const QByteArray userAgent = m_request.userAgent.isEmpty() ? QByteArray(UserAgent) : m_request.userAgent.toUtf8();
    set(CURLOPT_USERAGENT, userAgent.constData());
    if (!m_request.headers.isEmpty()) {
        useOwnHeaders(requestHeaders, m_result.host);
        requestHeaders = m_ownHeaders.get();
        set(CURLOPT_PREREQFUNCTION, &CurlTransfer::onRequestReady);
        set(CURLOPT_PREREQDATA, this);
    }
    set(CURLOPT_HTTPHEADER, requestHeaders);
    set(CURLOPT_SSL_VERIFYPEER, 1L);
    set(CURLOPT_SSL_VERIFYHOST, 2L);
    const QByteArray caBundle = caBundleFromEnvironment();
    if (!caBundle.isEmpty())
        set(CURLOPT_CAINFO, caBundle.constData());
    set(CURLOPT_WRITEFUNCTION, &CurlTransfer::onWrite);
    set(CURLOPT_WRITEDATA, this);
    set(CURLOPT_HEADERFUNCTION, &CurlTransfer::onHeader);
    set(CURLOPT_HEADERDATA, this);
    // Called at least once a second, also while nothing arrives: where the deadline is kept while the
    // transfer runs (CurlMulti keeps it for a paused one).
    m_lastByteAt = now();
    m_deadline = m_lastByteAt + qint64(m_request.deadlineSeconds) * 1000;
    set(CURLOPT_XFERINFOFUNCTION, &CurlTransfer::onProgress);
    set(CURLOPT_XFERINFODATA, this);
    set(CURLOPT_NOPROGRESS, 0L);
    set(CURLOPT_PRIVATE, this);
    return code;
}

void CurlTransfer::useOwnHeaders(const curl_slist* common, const QString& host)
{
    curl_slist* list = nullptr;
    for (const curl_slist* item = common; item; item = item->next)
        list = curl_slist_append(list, item->data);
    for (const QByteArray& line : m_request.headers)
        list = curl_slist_append(list, line.constData());
    m_ownHeaders.reset(list);
    m_headersHost = host.toLower();
}

// Called before every request of the transfer, the first and each redirect's. libcurl sends custom
// headers on to whatever host a redirect names, so a redirect to another host ends the transfer here,
// before its request goes out; the owner goes on from there without the headers (continuation()).
int CurlTransfer::onRequestReady(void* self, char*, char*, int, int)
{
    auto* transfer = static_cast<CurlTransfer*>(self);
    char* url = nullptr;
    curl_easy_getinfo(transfer->m_handle.get(), CURLINFO_EFFECTIVE_URL, &url);
    const QString address = QString::fromUtf8(url);
    if (QUrl(address).host().toLower() == transfer->m_headersHost)
        return CURL_PREREQFUNC_OK;
    transfer->m_leftHostAt = address;
    return CURL_PREREQFUNC_ABORT;
}

std::optional<TransferRequest> CurlTransfer::continuation() const
{
    if (m_leftHostAt.isEmpty() || m_cancelRequested || m_endedAtDeadline)
        return std::nullopt;
    TransferRequest next = m_request;
    next.url = m_leftHostAt;
    next.headers.clear();
    next.maxRedirects = std::max(0, m_request.maxRedirects - m_result.redirects);
    next.deadlineSeconds = int(std::max<qint64>(1, (m_deadline - now() + 999) / 1000));
    return next;
}

size_t CurlTransfer::onWrite(char* data, size_t size, size_t count, void* self)
{
    return static_cast<CurlTransfer*>(self)->receive(data, size * count);
}

size_t CurlTransfer::onHeader(char* data, size_t size, size_t count, void* self)
{
    static_cast<CurlTransfer*>(self)->receiveHeaderLine(QByteArray(data, qsizetype(size * count)));
    return size * count;
}

int CurlTransfer::onProgress(void* self, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
{
    auto* transfer = static_cast<CurlTransfer*>(self);
    if (!transfer->isPastDeadline())
        return 0;
    transfer->endAtDeadline();
    return 1;
}

bool CurlTransfer::isPastDeadline() const
{
    return now() >= m_deadline;
}

size_t CurlTransfer::receive(const char* data, size_t bytes)
{
    m_lastByteAt = now();
    // Returning fewer bytes than offered makes curl end the transfer with CURLE_WRITE_ERROR.
    if (m_cancelRequested)
        return 0;
    const qint64 room = m_request.maxBodyBytes - m_received.size();
    const bool overCap = qint64(bytes) > room;
    if (overCap && m_request.failOverLimit) {
        m_overLimit = true;
        return 0;
    }
    const qint64 kept = std::min(qint64(bytes), room);
    if (kept > 0 && !m_budget.admits(m_id, m_received.size(), kept)) {
        // curl keeps the block and hands it over again once the transfer is resumed.
        m_paused = true;
        m_everPaused = true;
        return CURL_WRITEFUNC_PAUSE;
    }
    if (kept > 0) {
        // The budget counts the memory taken, which grows ahead of the bytes.
        const qint64 before = m_received.capacity();
        m_received.append(data, qsizetype(kept));
        m_budget.take(m_received.capacity() - before);
        ++m_pendingBlocks;
    }
    m_result.truncated = overCap;
    return overCap ? 0 : bytes;
}

void CurlTransfer::receiveHeaderLine(QByteArray line)
{
    m_lastByteAt = now();
    // curl hands over the headers of every response, redirects included; a status line starts a new set.
    if (line.startsWith("HTTP/")) {
        passHop();
        m_headers.clear();
        m_status = statusFromLine(line);
        m_inHttpResponse = true;
        return;
    }
    // FTP server replies come through here too; they are no headers.
    if (!m_inHttpResponse)
        return;
    const bool continuation = line.startsWith(' ') || line.startsWith('\t');
    line = line.trimmed();
    if (line.isEmpty())
        return;
    if (continuation && !m_headers.isEmpty()) {
        m_headers.last().second += ' ' + line;
        return;
    }
    const qsizetype colon = line.indexOf(':');
    if (colon > 0)
        m_headers.append({line.left(colon).trimmed(), line.mid(colon + 1).trimmed()});
}

void CurlTransfer::passHop()
{
    // An interim answer (1xx) is followed by the real one, not by a redirect.
    if (m_inHttpResponse && m_status >= 200)
        m_onlyPermanentHops = m_onlyPermanentHops && (m_status == 301 || m_status == 308);
}

bool CurlTransfer::takePendingBlock()
{
    if (m_pendingBlocks == 0)
        return false;
    --m_pendingBlocks;
    return true;
}

void CurlTransfer::requestCancel()
{
    m_cancelRequested = true;
    m_pendingBlocks = 0;
}

void CurlTransfer::finish(CURLcode code)
{
    char* scheme = nullptr;
    curl_easy_getinfo(m_handle.get(), CURLINFO_SCHEME, &scheme);
    // A redirect may end on FTP, whose replies are neither an HTTP status nor headers.
    if (!isHttpScheme(scheme)) {
        passHop(); // the last HTTP answer led there
        m_status = 0;
        m_headers.clear();
    }
    char* effectiveUrl = nullptr;
    curl_easy_getinfo(m_handle.get(), CURLINFO_EFFECTIVE_URL, &effectiveUrl);
    m_result.finalUrl = QString::fromUtf8(effectiveUrl);
    long redirects = 0;
    curl_easy_getinfo(m_handle.get(), CURLINFO_REDIRECT_COUNT, &redirects);
    m_result.redirects = int(redirects);
    m_result.permanentRedirect = redirects > 0 && m_onlyPermanentHops;
    m_result.status = m_status;
    m_result.headers = m_headers;

    const bool endedByUs = code == CURLE_WRITE_ERROR || code == CURLE_ABORTED_BY_CALLBACK;
    if (code != CURLE_OK && m_endedAtDeadline && !m_request.failOverLimit) {
        // Judged on what arrived, like a body over the cap. Whoever reads it learns that the answer was
        // still coming, unless the memory budget held the transfer back: then the wait was ours, not the
        // server's, and what arrived is all there is to judge.
        m_result.truncated = true;
        m_result.pastDeadline = !m_everPaused;
        m_result.limitSeconds = m_request.deadlineSeconds;
    }
    if (code == CURLE_OK || (m_result.truncated && endedByUs)) {
        m_result.outcome = TransferResult::Outcome::Completed;
        m_result.failure = WebFailure::None;
    } else if (m_endedAtDeadline) {
        m_result.failure = WebFailure::NoCompleteAnswer;
        m_result.limitSeconds = m_request.deadlineSeconds;
        m_result.errorText = QStringLiteral("no complete answer within %1 s").arg(m_request.deadlineSeconds);
    } else if (m_overLimit) {
        m_result.failure = WebFailure::TooLarge;
        m_result.errorText = QStringLiteral("more than %1 bytes").arg(m_request.maxBodyBytes);
    } else {
        m_result.failure = failureOf(code, isHttpScheme(scheme));
        m_result.errorText = QString::fromUtf8(m_errorBuffer[0] ? m_errorBuffer : curl_easy_strerror(code));
        if (m_result.failure == WebFailure::ConnectTimeout)
            m_result.limitSeconds = m_request.connectTimeoutMs / 1000;
        else if (m_result.failure == WebFailure::Stalled || m_result.failure == WebFailure::TooSlow)
            m_result.limitSeconds = m_request.stallSeconds;
    }
}

WebFailure CurlTransfer::failureOf(CURLcode code, bool http) const
{
    switch (code) {
    case CURLE_COULDNT_RESOLVE_HOST:
        return WebFailure::HostNotFound;
    case CURLE_COULDNT_CONNECT:
        return WebFailure::ConnectionRefused;
    case CURLE_OPERATION_TIMEDOUT: {
        // One code for the connect time-out (which covers a TLS handshake) and the stall: whether the
        // request could be sent tells them apart, and whether any byte came of late a stall from a trickle.
        curl_off_t sendable = 0;
        curl_easy_getinfo(m_handle.get(), CURLINFO_PRETRANSFER_TIME_T, &sendable);
        if (sendable == 0)
            return WebFailure::ConnectTimeout;
        const qint64 quietMs = now() - m_lastByteAt;
        // curl measures the span itself; a second of slack covers the rounding of both clocks.
        return quietMs + 1000 >= qint64(m_request.stallSeconds) * 1000 ? WebFailure::Stalled : WebFailure::TooSlow;
    }
    case CURLE_UNSUPPORTED_PROTOCOL:
        // Also what curl says of an answer without a status line (HTTP/0.9) or with an unknown version; a
        // redirect it refused to follow came with a status line of its own.
        return http && (m_status < 300 || m_status > 399) ? WebFailure::NotHttp : WebFailure::ProtocolNotAllowed;
    case CURLE_WEIRD_SERVER_REPLY:
        return http ? WebFailure::NotHttp : WebFailure::Other;
    case CURLE_OUT_OF_MEMORY:
        // A header line over curl's limit is refused so.
        return m_inHttpResponse ? WebFailure::HeadersTooLarge : WebFailure::Other;
    case CURLE_PEER_FAILED_VERIFICATION:
        return WebFailure::TlsUntrusted;
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_SSL_CERTPROBLEM:
    case CURLE_SSL_CIPHER:
    case CURLE_SSL_ENGINE_NOTFOUND:
    case CURLE_SSL_ENGINE_SETFAILED:
    case CURLE_SSL_ISSUER_ERROR:
    case CURLE_SSL_CRL_BADFILE:
        return WebFailure::TlsFailed;
    case CURLE_TOO_MANY_REDIRECTS:
        return WebFailure::TooManyRedirects;
    case CURLE_REMOTE_FILE_NOT_FOUND:
        return WebFailure::RemoteFileNotFound;
    default:
        return WebFailure::Other;
    }
}

CurlTransfer::~CurlTransfer()
{
    m_budget.release(m_id, m_received.capacity());
}

void CurlTransfer::resume()
{
    m_paused = false;
    curl_easy_pause(m_handle.get(), CURLPAUSE_CONT);
}

TransferResult CurlTransfer::takeResult()
{
    if (m_cancelRequested) {
        m_result.outcome = TransferResult::Outcome::Cancelled;
        m_result.failure = WebFailure::Cancelled;
        m_result.errorText = QStringLiteral("cancelled");
    }
    m_budget.release(m_id, m_received.capacity());
    m_result.body = std::move(m_received);
    m_received.clear();
    return std::move(m_result);
}
