#pragma once

#include "links/WebLinkCheck.h"

#include <QByteArray>
#include <QList>
#include <QSet>
#include <QString>

#include <optional>

// A request header the user wants sent to one host only, such as an intranet's authorisation.
struct HostHeader {
    QString host;    // lower case
    QByteArray line; // "Name: value"
};

// Reads "HOST=Name: value". Nothing when the text is not of that form, or when the header would break the
// request (a line break in it, a name that is no HTTP token).
std::optional<HostHeader> parseHostHeader(const QString& text);

// Reads "403, 999": HTTP statuses from 100 to 999 separated by commas (an empty text is none). Nothing when
// any of them is no such status.
std::optional<QSet<long>> parseStatusList(const QString& text);

// What the user asks of every web request of a check.
struct RequestOptions {
    int deadlineSeconds = WebLimits::DeadlineSeconds; // the whole request of a link, however slowly it arrives
    QString userAgent;                                // empty: the program's own name
    QList<HostHeader> headers;
    QSet<long> acceptedStatuses; // HTTP statuses of 400 or more counted as an answer (403 of sites that block bots)

    // The header lines for the host of url.
    QList<QByteArray> headersFor(const QString& url) const;
};
