#include "LinkClassifier.h"

#include "LinkKinds.h"
#include "common/FileTest.h"
#include "common/PageListing.h"
#include "common/PercentDecoding.h"
#include "common/SearchCopy.h"

#include <QUrl>

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

// A scheme the program checks (or reads as a file): the web's, and file.
bool isCheckedScheme(const QString& scheme)
{
    return scheme == u"http" || scheme == u"https" || scheme == u"ftp" || scheme == u"file";
}

// The local path a file: URL names; a relative one is joined to the folder base.
QString fileUrlPath(const QString& base, const QString& value)
{
    QString path = QUrl(value).toLocalFile();
    if (path.isEmpty())
        path = value.mid(value.indexOf(u':') + 1).section(u'#', 0, 0).section(u'?', 0, 0);
    return path.startsWith(u'/') ? path : base + u'/' + path;
}

// What follows the first "#" of a value; empty when there is none.
QString fragmentOf(const QString& value)
{
    const qsizetype hash = value.indexOf(u'#');
    return hash < 0 ? QString() : value.mid(hash + 1);
}

} // namespace

LinkResult preClassify(QStringView upperValue)
{
    // The prefixes exclude each other, so the order of the tests does not matter.
    if (upperValue.isEmpty())
        return LinkResult::NoCheckEmpty;
    const LinkResult fixed = noCheckResult(upperValue);
    if (fixed != LinkResult::Unchecked)
        return fixed;
    const QString scheme = schemeOf(upperValue);
    return scheme.isEmpty() || isCheckedScheme(scheme) ? LinkResult::Unchecked : LinkResult::NoCheckOther;
}

QString schemeOf(QStringView value)
{
    const qsizetype colon = value.indexOf(u':');
    if (colon < 2)
        return QString();
    const char16_t first = value.front().unicode();
    if (!((first >= u'a' && first <= u'z') || (first >= u'A' && first <= u'Z')))
        return QString();
    for (const QChar c : value.first(colon)) {
        const char16_t u = c.unicode();
        const bool allowed = (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9') ||
                             u == u'+' || u == u'-' || u == u'.';
        if (!allowed)
            return QString();
    }
    return value.first(colon).toString().toLower();
}

bool isRootRelative(const QString& value)
{
    const QString slashed = QString(value).replace(u'\\', u'/');
    return slashed.startsWith(u'/') && !slashed.startsWith(u"//");
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

LinkClassifier::LinkClassifier(QString base, bool docIsFile, FindFragment findFragment, TextEncoding documentEncoding,
                               LocalTargets localTargets)
    : m_base(std::move(base)), m_docIsFile(docIsFile), m_encoding(std::move(documentEncoding)),
      m_findFragment(std::move(findFragment)), m_localTargets(std::move(localTargets))
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
    // A fragment, or a query with or without one, leads into this document whatever its base.
    if (value.startsWith(u'#'))
        return {Check::Fragment, LinkResult::Unchecked, value.mid(1)};
    if (value.startsWith(u'?')) {
        const qsizetype hash = value.indexOf(u'#');
        return hash < 0 ? Plan{Check::ThisDocument, LinkResult::Unchecked, QString()}
                        : Plan{Check::Fragment, LinkResult::Unchecked, value.mid(hash + 1)};
    }

    const QString upper = upperCaseKeepingLength(value);
    if (const LinkResult fixed = noCheckResult(upper); fixed != LinkResult::Unchecked)
        return {Check::Fixed, fixed, QString()};
    if (isWebValue(upper))
        return {Check::Web, LinkResult::Unchecked, value};
    if (const QString scheme = schemeOf(value); !scheme.isEmpty()) {
        if (scheme == u"file")
            return {Check::File, LinkResult::Unchecked, fileUrlPath(m_base, value), fragmentOf(value)};
        if (!isCheckedScheme(scheme))
            return {Check::Fixed, LinkResult::NoCheckOther, scheme};
    }

    if (m_docIsFile)
        return localPlan(value);
    if (!value.startsWith(u'/'))
        return {Check::Web, LinkResult::Unchecked, m_base + u'/' + value};
    // A root-relative link of a web document: on the web first, then as a local path.
    return {Check::WebThenFile, LinkResult::Unchecked, m_base + value};
}

LinkClassifier::Plan LinkClassifier::localPlan(const QString& value) const
{
    // A root-relative link starts from the site's root, when there is one.
    const bool rootRelative = isRootRelative(value);
    const QString& from = rootRelative && !m_localTargets.siteRoot.isEmpty() ? m_localTargets.siteRoot : m_base;
    return {Check::File, LinkResult::Unchecked, localLinkPath(from, value, m_encoding), fragmentOf(value),
            rootRelative && m_localTargets.siteRoot.isEmpty()};
}

Classification LinkClassifier::classify(const QString& value) const
{
    const Plan p = plan(value);
    switch (p.check) {
    case Check::Fixed:
        return {p.result, {LinkReason::Kind::NotChecked, p.target, {}, {}}};
    case Check::Fragment:
        return checkFragment(p.target);
    case Check::ThisDocument:
        return {LinkResult::OkPage, {LinkReason::Kind::ThisDocument, QString(), {}, {}}};
    case Check::File:
        return checkFile(p);
    case Check::Web:
    case Check::WebThenFile:
        break;
    }
    Q_ASSERT_X(false, "LinkClassifier::classify", "a web link needs the web's verdict");
    return {};
}

Classification LinkClassifier::checkFragment(const QString& fragment) const
{
    // Looked up as a browser looks it up; reported as written.
    const FragmentMatch match = m_findFragment(fragment);
    switch (match.kind) {
    case FragmentMatch::Kind::Found:
        return {LinkResult::OkPage, {LinkReason::Kind::Anchor, fragment, {}, {}}};
    case FragmentMatch::Kind::TopOfPage:
        return {LinkResult::OkPage, {LinkReason::Kind::TopOfPage, fragment, {}, {}}};
    case FragmentMatch::Kind::DiffersInCase:
        return {LinkResult::NgPage, {LinkReason::Kind::AnchorInOtherCase, fragment, match.nearest, {}}};
    case FragmentMatch::Kind::Missing:
        break;
    }
    return {LinkResult::NgPage, {LinkReason::Kind::Anchor, fragment, {}, {}}};
}

Classification LinkClassifier::classify(const QString& value, const WebVerdict& verdict) const
{
    const Plan p = plan(value);
    if (verdict.exists || p.check != Check::WebThenFile)
        return {verdict.exists ? LinkResult::OkWeb : LinkResult::NgWeb, {LinkReason::Kind::Web, p.target, {}, verdict}};
    // A root-relative link of a web document that the web does not have: the local path is looked up.
    Classification file = checkFile({Check::File, LinkResult::Unchecked, p.target});
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

std::optional<QString> LinkClassifier::absoluteAddress(const QString& value) const
{
    const Plan p = plan(value);
    if (p.check == Check::Web || p.check == Check::WebThenFile)
        return p.target;
    if (p.check != Check::File)
        return std::nullopt;
    QUrl address = QUrl::fromLocalFile(p.target);
    if (!p.fragment.isEmpty())
        address.setFragment(p.fragment);
    return address.toString(QUrl::FullyEncoded);
}

Classification LinkClassifier::checkFile(const Plan& plan) const
{
    Classification file{fileExists(plan.target) ? LinkResult::OkFile : LinkResult::NgFile,
                        {LinkReason::Kind::File, plan.target, {}, {}}};
    file.reason.rootRelativeWithoutRoot = plan.withoutRoot;
    // A link into a part of a page holds only where the page has that part; an empty fragment, and a target
    // that is no HTML page, count by the file's existence.
    if (file.result != LinkResult::OkFile || plan.fragment.isEmpty() || !m_localTargets.findInPage ||
        !isPageName(plan.target))
        return file;
    const std::optional<FragmentMatch> match = m_localTargets.findInPage(plan.target, plan.fragment);
    if (!match || match->kind == FragmentMatch::Kind::TopOfPage)
        return file;
    file.reason.fragment = plan.fragment;
    file.reason.nearest = match->nearest;
    if (match->kind != FragmentMatch::Kind::Found)
        file.result = LinkResult::NgFile;
    return file;
}
