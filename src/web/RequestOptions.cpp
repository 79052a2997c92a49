#include "RequestOptions.h"

#include "TransferTypes.h"

namespace {

// RFC 9110 token characters: what a header name may be made of.
bool isHeaderName(const QByteArray& name)
{
    static const QByteArray punctuation = "!#$%&'*+-.^_`|~";
    if (name.isEmpty())
        return false;
    for (const char c : name) {
        const bool alphanumeric = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        if (!alphanumeric && !punctuation.contains(c))
            return false;
    }
    return true;
}

} // namespace

std::optional<HostHeader> parseHostHeader(const QString& text)
{
    const qsizetype equals = text.indexOf(u'=');
    const qsizetype colon = text.indexOf(u':', equals + 1);
    if (equals <= 0 || colon < 0 || text.contains(u'\r') || text.contains(u'\n') || text.contains(QChar(0)))
        return std::nullopt;
    const QString host = text.left(equals).trimmed().toLower();
    const QByteArray name = text.mid(equals + 1, colon - equals - 1).trimmed().toUtf8();
    const QByteArray value = text.mid(colon + 1).trimmed().toUtf8();
    if (host.isEmpty() || !isHeaderName(name))
        return std::nullopt;
    return HostHeader{host, name + ": " + value};
}

QList<QByteArray> RequestOptions::headersFor(const QString& url) const
{
    QList<QByteArray> lines;
    if (headers.isEmpty())
        return lines;
    const QString host = parseWrittenUrl(url).host().toLower();
    for (const HostHeader& header : headers) {
        if (header.host == host)
            lines.append(header.line);
    }
    return lines;
}

std::optional<QSet<long>> parseStatusList(const QString& text)
{
    QSet<long> statuses;
    for (const QString& item : text.split(u',', Qt::SkipEmptyParts)) {
        bool ok = false;
        const int status = item.trimmed().toInt(&ok);
        if (!ok || status < 100 || status > 999)
            return std::nullopt;
        statuses.insert(status);
    }
    return statuses;
}
