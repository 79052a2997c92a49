#pragma once

#include "PositionShift.h"
#include "links/LinkTable.h"

#include <QList>
#include <QObject>

#include <optional>
#include <vector>

class RichTextBox;

// The checked links of the document in the editor, each tied to where its tag stands in the text: the
// document position where the tag begins moves with every edit before it, as a cursor of the document
// would, so it follows its tag through edits made elsewhere. This is what the painted colours, the link
// list, the moves between links and the caret's description all read: a link's class comes from here,
// never from how it looks.
//
// Plain positions rather than cursors: the document moves each of its cursors at every change, walking a set
// of them as large as it ever was, so that with tens of thousands of links each of the many changes of a
// replace-all and of its undo walked them all (minutes for 50,000 links).
class LinkSpans : public QObject {
    Q_OBJECT
public:
    // A link is shown as its whole tag (an <A HREF>), or as its value (an address a tag loads).
    struct Span {
        int start = 0;          // document position before what is shown: the tag's "<", or the value
        QString tagText;        // what is shown, as checked
        int documentLength = 0; // of that, in document positions (a CR LF is one)
        LinkEntry link;         // its value, result and reason; start, line and column as found
    };

    explicit LinkSpans(RichTextBox& editor, QObject* parent = nullptr);

    // One span per link of a check of the editor's text as it stands now.
    void reset(const LinkTable& table);
    void clear();
    // These entries of the table given to reset() have their results now.
    void update(const LinkTable& table, const QList<int>& indices);
    // The result of a single check of one link (shownText: what is shown of it, from the text offset start):
    // the span that begins there takes it, or a new span does. Returns the span's index.
    int updateTag(int start, const QString& shownText, const LinkEntry& link);

    int count() const { return int(m_spans.size()); }
    const Span& at(int index) const { return m_spans[size_t(index)]; }
    // Where a span begins now (its tag's "<", or its value), as a text offset of the editor.
    int offsetOf(int index) const;
    // The 1-based line its tag begins on now.
    int lineOf(int index) const;
    // The tag was changed since it was checked: its result no longer holds.
    bool isEdited(int index) const;
    // The span whose tag covers a text offset (the innermost of nested ones); nothing when none does.
    std::optional<int> spanAt(int offset) const;
    // The span whose tag begins at a text offset.
    std::optional<int> spanStartingAt(int offset) const;
    // The spans whose tags overlap the document positions [from, to).
    std::pair<int, int> spansOverlapping(int from, int to) const;
    // A span's extent in document positions.
    std::pair<int, int> documentRange(int index) const;
    // Where the link's value stands now, as a text offset and a length, trimmed of blanks as the value is; for a
    // span whose tag is not edited.
    std::pair<int, int> valueRange(int index) const;

signals:
    // Every span is about to go (a reset or a clear): what shows them must forget them now.
    void aboutToReset();
    void spansReset();
    // Spans whose results changed.
    void spansChanged(const QList<int>& indices);
    void spanInserted(int index);

private:
    // The first span beginning at or after a document position.
    int firstFrom(int position) const;
    // A change of the document: the positions [position, position + removed) now hold `added` characters. A
    // span beginning there goes after them, as a cursor would.
    void onContentsChange(int position, int removed, int added);
    // An edit of many ranges at once (RichTextBox::replaceRanges), whose contentsChange that follows covers
    // them all as one: each span moves as the edit moved its own place.
    void onRangesReplaced(const PositionShift& shift);

    RichTextBox& m_editor;
    std::vector<Span> m_spans;
    bool m_shiftedAhead = false; // by onRangesReplaced, before the contentsChange of the same edit
};
