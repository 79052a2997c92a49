#pragma once

#include "PositionShift.h"

#include <QObject>
#include <QString>
#include <QTextCursor>
#include <QTextFormat>

#include <algorithm>
#include <vector>

class QTextBlock;
class QTextDocument;

// Custom character properties kept by the document with the text.
enum class TextProperty : int {
    BreakKind = QTextFormat::UserProperty + 2, // on a paragraph break: the line break it stands for (RichTextBox)
};

// The operations the program performs on its rich text editor, over a QTextDocument.
//
// The program's text is one string in which a line break is CR LF (two characters), a lone LF or a
// lone CR; offsets here are 0-based UTF-16 positions in that string. Qt stores every paragraph
// break as one character, so this class remembers which break stood where and converts offsets
// both ways; text set and read back comes back identical. A break typed by the user is CR LF.
//
// Headless, the class keeps its own selection. The editor widget subclasses it and routes the
// selection and focus through its QPlainTextEdit. Check results are never part of the text: they are
// shown as additional formats (LinkPainter), which leave the text and its undo history alone.
//
// The document must hold plain paragraphs only (no tables, frames or lists), and the class owns the
// blocks' userState. A document without a layout yet is taken as headless and gets one that never lays out text (a null
// page size) until a QTextEdit showing it sets its own page size.
class RichTextBox : public QObject {
    Q_OBJECT
public:
    explicit RichTextBox(QTextDocument* document, QObject* parent = nullptr);
    ~RichTextBox() override;

    QTextDocument* document() const { return m_document; }

    // The whole text, character for character as set or edited.
    QString text() const;
    // Replaces the whole text, in the default format. The undo history is cleared. The selection becomes
    // a caret at offset 0.
    void setText(const QString& text);
    // Length of text() without building it.
    int textLength() const;
    // The characters [offset, offset + length) of text(), clamped to the text; cost grows with length only.
    QString textRange(int offset, int length) const;

    int selStart() const;
    int selLength() const;
    // Offsets are clamped to the text. A bound inside a CR LF pair moves to the start of the pair.
    void setSelection(int start, int length);
    void setSelStart(int start) { setSelection(start, 0); }
    void setSelLength(int length) { setSelection(selStart(), length); }
    QString selText() const;

    // Offset conversion between the text string and QTextDocument positions.
    int toDocumentPosition(int textOffset) const;
    int toTextOffset(int documentPosition) const;

    // One range of the text and what takes its place.
    struct Replacement {
        int offset = 0;
        int length = 0;
        QString text;
    };
    // Replaces ranges of the text as one edit, one undo step (replace all). The ranges are in text order and do not
    // overlap, and none begins or ends between the CR and LF of a break. A line break in a new text (CR LF, CR or
    // LF) becomes a CR LF, as a typed one does. Returns the text offset where the new text of the last range ends.
    int replaceRanges(const std::vector<Replacement>& replacements);

signals:
    void selectionChanged(); // after every change of the selection, the program's own included
    // After the edit of replaceRanges, of its undo or of its redo, before the contentsChange that follows: that one
    // change covers every range, where shift tells how the edit moved each position.
    void rangesReplaced(const PositionShift& shift);

protected:
    // The selection in document positions. Kept as plain positions, not as a QTextCursor: placing a
    // cursor makes a shown document lay out the block it lands on, which walking thousands of tags
    // cannot afford.
    struct Selection {
        int anchor = 0;
        int position = 0;
        int start() const { return std::min(anchor, position); }
        int end() const { return std::max(anchor, position); }
    };
    virtual Selection selection() const { return m_selection; }
    virtual void setSelectionPositions(const Selection& selection);

private:
    // Where block k starts, as a document position and as a text offset.
    struct BlockStart {
        int position;
        int offset;
    };

    void onUndoCommandAdded();
    void onContentsChange(int position, int charsRemoved, int charsAdded);
    void onContentsChanged();

    // The text of the document positions [from, to).
    QString documentText(int from, int to) const;
    // Raw document text (paragraph breaks as U+2029) with each break written out; the first break in
    // raw is the one that ends `block`.
    QString expandBreaks(const QString& raw, QTextBlock block) const;

    // Maps blocks until the map holds at least `entries` entries and one that starts after
    // `pastOffset`, or covers the whole document.
    void extendOffsetCache(int entries, int pastOffset) const;
    void invalidateOffsetCache(int fromBlock) const;

    QTextDocument* m_document;
    Selection m_selection;
    // Set while this class changes the document itself: its breaks already carry their kinds.
    bool m_ownEdit = false;
    // QTextDocument::revision() of the last new edit that reached the undo stack; an undo or redo
    // starts another revision, so its restored breaks are never mistaken for typed ones.
    int m_userEditRevision = -1;
    // Document positions of breaks the user just typed that still carry the kind of a neighbour.
    std::vector<int> m_typedBreaks;
    // Offset map: m_blockStarts[k] for blocks 0..size-1; once the whole document is mapped, a last
    // entry marks its end (the final paragraph separator counts as a one-character break there).
    mutable std::vector<BlockStart> m_blockStarts;
    mutable bool m_blockStartsComplete = false;
};
