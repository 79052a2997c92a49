#include "AnchorIndex.h"

#include "TagScan.h"
#include "common/SearchCopy.h"

#include <exception>

namespace {

// Adds the value of the first attribute of the given name of every tag; a quoted value that is not
// closed names nothing.
void collect(QStringView upper, TagCandidates tags, QStringView blankAndName, QSet<QString>& names)
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
            names.insert(upper.sliced(span.begin, span.end - span.begin).toString());
    }
}

} // namespace

AnchorIndex::AnchorIndex(QStringView upper)
{
    collect(upper, TagCandidates(upper, TagCandidates::Kind::Links), u" NAME", m_names);
    collect(upper, TagCandidates(upper, TagCandidates::Kind::Any), u" ID", m_names);
}

bool findNameAnchor(const QString& text, const QString& name, bool& found)
{
    try {
        found = AnchorIndex(makeSearchCopy(text)).contains(name);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}
