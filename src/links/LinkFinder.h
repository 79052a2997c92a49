#pragma once

#include "LinkTable.h"
#include "ResourceAddresses.h"
#include "TagScan.h"
#include "TagValue.h"
#include "TextPositions.h"

#include <QDeadlineTimer>
#include <QString>

#include <optional>
#include <vector>

// Finds the link tags of a text: every "<A " tag with an HREF value outside comments and the contents of
// script, style, textarea and title (TaglessRanges), in order, each with its line and
// column, its value as written, and the result of a value never checked (empty, mailto:, javascript:,
// vbscript:), decided at once. The text is taken piece by piece, so a long one need not hold up its caller.
class LinkFinder {
public:
    // resources: find the addresses tags load as well (ResourceAddresses), each a link of its own.
    explicit LinkFinder(const QString& text, bool resources = false);
    LinkFinder(const LinkFinder&) = delete;
    LinkFinder& operator=(const LinkFinder&) = delete;

    // Appends the links found before the deadline to table.entries (table.text is the text), and for each
    // the index of the first entry sharing its value: nested candidates that share one HREF
    // ("<a <a href=x>") share its value, which is checked once. True once the whole text is done.
    bool findMore(LinkTable& table, std::vector<int>& firstOfValue, const QDeadlineTimer& deadline);

    // The search copy the tags are found in (see makeSearchCopy).
    const QString& searchCopy() const { return m_upper; }
    const TaglessRanges& tagless() const { return m_tagless; }

private:
    void addLink(LinkTable& table, std::vector<int>& firstOfValue);
    void addResources(LinkTable& table, std::vector<int>& firstOfValue);

    const QString m_text;
    const QString m_upper;
    const TaglessRanges m_tagless;
    TagCandidates m_tags;
    AttributeValues m_hrefs;
    std::optional<ResourceAddresses> m_resources;
    TextPositions m_positions;
    std::optional<ValueSpan> m_lastSpan; // of the last <A HREF>
    int m_lastFirstOfValue = 0;          // the first entry of that value
    bool m_done = false;
};
