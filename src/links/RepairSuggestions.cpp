#include "RepairSuggestions.h"

#include "DocumentBase.h"
#include "FileNameIndex.h"
#include "Fragment.h"
#include "LinkClassifier.h"
#include "TaglessRanges.h"
#include "common/SearchCopy.h"

#include <QDir>

#include <algorithm>
#include <tuple>

namespace {

// Where a value's "?query" or "#fragment" begins; its length when it has neither.
qsizetype suffixStart(const QString& value)
{
    const auto cut = std::find_if(value.cbegin(), value.cend(), [](QChar c) { return c == u'#' || c == u'?'; });
    return cut - value.cbegin();
}

// A path or name made safe to stand in a link value, quoted or not: what would end the value, start its query
// or fragment, or read as an escape becomes its %XX escape (which the check decodes again). Other characters,
// Japanese ones included, stay as they are, as authors write them.
QString escapedForValue(const QString& text)
{
    QString escaped;
    escaped.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x20 || u == 0x7F || u == u' ' || u == u'"' || u == u'\'' || u == u'<' || u == u'>' || u == u'#' ||
            u == u'?' || u == u'%' || u == u'`')
            escaped += QStringLiteral("%%1").arg(int(u), 2, 16, QChar(u'0')).toUpper();
        else
            escaped += c;
    }
    return escaped;
}

// How many folders apart two folders are: up from one to what they share, then down to the other.
int foldersApart(const QString& from, const QString& to)
{
    const QStringList a = from.split(u'/', Qt::SkipEmptyParts);
    const QStringList b = to.split(u'/', Qt::SkipEmptyParts);
    qsizetype shared = 0;
    while (shared < a.size() && shared < b.size() && a[shared] == b[shared])
        ++shared;
    return int(a.size() - shared + b.size() - shared);
}

QString folderOf(const QString& path)
{
    return path.left(std::max<qsizetype>(path.lastIndexOf(u'/'), 0));
}

} // namespace

RepairSuggestions::RepairSuggestions(QString text, CheckContext context, QString pageEncoding, FileTrees* trees)
    : m_text(std::move(text)), m_context(std::move(context)),
      m_ownTrees(trees ? nullptr : std::make_unique<FileTrees>()), m_trees(trees ? trees : m_ownTrees.get()),
      m_pages(std::move(pageEncoding))
{
}

RepairSuggestions::~RepairSuggestions() = default;

std::optional<QString> RepairSuggestions::movedTo(const LinkEntry& link)
{
    const WebVerdict& web = link.reason.web;
    if (!link.decided || link.result != LinkResult::OkWeb || link.reason.kind != LinkReason::Kind::Web ||
        !web.permanentRedirect || web.finalUrl.isEmpty())
        return std::nullopt;
    QString moved = web.finalUrl;
    // Written as the value writes its ampersands; its fragment is the page's part, which the server never saw.
    if (link.value.contains(QStringLiteral("&amp;")))
        moved.replace(u'&', QStringLiteral("&amp;"));
    if (const qsizetype hash = link.value.indexOf(u'#'); hash >= 0)
        moved += link.value.mid(hash);
    if (moved == link.value)
        return std::nullopt;
    return moved;
}

QStringList RepairSuggestions::of(const LinkEntry& link)
{
    if (!link.decided)
        return {};
    if (const std::optional<QString> moved = movedTo(link))
        return {*moved};
    // Links of one value share their result: the many links of a document to one missing file are looked up once.
    const QString key = QString::number(toCode(link.result)) + u' ' + link.value;
    if (const auto known = m_byValue.constFind(key); known != m_byValue.cend())
        return *known;
    return *m_byValue.insert(key, repairsOf(link));
}

QStringList RepairSuggestions::repairsOf(const LinkEntry& link)
{
    const LinkReason& reason = link.reason;
    const bool inPage = reason.kind == LinkReason::Kind::Anchor || reason.kind == LinkReason::Kind::AnchorInOtherCase;
    if (link.result == LinkResult::NgPage && inPage)
        return forFragment(link.value, reason.target, targetsOf(QString()));
    if (link.result != LinkResult::NgFile || reason.kind != LinkReason::Kind::File)
        return {};
    // A fragment is looked up only in a page that exists.
    if (!reason.fragment.isEmpty())
        return forFragment(link.value, reason.fragment, targetsOf(QDir::cleanPath(reason.target)));
    return forMissingFile(link);
}

QStringList RepairSuggestions::forFragment(const QString& value, const QString& fragment, const Targets& targets) const
{
    struct Found {
        QString name;
        int slips;
        bool otherCase;
    };
    // Compared as a browser looks the fragment up: decoded.
    const QString looked = fragmentCandidates(fragment).constLast();
    std::vector<Found> found;
    for (const NearNames::Near& near : targets.near.near(looked.toCaseFolded(), allowedSlips(looked.size()))) {
        for (const QString& name : targets.spellings.value(near.folded))
            found.push_back({name, near.slips, slipsBetween(name, looked, near.slips) > near.slips});
    }
    std::sort(found.begin(), found.end(), [](const Found& a, const Found& b) {
        return std::tie(a.slips, a.otherCase, a.name) < std::tie(b.slips, b.otherCase, b.name);
    });
    const QString before = value.left(value.indexOf(u'#') + 1);
    QStringList values;
    for (qsizetype i = 0; i < qsizetype(found.size()) && i < MaxCount; ++i)
        values.append(before + escapedForValue(found[size_t(i)].name));
    return values;
}

const RepairSuggestions::Targets& RepairSuggestions::targetsOf(const QString& pagePath)
{
    if (const auto known = m_targets.constFind(pagePath); known != m_targets.cend())
        return *known;
    Targets targets;
    std::optional<AnchorIndex> own;
    const AnchorIndex* anchors = nullptr;
    if (pagePath.isEmpty())
        anchors = &own.emplace(m_text, makeSearchCopy(m_text));
    else
        anchors = m_pages.anchorsOf(pagePath);
    if (anchors) {
        for (const QString& name : anchors->names()) {
            const QString folded = name.toCaseFolded();
            targets.near.add(folded);
            targets.spellings[folded].append(name);
        }
    }
    return *m_targets.insert(pagePath, std::move(targets));
}

QStringList RepairSuggestions::forMissingFile(const LinkEntry& link)
{
    // A file: URL, and a link of a page that is no local file, name nothing in the site's tree.
    if (!m_context.docIsFile || !based().docIsFile || !schemeOf(link.value).isEmpty())
        return {};
    const QString target = QDir::cleanPath(link.reason.target);
    const QString name = target.mid(target.lastIndexOf(u'/') + 1);
    if (name.isEmpty())
        return {};
    const QString root =
        LinkClassifier::normaliseBase(m_context.siteRoot.isEmpty() ? m_context.base : m_context.siteRoot);
    const QString folder = folderOf(target);
    // Fewest slips first, then the nearest folder, then the same letter case; by path last, so the order is stable.
    std::vector<std::tuple<int, int, bool, QString>> ranked;
    for (FileNameIndex::Candidate& candidate : m_trees->below(root).near(name)) {
        const int apart = foldersApart(folder, folderOf(candidate.path));
        ranked.emplace_back(candidate.slips, apart, candidate.otherCase, std::move(candidate.path));
    }
    const auto best = ranked.begin() + std::min<qsizetype>(MaxCount, qsizetype(ranked.size()));
    std::partial_sort(ranked.begin(), best, ranked.end());
    QStringList values;
    for (auto candidate = ranked.begin(); candidate != best; ++candidate)
        values.append(valueLeadingTo(std::get<3>(*candidate), link.value));
    return values;
}

const CheckContext& RepairSuggestions::based()
{
    if (!m_based) {
        const QString upper = makeSearchCopy(m_text);
        m_based = withBaseHref(m_context, baseHref(m_text, upper, TaglessRanges(upper)).value_or(QString()));
    }
    return *m_based;
}

QString RepairSuggestions::valueLeadingTo(const QString& path, const QString& value)
{
    const QString suffix = value.mid(suffixStart(value));
    const QString root = LinkClassifier::normaliseBase(m_context.siteRoot);
    const QString fromRoot = root.isEmpty() ? QString() : QDir(root).relativeFilePath(path);
    if (isRootRelative(value) && !fromRoot.isEmpty() && !fromRoot.startsWith(QStringLiteral("../")))
        return u'/' + escapedForValue(fromRoot) + suffix;
    return escapedForValue(QDir(LinkClassifier::normaliseBase(based().base)).relativeFilePath(path)) + suffix;
}
