#include "RichTextBox.h"

#include <QAbstractTextDocumentLayout>
#include <QPointer>
#include <QScopedValueRollback>
#include <QTextBlock>
#include <QTextDocument>

#include <algorithm>
#include <array>
#include <climits>
#include <memory>
#include <utility>

// How line breaks are kept.
//
// Qt stores every paragraph break as one character (U+2029); the text string holds CR LF as two. Which
// break stood where lives in the break's own character format (TextProperty::BreakKind; absent means
// CR LF), the one place Qt carries exactly through every edit: deleting a break deletes its format with
// it, and undo puts the very same format back. Block state would not do. When a block is split, the
// first half keeps the block's data and the second half is a new block with userState -1 and a copy of
// the block format; when two blocks merge, the result takes the second one's userState (and the first
// one's format unless the first was empty); undo recreates blocks with userState -1.
//
// The catch: a break the user types takes the format of the character before the caret, and on an
// empty line that character is the previous break, kind and all. That is where userState helps after
// all, as a freshness stamp: this class keeps it at 0, so a block at -1 stands behind a break inserted
// since the last contentsChange. If the insertion was a new edit (it reached the undo stack, unlike an
// undo or redo) and the break claims a kind other than CR LF, the kind is set back to CR LF, joined to
// the user's own undo step.

namespace {

enum class BreakKind : int { CrLf, Lf, Cr, ParagraphSeparator, BeginningOfFrame, EndOfFrame, Count };

const std::array<QString, int(BreakKind::Count)>& breakTexts()
{
    static const std::array<QString, int(BreakKind::Count)> texts{
        QStringLiteral("\r\n"), QStringLiteral("\n"),   QStringLiteral("\r"),
        QString(QChar(0x2029)), QString(QChar(0xFDD0)), QString(QChar(0xFDD1)),
    };
    return texts;
}

const QString& breakText(BreakKind kind)
{
    return breakTexts()[size_t(kind)];
}

// The number of characters of the line break at text[i] (0 when there is none) and its kind.
// These are exactly the characters QTextCursor::insertText turns into a paragraph break.
int breakAt(QStringView text, qsizetype i, BreakKind& kind)
{
    switch (text[i].unicode()) {
    case u'\r':
        if (i + 1 < text.size() && text[i + 1] == u'\n') {
            kind = BreakKind::CrLf;
            return 2;
        }
        kind = BreakKind::Cr;
        return 1;
    case u'\n':
        kind = BreakKind::Lf;
        return 1;
    case 0x2029:
        kind = BreakKind::ParagraphSeparator;
        return 1;
    case 0xFDD0:
        kind = BreakKind::BeginningOfFrame;
        return 1;
    case 0xFDD1:
        kind = BreakKind::EndOfFrame;
        return 1;
    default:
        return 0;
    }
}

// The kind of the break that ends the block before `block` (a block's char format is the format of
// the paragraph separator in front of it).
BreakKind breakKindBefore(const QTextBlock& block)
{
    const int kind = block.charFormat().intProperty(int(TextProperty::BreakKind));
    return kind > 0 && kind < int(BreakKind::Count) ? BreakKind(kind) : BreakKind::CrLf;
}

// Ranges up to this many characters are read one character at a time.
constexpr int ShortRange = 4096;

constexpr int FreshBlock = -1; // userState of a block Qt has just created
constexpr int KnownBlock = 0;

// The shift of one replaceRanges edit, both ways.
struct Shifts {
    explicit Shifts(PositionShift edit) : forward(std::move(edit)), backward(forward.reversed()) {}
    PositionShift forward;
    PositionShift backward;
};

// Stands at either end of a replaceRanges edit on the undo stack, so that its undo and redo, which repeat the
// edit range by range, tell how they moved the text as the edit did. Undo runs a block's items last to first, redo
// first to last: the opening item tells after an undo, the closing item after a redo.
class ReplacementBracket : public QAbstractUndoItem {
public:
    enum End { Opening, Closing };

    ReplacementBracket(RichTextBox* editor, std::shared_ptr<const Shifts> shifts, End end)
        : m_editor(editor), m_shifts(std::move(shifts)), m_end(end)
    {
    }

    void undo() override
    {
        if (m_editor && m_end == Opening)
            emit m_editor->rangesReplaced(m_shifts->backward);
    }
    void redo() override
    {
        if (m_editor && m_end == Closing)
            emit m_editor->rangesReplaced(m_shifts->forward);
    }

private:
    QPointer<RichTextBox> m_editor;
    std::shared_ptr<const Shifts> m_shifts;
    End m_end;
};

} // namespace

RichTextBox::RichTextBox(QTextDocument* document, QObject* parent)
    : QObject(parent), m_document(document), m_blockStarts{BlockStart{0, 0}}
{
    // QTextDocument reports contentsChange only once it has a layout. A document nobody lays out yet
    // is used headless: its layout gets a null page size, which keeps it from ever laying out text
    // (a 10 MB line would take seconds after every change). A QTextEdit showing the document later
    // sets a page size of its own.
    if (!m_document->findChild<QAbstractTextDocumentLayout*>(QString(), Qt::FindDirectChildrenOnly)) {
        m_document->documentLayout();
        m_document->setPageSize(QSizeF(0, 0));
    }
    for (QTextBlock block = m_document->begin(); block.isValid(); block = block.next())
        block.setUserState(KnownBlock);
    connect(m_document, &QTextDocument::undoCommandAdded, this, &RichTextBox::onUndoCommandAdded);
    connect(m_document, &QTextDocument::contentsChange, this, &RichTextBox::onContentsChange);
    connect(m_document, &QTextDocument::contentsChanged, this, &RichTextBox::onContentsChanged);
}

RichTextBox::~RichTextBox() = default;

QString RichTextBox::text() const
{
    // Not through a cursor: placing one at the end would make a real layout lay out the whole text.
    return expandBreaks(m_document->toRawText(), m_document->begin());
}

void RichTextBox::setText(const QString& text)
{
    std::array<QTextCharFormat, int(BreakKind::Count)> breakFormats;
    for (int kind = 0; kind < int(BreakKind::Count); ++kind) {
        if (BreakKind(kind) != BreakKind::CrLf)
            breakFormats[kind].setProperty(int(TextProperty::BreakKind), kind);
    }

    const bool undoEnabled = m_document->isUndoRedoEnabled();
    {
        const QScopedValueRollback ownEdit(m_ownEdit, true);
        // Switching undo off also empties the history, so the new text is no undo step either.
        m_document->setUndoRedoEnabled(false);
        QTextCursor writer(m_document);
        writer.beginEditBlock();
        m_document->clear();
        writer.setBlockCharFormat(QTextCharFormat());
        // Whole lines at a time: inserting 10 MB character by character would take minutes.
        const QStringView view(text);
        qsizetype lineStart = 0;
        for (qsizetype i = 0; i < view.size();) {
            BreakKind kind;
            const int breakLength = breakAt(view, i, kind);
            if (breakLength == 0) {
                ++i;
                continue;
            }
            writer.insertText(view.sliced(lineStart, i - lineStart).toString(), QTextCharFormat());
            writer.insertBlock(QTextBlockFormat(), breakFormats[size_t(kind)]);
            i += breakLength;
            lineStart = i;
        }
        writer.insertText(view.sliced(lineStart).toString(), QTextCharFormat());
        writer.endEditBlock();
        m_document->setUndoRedoEnabled(undoEnabled);
    }
    invalidateOffsetCache(0);
    setSelectionPositions(Selection{});
}

int RichTextBox::textLength() const
{
    extendOffsetCache(INT_MAX, INT_MAX);
    return m_blockStarts.back().offset - 1;
}

QString RichTextBox::textRange(int offset, int length) const
{
    offset = std::max(offset, 0);
    if (length <= 0)
        return QString();
    const int end = int(std::min<qint64>(qint64(offset) + length, INT_MAX));
    // Both ends may fall inside a CR LF pair: read the whole breaks, then cut.
    const int from = toDocumentPosition(offset);
    const int to = std::min(toDocumentPosition(end - 1) + 1, m_document->characterCount() - 1);
    return documentText(from, to).mid(offset - toTextOffset(from), length);
}

int RichTextBox::selStart() const
{
    return toTextOffset(selection().start());
}

int RichTextBox::selLength() const
{
    const Selection current = selection();
    return toTextOffset(current.end()) - toTextOffset(current.start());
}

void RichTextBox::setSelection(int start, int length)
{
    start = std::max(start, 0);
    const int end = int(std::min<qint64>(qint64(start) + std::max(length, 0), INT_MAX));
    setSelectionPositions(Selection{toDocumentPosition(start), toDocumentPosition(end)});
}

QString RichTextBox::selText() const
{
    const Selection current = selection();
    return documentText(current.start(), current.end());
}

int RichTextBox::toDocumentPosition(int textOffset) const
{
    if (textOffset <= 0)
        return 0;
    extendOffsetCache(0, textOffset);
    const auto next = std::upper_bound(m_blockStarts.begin(), m_blockStarts.end(), textOffset,
                                       [](int offset, const BlockStart& start) { return offset < start.offset; });
    if (next == m_blockStarts.end())
        return m_document->characterCount() - 1;
    const BlockStart& start = *std::prev(next);
    // Every offset inside a break, the LF of a CR LF pair included, lands on its paragraph separator.
    const int contentLength = next->position - 1 - start.position;
    return start.position + std::min(textOffset - start.offset, contentLength);
}

int RichTextBox::toTextOffset(int documentPosition) const
{
    documentPosition = std::clamp(documentPosition, 0, m_document->characterCount() - 1);
    const int block = m_document->findBlock(documentPosition).blockNumber();
    extendOffsetCache(block + 1, -1);
    const BlockStart& start = m_blockStarts[size_t(block)];
    return start.offset + documentPosition - start.position;
}

int RichTextBox::replaceRanges(const std::vector<Replacement>& replacements)
{
    if (replacements.empty())
        return -1;
    // Document positions first: the offset map goes stale with the first range replaced.
    std::vector<PositionShift::Range> ranges;
    std::vector<QString> texts;
    ranges.reserve(replacements.size());
    texts.reserve(replacements.size());
    for (const Replacement& replacement : replacements) {
        // insertText makes one break of a CR LF, a lone CR or a lone LF: with every break one character, the
        // length of the text is its length in the document.
        QString text = replacement.text;
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        ranges.push_back({toDocumentPosition(replacement.offset),
                          toDocumentPosition(replacement.offset + replacement.length), int(text.size())});
        texts.push_back(std::move(text));
    }
    const auto shifts = std::make_shared<const Shifts>(PositionShift(ranges));

    QTextCursor cursor(m_document);
    cursor.beginEditBlock();
    m_document->appendUndoItem(new ReplacementBracket(this, shifts, ReplacementBracket::Opening));
    // From the last range back, so that the ranges still to do stay where they were. In the default format:
    // a break inserted so carries no kind, which reads as CR LF.
    for (size_t i = ranges.size(); i-- > 0;) {
        cursor.setPosition(ranges[i].from);
        cursor.setPosition(ranges[i].to, QTextCursor::KeepAnchor);
        cursor.insertText(texts[i], QTextCharFormat());
    }
    emit rangesReplaced(shifts->forward);
    m_document->appendUndoItem(new ReplacementBracket(this, shifts, ReplacementBracket::Closing));
    cursor.endEditBlock();
    return toTextOffset(shifts->backward.ranges().back().to);
}

void RichTextBox::setSelectionPositions(const Selection& selection)
{
    m_selection = selection;
    emit selectionChanged();
}

void RichTextBox::onUndoCommandAdded()
{
    if (!m_ownEdit)
        m_userEditRevision = m_document->revision();
}

void RichTextBox::onContentsChange(int position, int charsRemoved, int charsAdded)
{
    Q_UNUSED(charsRemoved);
    // Positions of an earlier change are stale now (a document with a maximum block count can skip
    // contentsChanged).
    m_typedBreaks.clear();
    QTextBlock block = m_document->findBlock(position);
    if (!block.isValid())
        block = m_document->lastBlock();
    invalidateOffsetCache(block.blockNumber());

    // Undo and redo start a revision of their own without adding to the undo stack; a document
    // without undo has no undo or redo to tell apart.
    const bool newEdit =
        !m_ownEdit && (!m_document->isUndoRedoEnabled() || m_document->revision() == m_userEditRevision);
    // The block behind a newly inserted break starts no later than the end of the inserted range.
    for (; block.isValid() && block.position() <= position + charsAdded; block = block.next()) {
        if (block.userState() != FreshBlock)
            continue;
        block.setUserState(KnownBlock);
        if (newEdit && block.position() > 0 && breakKindBefore(block) != BreakKind::CrLf)
            m_typedBreaks.push_back(block.position() - 1);
    }
}

void RichTextBox::onContentsChanged()
{
    // Changing the document while it still reports contentsChange would upset its layout; by
    // contentsChanged the edit is complete.
    if (m_typedBreaks.empty())
        return;
    const std::vector<int> typedBreaks = std::exchange(m_typedBreaks, {});
    const QScopedValueRollback ownEdit(m_ownEdit, true);
    QTextCharFormat crLf;
    crLf.setProperty(int(TextProperty::BreakKind), int(BreakKind::CrLf));
    QTextCursor fixer(m_document);
    fixer.joinPreviousEditBlock();
    for (const int position : typedBreaks) {
        fixer.setPosition(position);
        fixer.setPosition(position + 1, QTextCursor::KeepAnchor);
        fixer.mergeCharFormat(crLf);
    }
    fixer.endEditBlock();
}

QString RichTextBox::documentText(int from, int to) const
{
    // Raw like toRawText(): no-break spaces stay, every paragraph break reads U+2029. A short range
    // (a tag) is read character by character, since a block's text may be a whole 10 MB line; a long
    // one block by block.
    QString raw;
    if (to - from <= ShortRange) {
        raw.reserve(to - from);
        for (int position = from; position < to; ++position)
            raw += m_document->characterAt(position);
        return expandBreaks(raw, m_document->findBlock(from));
    }
    for (QTextBlock block = m_document->findBlock(from); block.isValid() && block.position() < to;
         block = block.next()) {
        const int separator = block.position() + block.length() - 1;
        const int begin = std::max(from, block.position());
        raw += QStringView(block.text()).sliced(begin - block.position(), std::min(to, separator) - begin);
        if (separator < to)
            raw += QChar::ParagraphSeparator;
    }
    return expandBreaks(raw, m_document->findBlock(from));
}

QString RichTextBox::expandBreaks(const QString& raw, QTextBlock block) const
{
    QString text;
    text.reserve(raw.size() + raw.count(QChar::ParagraphSeparator));
    qsizetype done = 0;
    for (qsizetype at = raw.indexOf(QChar::ParagraphSeparator); at >= 0;
         at = raw.indexOf(QChar::ParagraphSeparator, done)) {
        text.append(QStringView(raw).sliced(done, at - done));
        block = block.next();
        text.append(breakText(breakKindBefore(block)));
        done = at + 1;
    }
    text.append(QStringView(raw).sliced(done));
    return text;
}

void RichTextBox::extendOffsetCache(int entries, int pastOffset) const
{
    const auto covered = [&] {
        return int(m_blockStarts.size()) >= entries && m_blockStarts.back().offset > pastOffset;
    };
    if (m_blockStartsComplete || covered())
        return;
    QTextBlock block = m_document->findBlockByNumber(int(m_blockStarts.size()) - 1);
    while (!covered()) {
        const BlockStart start = m_blockStarts.back();
        const QTextBlock next = block.next();
        const int contentLength = block.length() - 1;
        if (!next.isValid()) {
            m_blockStarts.push_back({start.position + block.length(), start.offset + contentLength + 1});
            m_blockStartsComplete = true;
            return;
        }
        m_blockStarts.push_back(
            {next.position(), start.offset + contentLength + int(breakText(breakKindBefore(next)).size())});
        block = next;
    }
}

void RichTextBox::invalidateOffsetCache(int fromBlock) const
{
    // Block fromBlock itself still starts where it did: nothing before the change moved.
    m_blockStarts.resize(std::min(m_blockStarts.size(), size_t(std::max(fromBlock, 0)) + 1));
    m_blockStartsComplete = false;
}
