#pragma once

#include "links/WebLinkCheck.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QUrl>

#include <utility>

// How a URL written by a user is read: spaces and non-ASCII become %XX when encoded, existing %XX stay.
inline QUrl parseWrittenUrl(const QString& url)
{
    return QUrl(url, QUrl::TolerantMode);
}

// Header lines of one response in arrival order: name and value as the server sent them.
using HttpHeaders = QList<std::pair<QByteArray, QByteArray>>;

// The value of the first header called name (compared without regard to case), trimmed; empty when absent.
QString findHeader(const HttpHeaders& headers, const QString& name);

// What to fetch and within which bounds. Everything the link check asks of the network crosses here.
struct TransferRequest {
    QString url;                           // as the user wrote it; encoded leniently before it is sent
    qint64 maxBodyBytes = 4 * 1024 * 1024; // counted after content decoding, so a compression bomb stops here
    // false: reaching the cap or the deadline ends the transfer and keeps what arrived; true: it fails.
    bool failOverLimit = false;
    int connectTimeoutMs = WebLimits::ConnectTimeoutSeconds * 1000;
    int stallSeconds = WebLimits::StallSeconds;       // fewer than one byte a second over this span fails the transfer
    int deadlineSeconds = WebLimits::DeadlineSeconds; // the whole transfer, however slowly the server trickles
    int maxRedirects = WebLimits::MaxRedirects;
    QString userAgent; // empty: the program's own name
    // Extra header lines for the host of url alone: a redirect to another host goes on without them.
    QList<QByteArray> headers;
};

struct TransferResult {
    enum class Outcome { Completed, Failed, Cancelled };

    Outcome outcome = Outcome::Failed;
    WebFailure failure = WebFailure::Other; // None once completed
    int limitSeconds = 0;                   // for a failure bound to a time-out or the deadline: its seconds
    QString errorText;                      // the network library's own words for a failure; empty when completed
    long status = 0;                        // HTTP status of the final response; 0 when there was none or for FTP
    QByteArray body;                        // content-decoded
    HttpHeaders headers;                    // of the final HTTP response only
    QString host;                           // host of the URL as requested, before any redirect, lower-case
    QString finalUrl;                       // where the last redirect led; the encoded request URL when there was none
    int redirects = 0;                      // how many redirects were followed
    bool permanentRedirect = false;         // redirected, and every redirect was a permanent one (301, 308)
    bool truncated = false;                 // the cap or the deadline ended the transfer; the body is what arrived
    bool pastDeadline = false;              // it was the deadline: the answer was still coming

    QString header(const QString& name) const { return findHeader(headers, name); }
};
