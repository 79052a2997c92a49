#include "AnchorIndex.h"

#include "Fragment.h"
#include "TagScan.h"

namespace {

// Adds the value of the first attribute of the given name of every tag; a quoted value that is not
// closed names nothing.
void collect(QStringView text, QStringView upper, TagCandidates tags, QStringView blankAndName, QSet<QString>& names)
{
    NextAttribute attributes(upper, blankAndName);
    ValueEnds ends(upper);
    // Overlapping tags share their ">" and often the attribute: read each attribute once.
    qsizetype lastAttribute = -1;
    while (tags.next() && tags.end() >= 0) {
        const auto attribute = attributes.within(tags.start(), tags.end());
        if (!attribute || attribute->at == lastAttribute)
            continue;
        lastAttribute = attribute->at;
        const ValueSpan span = ends.span(*attribute, tags.end());
        if (span.closed)
            names.insert(decodeCharacterReferences(text.sliced(span.begin, span.end - span.begin)));
    }
}

} // namespace

AnchorIndex::AnchorIndex(QStringView text, QStringView upper)
{
    const TaglessRanges tagless(upper);
    collect(text, upper, TagCandidates(upper, TagCandidates::Kind::Links, &tagless), u" NAME", m_names);
    collect(text, upper, TagCandidates(upper, TagCandidates::Kind::Any, &tagless), u" ID", m_names);
    for (const QString& name : std::as_const(m_names))
        m_byFoldedCase.insert(name.toCaseFolded(), name);
}

FragmentMatch AnchorIndex::match(const QString& fragment) const
{
    if (fragment.isEmpty())
        return {FragmentMatch::Kind::TopOfPage, {}};
    const QStringList candidates = fragmentCandidates(fragment);
    for (const QString& candidate : candidates) {
        if (m_names.contains(candidate))
            return {FragmentMatch::Kind::Found, {}};
    }
    for (const QString& candidate : candidates) {
        if (candidate.compare(u"top", Qt::CaseInsensitive) == 0)
            return {FragmentMatch::Kind::TopOfPage, {}};
    }
    for (const QString& candidate : candidates) {
        if (const auto it = m_byFoldedCase.constFind(candidate.toCaseFolded()); it != m_byFoldedCase.cend())
            return {FragmentMatch::Kind::DiffersInCase, *it};
    }
    return {};
}
