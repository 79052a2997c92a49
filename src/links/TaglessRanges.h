#pragma once

#include <QStringView>

#include <utility>
#include <vector>

// The stretches of a text where a browser sees no tags: comments ("<!--" through "-->") and the contents
// of script, style, textarea and title elements. No link and no link target stands there. An element or
// comment left open runs to the end of the text, as it does in a browser.
class TaglessRanges {
public:
    // upper: the search copy of the text.
    explicit TaglessRanges(QStringView upper);

    // Whether a position lies in one of the stretches.
    bool contains(qsizetype position) const;
    // The first position at or after `position` that lies in none of them.
    qsizetype skip(qsizetype position) const;

private:
    std::vector<std::pair<qsizetype, qsizetype>> m_ranges; // [begin, end), in order, disjoint
};
