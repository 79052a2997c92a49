#pragma once

#include "LinkTable.h"

#include <QString>

#include <optional>

// Where a tag stands in a text.
struct TagSpan {
    int start = 0; // 0-based offset of its "<"
    int length = 0;
    friend bool operator==(const TagSpan&, const TagSpan&) = default;
};

// The link tag a selection points at, for the check of a single link: the first "<A " tag the selection
// holds whole; else, for a caret or selection inside a tag, that tag; else, for a selection that begins
// with "<", the tag that "<" opens. Tags are read as the full check reads them (a line break or tab
// after the "<A" counts as a blank). Nothing when the selection points at no link tag.
std::optional<TagSpan> tagAtSelection(const QString& text, int selectionStart, int selectionLength);

// The link a selection points at, for the check of a single link. The <A> tag it points at (tagAtSelection)
// gives its HREF value, letter case as written, or for a tag without an HREF an empty value, decided at
// once as unclassified. With resources, a tag that loads addresses gives the one whose value holds the
// selection's start, else its first. The result is still to be decided: unlike the full check, the single
// check checks an empty value (as the folder of the document). Nothing when the selection points at no
// link, or at a quoted value without its closing quote, which cannot be cut.
std::optional<LinkEntry> linkAtSelection(const QString& text, int selectionStart, int selectionLength,
                                         bool resources = false);
