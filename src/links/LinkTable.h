#pragma once

#include "LinkKinds.h"
#include "LinkReason.h"

#include <QString>
#include <QStringView>

#include <vector>

// One link tag found by a check.
struct LinkEntry {
    int start = 0;  // 1-based position of the tag's "<" in the scanned text
    int length = 0; // from "<" through the first ">" after it
    LinkResult result = LinkResult::Unchecked;
    int line = 0; // of the "<", 1-based (see TextPositions)
    int column = 0;
    LinkReason reason;
    QString value;        // the HREF value as written, trimmed of blanks
    bool decided = false; // the check has given its result (a stopped check leaves the rest undecided)
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
