#pragma once

#include "LinkKinds.h"
#include "LinkReason.h"

#include <vector>

// Why each painted link tag has its colour. Painting a tag tags its characters with an id from here
// (RichTextBox::setSelLinkId), so the reason travels with the painted text like the colour does: it
// survives edits elsewhere and is replaced when the tag is painted anew. A full check, which repaints
// the whole text, starts the registry afresh; a single check adds to it.
class LinkRegistry {
public:
    struct Entry {
        LinkResult result;
        LinkReason reason;
    };

    // The id the painted tag carries; never 0.
    int add(LinkResult result, LinkReason reason);
    // null for 0 and every id not given since the last clear.
    const Entry* find(int id) const;
    void clear() { m_entries.clear(); }

private:
    std::vector<Entry> m_entries;
};
