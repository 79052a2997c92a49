#include "LinkClassifier.h"

#include "LinkKinds.h"
#include "common/FileTest.h"
#include "common/PercentDecoding.h"
#include "common/SearchCopy.h"

#include <algorithm>

namespace {

struct PrefixResult {
    QLatin1StringView prefix;
    LinkResult result;
};

// The schemes never checked, in the order they are tested.
constexpr PrefixResult NoCheckPrefixes[] = {
    {QLatin1StringView("MAILTO:"), LinkResult::NoCheckMailto},
    {QLatin1StringView("JAVASCRIPT:"), LinkResult::NoCheckJavascript},
    {QLatin1StringView("VBSCRIPT:"), LinkResult::NoCheckVbscript},
};

constexpr QLatin1StringView WebPrefixes[] = {QLatin1StringView("HTTP:"), QLatin1StringView("HTTPS:"),
                                             QLatin1StringView("FTP:")};

LinkResult noCheckResult(QStringView upperValue)
{
    for (const auto& entry : NoCheckPrefixes) {
        if (upperValue.startsWith(entry.prefix))
            return entry.result;
    }
    return LinkResult::Unchecked;
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

LinkResult preClassify(QStringView upperValue)
{
    // The three prefixes exclude each other, so the order of the tests does not matter.
    if (upperValue.isEmpty())
        return LinkResult::NoCheckEmpty;
    return noCheckResult(upperValue);
}

QString localLinkPath(const QString& base, const QString& value, const TextEncoding& documentEncoding)
{
    QString path = value;
    path.replace(u'\\', u'/');
    const auto cut = std::find_if(path.cbegin(), path.cend(), [](QChar c) { return c == u'#' || c == u'?'; });
    path.truncate(cut - path.cbegin());
    path = decodePercentInPath(path, documentEncoding);
    return path.startsWith(u'/') ? base + path : base + u'/' + path;
}

LinkClassifier::LinkClassifier(QString base, bool docIsFile, std::function<bool(const QString&)> hasAnchor,
                               TextEncoding documentEncoding)
    : m_base(std::move(base)), m_docIsFile(docIsFile), m_encoding(std::move(documentEncoding)),
      m_hasAnchor(std::move(hasAnchor))
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
        return {Check::Anchor, LinkResult::Unchecked, upperCaseKeepingLength(value.mid(1))};

    const QString upper = upperCaseKeepingLength(value);
    if (const LinkResult fixed = noCheckResult(upper); fixed != LinkResult::Unchecked)
        return {Check::Fixed, fixed, QString()};
    if (isWebValue(upper))
        return {Check::Web, LinkResult::Unchecked, value};

    if (m_docIsFile)
        return {Check::File, LinkResult::Unchecked, localLinkPath(m_base, value, m_encoding)};
    if (!value.startsWith(u'/'))
        return {Check::Web, LinkResult::Unchecked, m_base + u'/' + value};
    // A root-relative link of a web document: on the web first, then as a local path.
    return {Check::WebThenFile, LinkResult::Unchecked, m_base + value};
}

Classification LinkClassifier::classify(const QString& value) const
{
    const Plan p = plan(value);
    switch (p.check) {
    case Check::Fixed:
        return {p.result, {LinkReason::Kind::NotChecked, QString(), {}}};
    case Check::Anchor:
        // Looked up without regard to case; reported as written.
        return {m_hasAnchor(p.target) ? LinkResult::OkPage : LinkResult::NgPage,
                {LinkReason::Kind::Anchor, value.mid(1), {}}};
    case Check::File:
        return checkFile(p.target);
    case Check::Web:
    case Check::WebThenFile:
        break;
    }
    Q_ASSERT_X(false, "LinkClassifier::classify", "a web link needs the web's verdict");
    return {};
}

Classification LinkClassifier::classify(const QString& value, const WebVerdict& verdict) const
{
    const Plan p = plan(value);
    if (verdict.exists || p.check != Check::WebThenFile)
        return {verdict.exists ? LinkResult::OkWeb : LinkResult::NgWeb, {LinkReason::Kind::Web, p.target, verdict}};
    // A root-relative link of a web document that the web does not have: the local path is looked up.
    Classification file = checkFile(p.target);
    file.reason.kind = LinkReason::Kind::WebThenFile;
    file.reason.web = verdict;
    return file;
}

std::optional<QString> LinkClassifier::webUrl(const QString& value) const
{
    const Plan p = plan(value);
    if (p.check == Check::Web || p.check == Check::WebThenFile)
        return p.target;
    return std::nullopt;
}

Classification LinkClassifier::checkFile(const QString& path) const
{
    return {fileExists(path) ? LinkResult::OkFile : LinkResult::NgFile, {LinkReason::Kind::File, path, {}}};
}
