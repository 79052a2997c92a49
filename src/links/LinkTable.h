#pragma once

#include "LinkKinds.h"
#include "LinkReason.h"

#include <QString>
#include <QStringView>

#include <vector>

// One link found by a check: an <A HREF>, or an address a tag loads (an image, a stylesheet ...).
struct LinkEntry {
    int start = 0;  // 1-based position of the tag's "<" in the scanned text
    int length = 0; // from "<" through the first ">" after it
    LinkResult result = LinkResult::Unchecked;
    int line = 0; // of the "<", 1-based (see TextPositions)
    int column = 0;
    LinkReason reason;
    QString value;                         // the HREF value as written, trimmed of blanks
    bool decided = false;                  // the check has given its result (a stopped check leaves the rest undecided)
    QString element = QStringLiteral("A"); // upper case: the tag's name
    QString attribute = QStringLiteral("HREF"); // upper case: the attribute the value stands in
    // Where the value of an address a tag loads stands (1-based); a tag may load several. An <A HREF> is
    // shown as its whole tag, such an address as its value alone.
    int valueStart = 0;
    int valueLength = 0;

    bool isResource() const { return element != u"A"; }
    int shownStart() const { return isResource() ? valueStart : start; }
    int shownLength() const { return isResource() ? valueLength : length; }
};

// The links of one check, in document order, with the text they were found in: a tag is held
// as its place in that one text, never as a copy of its own.
struct LinkTable {
    QString text;
    std::vector<LinkEntry> entries;

    int count() const { return int(entries.size()); }
    // The tag exactly as written (letter case untouched).
    QStringView tagText(const LinkEntry& entry) const
    {
        return QStringView(text).sliced(entry.start - 1, entry.length);
    }
    void clear()
    {
        text.clear();
        entries.clear();
    }
};
