#include "WebLink.h"

#include "TransferTypes.h"
#include "WebAnswer.h"
#include "common/SearchCopy.h"

QString probeUrlOf(const QString& url)
{
    // The query begins at the first "?" after the host: a "?" cannot stand in a scheme or a host.
    const qsizetype query = url.indexOf(u'?');
    return query < 0 ? url + ProbeSuffix : url.left(query) + ProbeSuffix;
}

WebLink prepareWebLink(const QString& writtenUrl)
{
    WebLink link;
    const QString decoded = decodeEntities(writtenUrl);
    const qsizetype hash = decoded.indexOf(u'#');
    link.hasFragment = hash >= 0;
    if (link.hasFragment)
        link.fragment = decoded.mid(hash + 1);
    link.url = trimBlanks(link.hasFragment ? decoded.left(hash) : decoded);
    link.probeUrl = probeUrlOf(link.url);
    link.host = requestHost(link.url);
    link.probeHost = requestHost(link.probeUrl);

    const QString upper = upperCaseKeepingLength(link.url);
    link.isHttp = isHttpUrl(link.url);
    // "HTTP" without the colon: HTTPS links to .EXE files are cut as well.
    link.cutKind = isFtpUrl(link.url) ||
                   (upper.startsWith(QLatin1StringView("HTTP")) && upper.endsWith(QLatin1StringView(".EXE")));
    return link;
}

bool isHttpUrl(const QString& url)
{
    const QString upper = upperCaseKeepingLength(url);
    return upper.startsWith(QLatin1StringView("HTTP:")) || upper.startsWith(QLatin1StringView("HTTPS:"));
}

bool isFtpUrl(const QString& url)
{
    return upperCaseKeepingLength(url).startsWith(QLatin1StringView("FTP:"));
}

QString requestHost(const QString& url)
{
    return trimBlanks(parseWrittenUrl(url).host());
}
