#include "TaglessRanges.h"

#include <algorithm>
#include <array>

namespace {

// The elements whose contents are text to a browser, never tags.
constexpr std::array<QStringView, 4> RawTextElements{u"SCRIPT", u"STYLE", u"TEXTAREA", u"TITLE"};

// A tag name ends with a blank, "/", ">" or the end of the text (the copy holds no tab or line break).
bool endsName(QStringView upper, qsizetype at)
{
    return at >= upper.size() || upper[at] == u' ' || upper[at] == u'/' || upper[at] == u'>';
}

// Where the comment that opens at `open` ("<!--") ends, past its "-->"; "<!-->" and "<!--->" close at once.
qsizetype commentEnd(QStringView upper, qsizetype open)
{
    const qsizetype body = open + 4;
    if (upper.mid(body).startsWith(u">"))
        return body + 1;
    if (upper.mid(body).startsWith(u"->"))
        return body + 2;
    const qsizetype close = upper.indexOf(u"-->", body);
    return close < 0 ? upper.size() : close + 3;
}

// The raw text element whose start tag opens at `open`, if one does.
QStringView rawTextElementAt(QStringView upper, qsizetype open)
{
    for (const QStringView name : RawTextElements) {
        if (upper.mid(open + 1).startsWith(name) && endsName(upper, open + 1 + name.size()))
            return name;
    }
    return {};
}

// Where the end tag of an element opens ("</NAME" ending its name), at or after `from`; the end of the text
// when there is none.
qsizetype endTagAt(QStringView upper, QStringView name, qsizetype from)
{
    for (qsizetype at = upper.indexOf(u"</", from); at >= 0; at = upper.indexOf(u"</", at + 2)) {
        if (upper.mid(at + 2).startsWith(name) && endsName(upper, at + 2 + name.size()))
            return at;
    }
    return upper.size();
}

} // namespace

TaglessRanges::TaglessRanges(QStringView upper)
{
    for (qsizetype open = upper.indexOf(u'<'); open >= 0 && open < upper.size(); open = upper.indexOf(u'<', open)) {
        if (upper.mid(open + 1).startsWith(u"!--")) {
            const qsizetype end = commentEnd(upper, open);
            m_ranges.emplace_back(open, end);
            open = end;
            continue;
        }
        const QStringView element = rawTextElementAt(upper, open);
        if (element.isEmpty()) {
            ++open;
            continue;
        }
        // The start tag is a tag (its id a target); what follows it up to the end tag is text.
        const qsizetype startTagEnd = upper.indexOf(u'>', open);
        if (startTagEnd < 0)
            break;
        const qsizetype end = endTagAt(upper, element, startTagEnd + 1);
        if (end > startTagEnd + 1)
            m_ranges.emplace_back(startTagEnd + 1, end);
        open = end;
    }
}

bool TaglessRanges::contains(qsizetype position) const
{
    return skip(position) != position;
}

qsizetype TaglessRanges::skip(qsizetype position) const
{
    const auto after = std::upper_bound(m_ranges.cbegin(), m_ranges.cend(), position,
                                        [](qsizetype at, const auto& range) { return at < range.first; });
    if (after == m_ranges.cbegin())
        return position;
    const auto& range = *std::prev(after);
    return position < range.second ? range.second : position;
}
