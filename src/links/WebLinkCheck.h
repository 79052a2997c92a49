#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

// The bounds every web request gets.
namespace WebLimits {
constexpr int ConnectTimeoutSeconds = 20;
constexpr int StallSeconds = 30;    // fewer than one byte a second over this span ends a transfer
constexpr int DeadlineSeconds = 60; // the whole transfer of a link or a probe
constexpr int MaxRedirects = 10;
} // namespace WebLimits

// Why a web request brought no answer.
enum class WebFailure {
    None,
    InvalidUrl,
    HostNotFound,
    ConnectionRefused,
    ConnectTimeout, // no connection within the connect time-out
    Stalled,        // connected, then nothing for the stall time-out
    TlsUntrusted,   // the server's certificate is not trusted (or names another host)
    TlsFailed,      // another TLS failure
    TooManyRedirects,
    ProtocolNotAllowed, // a URL or redirect to anything but http, https or ftp
    TooLarge,           // over the byte cap or past the deadline, where that fails the transfer
    RemoteFileNotFound, // an FTP server has no such file
    Cancelled,          // stopped by the user
    NoCompleteAnswer,   // the whole-request deadline passed before the answer was complete
    TooSlow,            // bytes kept coming, but fewer than one a second over the stall time-out
    NotHttp,            // the server answered, but not in HTTP (HTTP/0.9, a garbled status line)
    HeadersTooLarge,    // a header line longer than the network library accepts
    Other,
};

// Why a web link is OK or not.
enum class WebReason {
    Answered,          // OK: the target answered (an HTTP status below 400, or an FTP file)
    CutWhileStreaming, // OK: an FTP or .EXE transfer kept streaming and was cut
    HttpError,         // NG: an HTTP status of 400 or more
    AcceptedStatus,    // OK: an HTTP status of 400 or more that the user counts as an answer
    SameAsNotFound,    // NG: the same answer as a page that does not exist
    MissingHeaders,    // NG: no Server, Date or Last-Modified header
    NoAnswer,          // NG: the request failed (failure says why)
};

// The check of one web link, and why it came out so.
struct WebVerdict {
    bool exists = false;
    WebReason reason = WebReason::NoAnswer;
    long status = 0; // HTTP status of the final answer; 0 for FTP or none
    WebFailure failure = WebFailure::None;
    int limitSeconds = 0;              // for a failure bound to a time-out or deadline: its seconds
    QString failureText;               // the network library's words for a failure
    QString finalUrl;                  // where the last redirect led
    int redirects = 0;                 // how many redirects were followed
    bool permanentRedirect = false;    // redirected, and every redirect was a permanent one (301, 308)
    std::optional<bool> fragmentFound; // a link with a fragment whose page arrived: an id or name of it there
};

// The callbacks of one run of web checks. None is ever called from inside WebLinkCheck::start().
struct WebRunCallbacks {
    // The verdict on urls[index]: once for each URL, in the order of the URLs.
    std::function<void(int index, const WebVerdict& verdict)> decided;
    // How many of the URLs have had their answer (or failure) so far; answers arrive ahead of verdicts.
    std::function<void(int answered)> answered;
};

// A run of web checks under way. Destroying it ends every request it still has; no callback follows.
class WebRun {
public:
    virtual ~WebRun() = default;
};

// The check of web links ("HTTP:", "HTTPS:", "FTP:"). The network implementation lives with the
// transfer layer; tests put their own in its place.
class WebLinkCheck {
public:
    virtual ~WebLinkCheck() = default;
    // Checks the URLs and reports through the callbacks. Requests may run at once and in any order, but
    // the verdicts are those of checking one URL after the other in the order given.
    virtual std::unique_ptr<WebRun> start(const QStringList& urls, WebRunCallbacks callbacks) = 0;
};
