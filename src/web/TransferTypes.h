#pragma once

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

// Removes up to maxBytes from the front of bytes and returns them.
QByteArray takeFront(QByteArray& bytes, qint64 maxBytes);

// Header lines of one response in arrival order: name and value as the server sent them.
using HttpHeaders = QList<std::pair<QByteArray, QByteArray>>;

// The value of the first header called name (compared without regard to case), trimmed; empty when absent.
QString findHeader(const HttpHeaders& headers, const QString& name);

// What to fetch and within which bounds. Everything the link check asks of the network crosses here.
struct TransferRequest {
    QString url;                           // as the user wrote it; encoded leniently before it is sent
    qint64 maxBodyBytes = 4 * 1024 * 1024; // counted after content decoding, so a compression bomb stops here
    bool failOverLimit = false;            // false: reaching the cap ends the transfer and keeps what arrived
    int connectTimeoutMs = 20000;
    int stallSeconds = 30; // fewer than one byte a second over this span fails the transfer
    int maxRedirects = 10;
};

struct TransferResult {
    enum class Outcome { Completed, Failed, Cancelled };

    Outcome outcome = Outcome::Failed;
    QString errorText;      // why it failed or was cancelled; empty when completed
    long status = 0;        // HTTP status of the final response; 0 when there was none or for FTP
    QByteArray body;        // content-decoded; bytes taken while the transfer ran are not repeated here
    HttpHeaders headers;    // of the final HTTP response only
    QString host;           // host of the URL as requested, before any redirect, lower-case
    QString finalUrl;       // where the last redirect led; the encoded request URL when there was none
    bool truncated = false; // the byte cap ended the transfer; the body is the first maxBodyBytes bytes

    QString header(const QString& name) const { return findHeader(headers, name); }
};
