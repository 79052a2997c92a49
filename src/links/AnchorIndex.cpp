#include "AnchorIndex.h"

#include "TagScan.h"
#include "common/SearchCopy.h"

#include <exception>
#include <optional>

namespace {

// The NAME value of a tag whose " NAME=" starts at d; nullopt when a quoted value is not closed.
// last is the position of the tag's ">".
std::optional<QString> nameValue(QStringView upper, qsizetype d, qsizetype last)
{
    const qsizetype valueStart = d + 6;
    const QChar first = upper.at(valueStart);
    if (first == u'"' || first == u'\'') {
        const qsizetype close = upper.sliced(0, last).indexOf(first, valueStart + 1);
        if (close < 0)
            return std::nullopt;
        return upper.sliced(valueStart + 1, close - valueStart - 1).toString();
    }
    qsizetype end = upper.sliced(0, last).indexOf(u' ', valueStart);
    if (end < 0)
        end = last;
    return upper.sliced(valueStart, end - valueStart).toString();
}

} // namespace

AnchorIndex::AnchorIndex(QStringView upper)
{
    TagCandidates tags(upper);
    NextOccurrence nameForm(upper, u" NAME=");
    // Overlapping candidates share their ">" and often their NAME: read each NAME once.
    qsizetype lastNamePos = -1;
    while (tags.next()) {
        if (tags.end() < 0)
            break;
        if (!nameForm.within(tags.start(), tags.end()))
            continue;
        const qsizetype d = nameForm.at(tags.start());
        if (d == lastNamePos)
            continue;
        lastNamePos = d;
        if (const auto name = nameValue(upper, d, tags.end()))
            m_names.insert(*name);
    }
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
