#include "LinkClassifier.h"

#include "LinkKinds.h"
#include "WebLinkCheck.h"
#include "common/FileTest.h"
#include "common/SearchCopy.h"

#include <QByteArray>

#include <algorithm>

namespace {

struct PrefixCode {
    QLatin1StringView prefix;
    int code;
};

// The schemes never checked, in the order they are tested.
constexpr PrefixCode NoCheckPrefixes[] = {
    {QLatin1StringView("MAILTO:"), LR_NOCHECK_MAILTO},
    {QLatin1StringView("JAVASCRIPT:"), LR_NOCHECK_JAVASCRIPT},
    {QLatin1StringView("VBSCRIPT:"), LR_NOCHECK_VBSCRIPT},
};

constexpr QLatin1StringView WebPrefixes[] = {
    QLatin1StringView("HTTP:"), QLatin1StringView("HTTPS:"), QLatin1StringView("FTP:")};

int noCheckCode(const QString& upperValue)
{
    for (const auto& entry : NoCheckPrefixes) {
        if (upperValue.startsWith(entry.prefix))
            return entry.code;
    }
    return 0;
}

bool isWebValue(const QString& upperValue)
{
    for (const auto prefix : WebPrefixes) {
        if (upperValue.startsWith(prefix))
            return true;
    }
    return false;
}

} // namespace

int preClassify(const QString& upperValue)
{
    // The three prefixes exclude each other, so the order of the tests does not matter.
    if (upperValue.isEmpty())
        return LR_NOCHECK_EMPTY;
    return noCheckCode(upperValue);
}

QString localLinkPath(const QString& base, const QString& value)
{
    QString path = value;
    path.replace(u'\\', u'/');
    const auto cut = std::find_if(path.cbegin(), path.cend(), [](QChar c) { return c == u'#' || c == u'?'; });
    path.truncate(cut - path.cbegin());
    path = QString::fromUtf8(QByteArray::fromPercentEncoding(path.toUtf8()));
    return path.startsWith(u'/') ? base + path : base + u'/' + path;
}

LinkClassifier::LinkClassifier(QString base, bool docIsFile, WebLinkCheck& web,
                               std::function<bool(const QString&)> hasAnchor)
    : m_base(std::move(base)), m_docIsFile(docIsFile), m_web(web), m_hasAnchor(std::move(hasAnchor))
{
}

QString LinkClassifier::normaliseBase(const QString& docBase)
{
    QString base = trimBlanks(docBase);
    if (base.endsWith(u'/') || base.endsWith(u'\\'))
        base.chop(1);
    return base;
}

LinkClassifier::Plan LinkClassifier::plan(const QString& value) const
{
    if (value.startsWith(u'#'))
        return {Check::Anchor, 0, upperCaseKeepingLength(value.mid(1))};

    const QString upper = upperCaseKeepingLength(value);
    if (const int code = noCheckCode(upper))
        return {Check::Fixed, code, QString()};
    if (isWebValue(upper))
        return {Check::Web, 0, value};

    if (m_docIsFile)
        return {Check::File, 0, localLinkPath(m_base, value)};
    if (!value.startsWith(u'/'))
        return {Check::Web, 0, m_base + u'/' + value};
    // A root-relative link of a web document: on the web first, then as a local path.
    return {Check::WebThenFile, 0, m_base + value};
}

int LinkClassifier::classify(const QString& value) const
{
    const Plan p = plan(value);
    switch (p.check) {
    case Check::Fixed:
        return p.code;
    case Check::Anchor:
        return m_hasAnchor(p.target) ? LR_OK_PAGE : LR_NG_PAGE;
    case Check::Web:
        return checkWeb(p.target);
    case Check::WebThenFile:
        return m_web.Fnc_CheckWebLink(p.target) ? LR_OK_WEB : checkFile(p.target);
    case Check::File:
        break;
    }
    return checkFile(p.target);
}

std::optional<QString> LinkClassifier::webUrl(const QString& value) const
{
    const Plan p = plan(value);
    if (p.check == Check::Web || p.check == Check::WebThenFile)
        return p.target;
    return std::nullopt;
}

int LinkClassifier::checkWeb(const QString& url) const
{
    return m_web.Fnc_CheckWebLink(url) ? LR_OK_WEB : LR_NG_WEB;
}

int LinkClassifier::checkFile(const QString& path) const
{
    return Fnc_FileExists(path) ? LR_OK_FILE : LR_NG_FILE;
}
