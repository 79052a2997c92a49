#include "common/RichTextBox.h"

#include <QSignalSpy>
#include <QTextBlock>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <functional>
#include <iterator>
#include <ostream>
#include <string_view>
#include <tuple>
#include <vector>

namespace {

constexpr Colorref Red = 0x0000FF;
constexpr Colorref Green = 0x00FF00;
constexpr Colorref Blue = 0xFF0000;

QString u16(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), qsizetype(text.size()));
}

bool isBreakCharacter(QChar ch)
{
    return ch == u'\r' || ch == u'\n' || ch == QChar(0x2029) || ch == QChar(0xFDD0) || ch == QChar(0xFDD1);
}

// The document position of every text offset 0..size, worked out from the string alone: a line break
// is one character in the document, so each CR LF pair whose CR lies before an offset moves it back by one.
std::vector<int> referencePositions(const QString& text)
{
    std::vector<int> positions;
    int pairs = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        positions.push_back(int(i) - pairs);
        if (i + 1 < text.size() && text[i] == u'\r' && text[i + 1] == u'\n')
            ++pairs;
    }
    return positions;
}

// The format of the document character at a position, read from the fragments; a paragraph
// separator's format is the char format of the block after it.
QTextCharFormat documentFormatAt(const QTextDocument& document, int position)
{
    const QTextBlock block = document.findBlock(position);
    if (position == block.position() + block.length() - 1)
        return block.next().charFormat();
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        if (it.fragment().contains(position))
            return it.fragment().charFormat();
    }
    ADD_FAILURE() << "no fragment holds position " << position;
    return QTextCharFormat();
}

Colorref documentColorAt(const QTextDocument& document, int position)
{
    const QBrush brush = documentFormatAt(document, position).foreground();
    return brush.style() == Qt::NoBrush ? 0 : toColorref(brush.color());
}

// Checks text(), textLength() and both offset conversions at every position against the string.
void expectExactMapping(const RichTextBox& box, const QString& text)
{
    const QTextDocument& document = *box.document();
    ASSERT_EQ(box.text(), text);
    ASSERT_EQ(box.textLength(), text.size());
    const std::vector<int> positions = referencePositions(text);
    ASSERT_EQ(positions.back() + 1, document.characterCount());
    for (int offset = 0; offset <= text.size(); ++offset) {
        ASSERT_EQ(box.toDocumentPosition(offset), positions[offset]) << "text offset " << offset;
        if (offset < text.size()) {
            const QChar expected = isBreakCharacter(text[offset]) ? QChar::ParagraphSeparator : text[offset];
            ASSERT_EQ(document.characterAt(positions[offset]), expected) << "text offset " << offset;
        }
    }
    std::vector<int> firstOffset(size_t(document.characterCount()), -1);
    for (int offset = int(text.size()); offset >= 0; --offset)
        firstOffset[size_t(positions[offset])] = offset;
    for (int position = document.characterCount() - 1; position >= 0; --position)
        ASSERT_EQ(box.toTextOffset(position), firstOffset[size_t(position)]) << "document position " << position;
}

class RichTextBoxTest : public ::testing::Test {
protected:
    QTextDocument document;
    RichTextBox box{&document};
};

// ---------------------------------------------------------------------------------------------
// Round trip and offset mapping

struct NamedText {
    const char* name;
    QString text;
};

std::vector<NamedText> oddTexts()
{
    QByteArray allBytes;
    for (int byte = 1; byte < 256; ++byte)
        allBytes.append(char(byte));
    QByteArray junk;
    quint32 seed = 12345;
    while (junk.size() < 5000) {
        seed = seed * 1103515245u + 12345u;
        if (const char byte = char(seed >> 23))
            junk.append(byte);
    }
    static constexpr char16_t loneSurrogates[] = {0xD800, u'a', 0xDC00, u'\r', u'\n', 0xDBFF, u'\n', 0xDC00};
    return {
        {"Empty", QString()},
        {"OneLine", QStringLiteral("abc")},
        {"CrLf", QStringLiteral("a\r\nb")},
        {"LoneLf", QStringLiteral("a\nb")},
        {"LoneCr", QStringLiteral("a\rb")},
        {"LfThenCr", QStringLiteral("a\n\rb")},
        {"BreaksAtBothEnds", QStringLiteral("\r\na\n")},
        {"OnlyBreaks", QStringLiteral("\r\n\n\r\r\n\r")},
        {"ConsecutiveMixedBreaks", QStringLiteral("a\r\r\n\n\r\n\n\rb")},
        {"CrBeforeCrLf", QStringLiteral("\r\r\n")},
        {"UnicodeSeparators", u16(u"a\u2028b\u2029c\uFDD0d\uFDD1e")},
        {"UnicodeSeparatorsAtEnds", u16(u"\u2029\uFDD1\u2028x\uFDD0\u2029")},
        {"NoBreakSpaces", u16(u"\u00A0a\u00A0\u00A0\r\n\u00A0")},
        {"Tabs", QStringLiteral("\ta\t\r\n\t")},
        {"SurrogatePairs", u16(u"\U0001F600\r\n\U0001D11Ex\n\U0001F600")},
        {"LoneSurrogates", u16({loneSurrogates, std::size(loneSurrogates)})},
        {"CombiningMarks", u16(u"e\u0301\r\n\u0301a\u0308\n\u0308")},
        {"Japanese", u16(u"日本語\r\nテキスト\n。")},
        {"Latin1AllBytes", QString::fromLatin1(allBytes)},
        {"Latin1Junk", QString::fromLatin1(junk)},
    };
}

void PrintTo(const NamedText& text, std::ostream* out)
{
    *out << text.name;
}

class RoundTrip : public RichTextBoxTest, public ::testing::WithParamInterface<NamedText> {};

TEST_P(RoundTrip, TextComesBackIdenticalAndMapsExactly)
{
    const QString& text = GetParam().text;
    box.setText(text);
    expectExactMapping(box, text);
    box.setSelection(0, int(text.size()));
    EXPECT_EQ(box.selText(), text);
}

TEST_P(RoundTrip, SettingItAgainGivesTheSameText)
{
    box.setText(QStringLiteral("something\r\nelse\nfirst"));
    box.setText(GetParam().text);
    box.setText(box.text());
    EXPECT_EQ(box.text(), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(RichTextBox, RoundTrip, ::testing::ValuesIn(oddTexts()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(RichTextBoxTest, TextRangeMatchesTheStringEverywhere)
{
    const QString text = u16(u"a\r\nb\n\r\r\n\U0001F600\u00A0c\r");
    box.setText(text);
    for (int offset = -2; offset <= text.size() + 2; ++offset) {
        for (int length = -1; length <= text.size() + 3; ++length) {
            const QString expected = length <= 0 ? QString() : text.mid(std::max(offset, 0), length);
            ASSERT_EQ(box.textRange(offset, length), expected) << "offset " << offset << " length " << length;
        }
    }
}

TEST_F(RichTextBoxTest, SingleLongLineRoundTrips)
{
    QString text;
    for (int i = 0; text.size() < 1'000'000; ++i)
        text += QStringLiteral("<a href=\"x%1\">\u00A0</a>\t").arg(i);
    box.setText(text);
    EXPECT_EQ(document.blockCount(), 1);
    EXPECT_EQ(box.text(), text);
    EXPECT_EQ(box.textRange(500'000, 40), text.mid(500'000, 40));
    EXPECT_EQ(box.toDocumentPosition(777'777), 777'777);
}

// ---------------------------------------------------------------------------------------------
// Selection

TEST_F(RichTextBoxTest, SetSelectionClampsAndMovesBoundsOutOfCrLfPairs)
{
    box.setText(QStringLiteral("ab\r\ncd")); // the pair is at offsets 2 and 3
    box.setSelection(-5, 3);
    EXPECT_EQ(box.selStart(), 0);
    EXPECT_EQ(box.selLength(), 2); // the end, 3, is inside the pair and moves to 2
    box.setSelection(3, 2);
    EXPECT_EQ(box.selStart(), 2);
    EXPECT_EQ(box.selLength(), 3);
    EXPECT_EQ(box.selText(), QStringLiteral("\r\nc"));
    box.setSelection(1, 1000);
    EXPECT_EQ(box.selStart(), 1);
    EXPECT_EQ(box.selLength(), 5);
    box.setSelection(1000, 5);
    EXPECT_EQ(box.selStart(), 6);
    EXPECT_EQ(box.selLength(), 0);
    box.setSelection(4, -3);
    EXPECT_EQ(box.selStart(), 4);
    EXPECT_EQ(box.selLength(), 0);
}

TEST_F(RichTextBoxTest, EverySelectionChangeIsSignalled)
{
    box.setText(QStringLiteral("<a>\r\n<b>"));
    QSignalSpy spy(&box, &RichTextBox::selectionChanged);
    box.setSelection(1, 2);
    EXPECT_EQ(spy.count(), 1);
    box.setSelStart(4);
    EXPECT_EQ(spy.count(), 2);
    box.setSelLength(1);
    EXPECT_EQ(spy.count(), 3);
    ASSERT_TRUE(box.findAndSelect(QStringLiteral("<b>"), 0));
    EXPECT_EQ(spy.count(), 4);
    box.extendSelectionUpTo(u'x');
    EXPECT_EQ(spy.count(), 5);
    box.setText(QStringLiteral("new"));
    EXPECT_EQ(spy.count(), 6);
    EXPECT_EQ(box.selStart(), 0);
    EXPECT_EQ(box.selLength(), 0);
}

// ---------------------------------------------------------------------------------------------
// Painting tags

struct PaintCase {
    const char* name;
    QString before;
    QString tag;
    QString after;
};

void PrintTo(const PaintCase& paint, std::ostream* out)
{
    *out << paint.name;
}

class Painting : public RichTextBoxTest, public ::testing::WithParamInterface<PaintCase> {
protected:
    void expectPaintedExactly(const QString& text, int start, int length)
    {
        const std::vector<int> positions = referencePositions(text);
        for (int offset = 0; offset < text.size(); ++offset) {
            const bool inside = offset >= start && offset < start + length;
            const QTextCharFormat format = documentFormatAt(document, positions[offset]);
            EXPECT_EQ(documentColorAt(document, positions[offset]), inside ? Red : 0) << "text offset " << offset;
            EXPECT_EQ(format.boolProperty(int(TextProperty::LinkMark)), inside) << "text offset " << offset;
            EXPECT_EQ(format.fontUnderline(), inside) << "text offset " << offset;
        }
    }
};

TEST_P(Painting, ColourAndMarkCoverExactlyTheTag)
{
    const PaintCase& paint = GetParam();
    const QString text = paint.before + paint.tag + paint.after;
    const int start = int(paint.before.size());
    box.setText(text);
    box.beginBatch();
    ASSERT_TRUE(box.findAndSelect(paint.tag, start));
    EXPECT_EQ(box.selStart(), start);
    EXPECT_EQ(box.selLength(), paint.tag.size());
    EXPECT_EQ(box.selText(), paint.tag);
    box.setSelColor(Red);
    box.setSelLinkMark(true);
    box.endBatch();

    expectPaintedExactly(text, start, int(paint.tag.size()));
    EXPECT_EQ(box.text(), text);
    box.setSelection(start, int(paint.tag.size()));
    EXPECT_EQ(box.selColor(), Red);
    EXPECT_TRUE(box.selLinkMark());
}

TEST_P(Painting, SearchFromAnEarlierOffsetPaintsTheSameCharacters)
{
    const PaintCase& paint = GetParam();
    const QString text = paint.before + paint.tag + paint.after;
    box.setText(text);
    ASSERT_TRUE(box.findAndSelect(paint.tag, 0));
    box.setSelColor(Red);
    box.setSelLinkMark(true);
    expectPaintedExactly(text, int(paint.before.size()), int(paint.tag.size()));
}

INSTANTIATE_TEST_SUITE_P(
    RichTextBox, Painting,
    ::testing::Values(
        PaintCase{"AfterCrLf", QStringLiteral("x\r\n"), QStringLiteral("<a href=1>"), QStringLiteral("\r\ny")},
        PaintCase{"AfterLoneLf", QStringLiteral("x\n\n"), QStringLiteral("<a href=2>"), QStringLiteral("\n")},
        PaintCase{"AfterLoneCr", QStringLiteral("x\r"), QStringLiteral("<a href=3>"), QStringLiteral("\ry")},
        PaintCase{"AfterJapanese", u16(u"日本語のテキスト\r\n"), u16(u"<a href=\"日本\">"), u16(u"。")},
        PaintCase{"AfterSurrogatePairs", u16(u"\U0001F600\U0001F600\n\U0001D11E"), QStringLiteral("<a href=4>"),
                  u16(u"\U0001F600")},
        PaintCase{"AfterEverything", u16(u"a\r\nb\nc\r日本\U0001F600\u00A0\t\u2028\r\n"), QStringLiteral("<a href=5>"),
                  QStringLiteral("z")},
        PaintCase{"TagSpanningCrLf", QStringLiteral("p\r\n"), QStringLiteral("<a\r\nhref=6>"), QStringLiteral("\r\n")},
        PaintCase{"TagSpanningLoneLf", QStringLiteral("p"), QStringLiteral("<a\nhref=7>"), QString()},
        PaintCase{"TagAtStart", QString(), QStringLiteral("<a href=8>"), QStringLiteral("\r\n")},
        PaintCase{"TagAtEnd", QStringLiteral("\r\n\r\n"), QStringLiteral("<a href=9>"), QString()}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(RichTextBoxTest, ClearingTheMarkRemovesTheUnderlineToo)
{
    box.setText(QStringLiteral("ab\r\ncd"));
    box.setSelection(0, 6);
    box.setSelLinkMark(true);
    box.setSelection(1, 4);
    box.setSelLinkMark(false);
    for (int position = 0; position < 5; ++position) {
        const bool marked = position == 0 || position == 4;
        const QTextCharFormat format = documentFormatAt(document, position);
        EXPECT_EQ(format.boolProperty(int(TextProperty::LinkMark)), marked) << position;
        EXPECT_EQ(format.fontUnderline(), marked) << position;
    }
    box.setSelection(0, 2);
    EXPECT_TRUE(box.selLinkMark());
    box.setSelection(1, 2);
    EXPECT_FALSE(box.selLinkMark());
}

// ---------------------------------------------------------------------------------------------
// Reading colours

TEST_F(RichTextBoxTest, SelectionOfSeveralColoursHasNone)
{
    box.setText(QStringLiteral("abcdef"));
    box.setSelection(1, 2);
    box.setSelColor(Red);
    box.setSelection(3, 2);
    box.setSelColor(Blue);

    box.setSelection(1, 4);
    EXPECT_EQ(box.selColor(), std::nullopt);
    box.setSelection(1, 2);
    EXPECT_EQ(box.selColor(), Red);
    box.setSelection(0, 1);
    EXPECT_EQ(box.selColor(), Colorref(0));
    box.setSelection(0, 2);
    EXPECT_EQ(box.selColor(), std::nullopt);
    box.setSelection(4, 2);
    EXPECT_EQ(box.selColor(), std::nullopt);
}

TEST_F(RichTextBoxTest, CaretTakesTheColourOfThePreviousCharacter)
{
    box.setText(QStringLiteral("abcd\r\nef"));
    box.setSelection(1, 2);
    box.setSelColor(Red);
    box.setSelection(4, 2);
    box.setSelColor(Green); // the line break

    const std::vector<std::pair<int, Colorref>> expected{{1, 0}, {2, Red}, {3, Red}, {4, 0}, {6, Green}, {7, 0}};
    for (const auto& [offset, color] : expected) {
        box.setSelStart(offset);
        EXPECT_EQ(box.selColor(), color) << "caret at " << offset;
    }
}

TEST_F(RichTextBoxTest, CaretAtTheStartTakesTheInsertionFormat)
{
    box.setText(QStringLiteral("abc"));
    box.setSelection(0, 1);
    box.setSelColor(Red);
    box.setSelLinkMark(true);
    box.setSelStart(0);
    EXPECT_EQ(box.selColor(), Colorref(0));
    EXPECT_FALSE(box.selLinkMark());
    box.setSelColor(Blue);
    EXPECT_EQ(box.selColor(), Blue);
    EXPECT_EQ(documentColorAt(document, 0), Red); // a caret changes no character
}

TEST_F(RichTextBoxTest, BreaksCountOnlyWhenNothingElseIsSelected)
{
    box.setText(QStringLiteral("ab\r\ncd"));
    box.setSelection(0, 2);
    box.setSelColor(Blue);
    box.setSelection(1, 3); // "b\r\n": the break keeps its black
    EXPECT_EQ(box.selColor(), Blue);
    box.setSelection(2, 2);
    EXPECT_EQ(box.selColor(), Colorref(0));
    box.setSelColor(Red);
    EXPECT_EQ(box.selColor(), Red);
    box.setSelection(2, 3); // "\r\nc"
    EXPECT_EQ(box.selColor(), Colorref(0));
    EXPECT_EQ(box.text(), QStringLiteral("ab\r\ncd"));
}

TEST_F(RichTextBoxTest, NewTextTakesTheInsertionFormat)
{
    box.setSelColor(Red);
    box.setSelLinkMark(true);
    const QString text = QStringLiteral("ab\r\nc\nd\re");
    box.setText(text);
    for (int position = 0; position < document.characterCount() - 1; ++position) {
        EXPECT_EQ(documentColorAt(document, position), Red) << position;
        EXPECT_TRUE(documentFormatAt(document, position).boolProperty(int(TextProperty::LinkMark))) << position;
    }
    box.setSelection(0, int(text.size()));
    EXPECT_EQ(box.selColor(), Red);
    EXPECT_EQ(box.text(), text);

    box.setSelStart(0);
    box.setSelColor(0);
    box.setSelLinkMark(false);
    box.setText(text);
    box.setSelection(0, int(text.size()));
    EXPECT_EQ(box.selColor(), Colorref(0));
    EXPECT_FALSE(documentFormatAt(document, 3).boolProperty(int(TextProperty::LinkMark)));
}

// ---------------------------------------------------------------------------------------------
// Edits made the way QTextEdit makes them: through QTextCursor on the document

struct EditCase {
    const char* name;
    QString original;
    std::function<void(QTextDocument&)> edit;
    QString expected;
};

QTextCursor cursorAt(QTextDocument& document, int position, int anchor = -1)
{
    QTextCursor cursor(&document);
    cursor.setPosition(anchor < 0 ? position : anchor);
    cursor.setPosition(position, QTextCursor::KeepAnchor);
    return cursor;
}

void PrintTo(const EditCase& edit, std::ostream* out)
{
    *out << edit.name;
}

// Each edit runs twice: on a headless document, and on one laid out at a page width the way a
// QTextEdit keeps it, where the layout follows every change.
class UserEdit : public ::testing::TestWithParam<std::tuple<EditCase, bool>> {};

TEST_P(UserEdit, TextAndMappingFollowTheEditAndItsUndo)
{
    const auto& [edit, laidOut] = GetParam();
    QTextDocument document;
    if (laidOut) {
        document.documentLayout();
        document.setTextWidth(300);
    }
    RichTextBox box(&document);
    EXPECT_EQ(document.pageSize().width(), laidOut ? 300 : 0);
    box.setText(edit.original);
    expectExactMapping(box, edit.original); // fills the offset cache before the edit
    edit.edit(document);
    {
        SCOPED_TRACE("after the edit");
        expectExactMapping(box, edit.expected);
    }
    while (document.isUndoAvailable())
        document.undo();
    {
        SCOPED_TRACE("after undo");
        expectExactMapping(box, edit.original);
    }
    while (document.isRedoAvailable())
        document.redo();
    {
        SCOPED_TRACE("after redo");
        expectExactMapping(box, edit.expected);
    }
}

INSTANTIATE_TEST_SUITE_P(
    RichTextBox, UserEdit,
    ::testing::
        Combine(
            ::testing::Values(EditCase{"EnterInsideLfLine", QStringLiteral("ab\ncdef\rg"),
                                       [](QTextDocument& d) { cursorAt(d, 5).insertBlock(); },
                                       QStringLiteral("ab\ncd\r\nef\rg")},
                              EditCase{"EnterAtLineStart", QStringLiteral("ab\ncd"),
                                       [](QTextDocument& d) { cursorAt(d, 3).insertBlock(); },
                                       QStringLiteral("ab\n\r\ncd")},
                              EditCase{"EnterAtLineEnd", QStringLiteral("ab\ncd\re"),
                                       [](QTextDocument& d) { cursorAt(d, 5).insertBlock(); },
                                       QStringLiteral("ab\ncd\r\n\re")},
                              EditCase{"EnterAtTextStart", QStringLiteral("\nab"),
                                       [](QTextDocument& d) { cursorAt(d, 0).insertBlock(); },
                                       QStringLiteral("\r\n\nab")},
                              EditCase{"EnterAtTextEnd", QStringLiteral("ab\r"),
                                       [](QTextDocument& d) { cursorAt(d, 3).insertBlock(); },
                                       QStringLiteral("ab\r\r\n")},
                              // On an empty line the caret's format is that of the break before it, kind included.
                              EditCase{"EnterOnEmptyLineAfterLf", QStringLiteral("a\n\nb"),
                                       [](QTextDocument& d) { cursorAt(d, 2).insertBlock(); },
                                       QStringLiteral("a\n\r\n\nb")},
                              EditCase{"EnterOnEmptyLineAfterCr", QStringLiteral("a\r\r"),
                                       [](QTextDocument& d) { cursorAt(d, 2).insertBlock(); },
                                       QStringLiteral("a\r\r\n\r")},
                              EditCase{"EnterOnEmptyLineAfterParagraphSeparator", u16(u"a\u2029\u2029b"),
                                       [](QTextDocument& d) { cursorAt(d, 2).insertText(QStringLiteral("\n")); },
                                       u16(u"a\u2029\r\n\u2029b")},
                              EditCase{"TypeOnEmptyLineAfterLfThenEnter", QStringLiteral("a\n\rb"),
                                       [](QTextDocument& d) {
                                           QTextCursor cursor = cursorAt(d, 2);
                                           cursor.insertText(QStringLiteral("zz"));
                                           cursor.insertBlock();
                                       },
                                       QStringLiteral("a\nzz\r\n\rb")},
                              EditCase{"InsertTextWithLineFeed", QStringLiteral("ab\rcd"),
                                       [](QTextDocument& d) { cursorAt(d, 4).insertText(QStringLiteral("x\ny")); },
                                       QStringLiteral("ab\rcx\r\nyd")},
                              EditCase{
                                  "PasteMixedBreaks", QStringLiteral("a\nb"),
                                  [](QTextDocument& d) { cursorAt(d, 1).insertText(QStringLiteral("1\r\n2\r3\n")); },
                                  QStringLiteral("a1\r\n2\r\n3\r\n\nb")},
                              EditCase{"TypeIntoLine", QStringLiteral("ab\ncd\r"),
                                       [](QTextDocument& d) { cursorAt(d, 4).insertText(QStringLiteral("XY")); },
                                       QStringLiteral("ab\ncXYd\r")},
                              EditCase{"DeleteCrBreak", QStringLiteral("ab\rcd\nef"),
                                       [](QTextDocument& d) { cursorAt(d, 2).deleteChar(); },
                                       QStringLiteral("abcd\nef")},
                              EditCase{"BackspaceOverLfBreak", QStringLiteral("ab\rcd\nef"),
                                       [](QTextDocument& d) { cursorAt(d, 6).deletePreviousChar(); },
                                       QStringLiteral("ab\rcdef")},
                              EditCase{"DeleteCrLfBreak", QStringLiteral("ab\r\ncd\ne"),
                                       [](QTextDocument& d) { cursorAt(d, 2).deleteChar(); },
                                       QStringLiteral("abcd\ne")},
                              EditCase{"DeleteBreakBeforeEmptyLine", QStringLiteral("a\n\rb"),
                                       [](QTextDocument& d) { cursorAt(d, 1).deleteChar(); }, QStringLiteral("a\rb")},
                              EditCase{"DeleteBreakOfEmptyLine", QStringLiteral("a\n\rb"),
                                       [](QTextDocument& d) { cursorAt(d, 2).deleteChar(); }, QStringLiteral("a\nb")},
                              EditCase{"ReplaceSelectionSpanningBreaks", QStringLiteral("ab\ncd\ref"),
                                       [](QTextDocument& d) { cursorAt(d, 7, 1).insertText(QStringLiteral("X\nY")); },
                                       QStringLiteral("aX\r\nYf")},
                              EditCase{"RemoveSelectionSpanningBreaks", QStringLiteral("a\nb\rc\r\nd"),
                                       [](QTextDocument& d) { cursorAt(d, 5, 2).removeSelectedText(); },
                                       QStringLiteral("a\n\r\nd")}),
            ::testing::Bool()),
    [](const auto& info) {
        return std::string(std::get<0>(info.param).name) + (std::get<1>(info.param) ? "_LaidOut" : "_Headless");
    });

TEST_F(RichTextBoxTest, EditsAndUndoAreSeparateSteps)
{
    box.setText(QStringLiteral("a\n\nb"));
    QTextCursor cursor = cursorAt(document, 2);
    cursor.insertBlock(); // a typed break on an empty line: needs its kind set back to CR LF
    cursor.insertText(QStringLiteral("x"));
    ASSERT_EQ(box.text(), QStringLiteral("a\n\r\nx\nb"));
    document.undo();
    EXPECT_EQ(box.text(), QStringLiteral("a\n\r\n\nb"));
    document.undo();
    EXPECT_EQ(box.text(), QStringLiteral("a\n\nb"));
    EXPECT_FALSE(document.isUndoAvailable());
}

TEST_F(RichTextBoxTest, TypedBreakIsCrLfWithUndoSwitchedOff)
{
    box.setText(QStringLiteral("a\n\nb"));
    document.setUndoRedoEnabled(false);
    cursorAt(document, 2).insertBlock();
    expectExactMapping(box, QStringLiteral("a\n\r\n\nb"));
}

// ---------------------------------------------------------------------------------------------
// Searching

TEST_F(RichTextBoxTest, FindsNeedlesAcrossCrLfAndLoneLf)
{
    const QString text = QStringLiteral("x<a\r\nhref=1>y<a\nhref=2>\rz");
    box.setText(text);
    ASSERT_TRUE(box.findAndSelect(QStringLiteral("<a\r\nhref=1>"), 1));
    EXPECT_EQ(box.selStart(), 1);
    EXPECT_EQ(box.selLength(), 11);
    ASSERT_TRUE(box.findAndSelect(QStringLiteral("<a\nhref=2>\r"), 0));
    EXPECT_EQ(box.selStart(), 13);
    EXPECT_EQ(box.selText(), QStringLiteral("<a\nhref=2>\r"));
}

TEST_F(RichTextBoxTest, FindStartsAtTheOffsetAndNeverLooksBack)
{
    box.setText(QStringLiteral("<a>\r\n<b>\n<a>\r<a>"));
    ASSERT_TRUE(box.findAndSelect(QStringLiteral("<a>"), 1));
    EXPECT_EQ(box.selStart(), 9);
    ASSERT_TRUE(box.findAndSelect(QStringLiteral("<a>"), 9));
    EXPECT_EQ(box.selStart(), 9);
    ASSERT_TRUE(box.findAndSelect(QStringLiteral("<a>"), 10));
    EXPECT_EQ(box.selStart(), 13);
    ASSERT_TRUE(box.findAndSelect(QStringLiteral("<a>"), -7));
    EXPECT_EQ(box.selStart(), 0);
}

TEST_F(RichTextBoxTest, FailedSearchKeepsTheSelection)
{
    box.setText(QStringLiteral("<a>\r\n<b>"));
    box.setSelection(2, 3);
    EXPECT_FALSE(box.findAndSelect(QStringLiteral("<a>"), 1));
    EXPECT_FALSE(box.findAndSelect(QStringLiteral("<c>"), 0));
    EXPECT_FALSE(box.findAndSelect(QStringLiteral("<b>"), 100));
    EXPECT_EQ(box.selStart(), 2);
    EXPECT_EQ(box.selLength(), 3);
}

TEST_F(RichTextBoxTest, ExtendSelectionStopsBeforeTheCharacter)
{
    box.setText(QStringLiteral("<a href=x>rest>"));
    box.setSelection(0, 2);
    box.extendSelectionUpTo(u'>');
    EXPECT_EQ(box.selText(), QStringLiteral("<a href=x"));
    box.extendSelectionUpTo(u'>'); // the character right after the selection: no growth
    EXPECT_EQ(box.selLength(), 9);
}

TEST_F(RichTextBoxTest, ExtendSelectionCrossesBreaks)
{
    box.setText(QStringLiteral("<a\r\nhref=x\n\r>z"));
    box.setSelection(0, 1);
    box.extendSelectionUpTo(u'>');
    EXPECT_EQ(box.selStart(), 0);
    EXPECT_EQ(box.selText(), QStringLiteral("<a\r\nhref=x\n\r"));
    box.setSelection(0, 1);
    box.extendSelectionUpTo(u'\r');
    EXPECT_EQ(box.selText(), QStringLiteral("<a"));
    box.setSelection(3, 0);         // inside the pair: the caret sits at 2
    box.extendSelectionUpTo(u'\n'); // the LF of the pair: the end moves to the pair's start
    EXPECT_EQ(box.selStart(), 2);
    EXPECT_EQ(box.selLength(), 0);
    box.setSelection(4, 0);
    box.extendSelectionUpTo(u'\n');
    EXPECT_EQ(box.selText(), QStringLiteral("href=x"));
}

TEST_F(RichTextBoxTest, ExtendSelectionRunsToTheEndWithoutTheCharacter)
{
    box.setText(QStringLiteral("abc\r\ndef\n"));
    box.setSelection(1, 1);
    box.extendSelectionUpTo(u'z');
    EXPECT_EQ(box.selStart(), 1);
    EXPECT_EQ(box.selLength(), 8);
}

TEST_F(RichTextBoxTest, ExtendSelectionFindsAFarCharacter)
{
    QString text = QStringLiteral("<");
    for (int line = 0; line < 3000; ++line)
        text += QStringLiteral("0123456789012345678901234567890123456789\r\n");
    const int end = int(text.size());
    text += QStringLiteral(">tail");
    box.setText(text);
    box.setSelection(0, 1);
    box.extendSelectionUpTo(u'>');
    EXPECT_EQ(box.selStart(), 0);
    EXPECT_EQ(box.selLength(), end);
}

// ---------------------------------------------------------------------------------------------
// The offset cache

TEST_F(RichTextBoxTest, MappingIsRightAfterSettingAShorterText)
{
    QString longText;
    for (int line = 0; line < 200; ++line)
        longText += QStringLiteral("line %1").arg(line) + (line % 3 == 0 ? "\r\n" : line % 3 == 1 ? "\n" : "\r");
    box.setText(longText);
    expectExactMapping(box, longText);
    const QString shortText = QStringLiteral("a\nb\r\nc");
    box.setText(shortText);
    expectExactMapping(box, shortText);
    EXPECT_EQ(box.toDocumentPosition(int(longText.size())), document.characterCount() - 1);
}

TEST_F(RichTextBoxTest, MappingIsRightAfterFormatChangesAndEditsBehindTheCache)
{
    const QString text = QStringLiteral("ab\ncd\r\nef\rgh\r\nij");
    box.setText(text);
    expectExactMapping(box, text);
    box.setSelection(3, 6);
    box.setSelColor(Red); // outside a batch: one undo step, the cache is cut back from line 2
    expectExactMapping(box, text);
    document.undo();
    expectExactMapping(box, text);

    // An edit near the end, after only the start of the text was mapped.
    box.setText(text);
    EXPECT_EQ(box.toDocumentPosition(2), 2);
    cursorAt(document, 10).insertText(QStringLiteral("\n"));
    const QString edited = QStringLiteral("ab\ncd\r\nef\rg\r\nh\r\nij");
    // Far offsets first, so the cache grows from where the edit cut it.
    const std::vector<int> positions = referencePositions(edited);
    for (int offset = int(edited.size()); offset >= 0; --offset)
        EXPECT_EQ(box.toDocumentPosition(offset), positions[offset]) << offset;
    expectExactMapping(box, edited);
}

// ---------------------------------------------------------------------------------------------
// Batches and the undo history

TEST_F(RichTextBoxTest, BatchesStayOutOfTheUndoHistory)
{
    box.setText(QStringLiteral("<a>\r\n<b>\n<c>"));
    cursorAt(document, 0).insertText(QStringLiteral("x"));
    ASSERT_TRUE(document.isUndoAvailable());

    box.beginBatch();
    box.beginBatch();
    ASSERT_TRUE(box.findAndSelect(QStringLiteral("<b>"), 6));
    box.setSelColor(Red);
    box.endBatch();
    EXPECT_FALSE(document.isUndoRedoEnabled());
    ASSERT_TRUE(box.findAndSelect(QStringLiteral("<c>"), 10));
    box.setSelColor(Blue);
    box.endBatch();

    EXPECT_TRUE(document.isUndoRedoEnabled());
    EXPECT_FALSE(document.isUndoAvailable());
    EXPECT_EQ(documentColorAt(document, 5), Red);
    EXPECT_EQ(documentColorAt(document, 9), Blue);
    cursorAt(document, 0).insertText(QStringLiteral("y"));
    EXPECT_TRUE(document.isUndoAvailable());
    document.undo();
    EXPECT_EQ(box.text(), QStringLiteral("x<a>\r\n<b>\n<c>"));
    EXPECT_EQ(documentColorAt(document, 5), Red);
}

TEST_F(RichTextBoxTest, SetTextClearsTheUndoHistoryAndIsNoStep)
{
    box.setText(QStringLiteral("first\nline"));
    cursorAt(document, 5).insertBlock();
    ASSERT_TRUE(document.isUndoAvailable());
    box.setText(QStringLiteral("second\rtext"));
    EXPECT_FALSE(document.isUndoAvailable());
    EXPECT_TRUE(document.isUndoRedoEnabled());
    document.undo();
    EXPECT_EQ(box.text(), QStringLiteral("second\rtext"));
}

TEST_F(RichTextBoxTest, SetTextInsideABatchKeepsUndoOffUntilTheEnd)
{
    box.beginBatch();
    box.setText(QStringLiteral("a\nb"));
    EXPECT_FALSE(document.isUndoRedoEnabled());
    box.setSelection(0, 3);
    box.setSelColor(Green);
    box.endBatch();
    EXPECT_TRUE(document.isUndoRedoEnabled());
    EXPECT_EQ(box.text(), QStringLiteral("a\nb"));
    EXPECT_EQ(box.selColor(), Green);
}

} // namespace
