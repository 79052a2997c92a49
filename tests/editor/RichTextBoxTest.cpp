#include "editor/RichTextBox.h"

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
    box.setText(QStringLiteral("new"));
    EXPECT_EQ(spy.count(), 4);
    EXPECT_EQ(box.selStart(), 0);
    EXPECT_EQ(box.selLength(), 0);
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
    // A format change is an edit too: one undo step, the cache is cut back from line 2.
    QTextCursor range = cursorAt(document, 3);
    range.setPosition(8, QTextCursor::KeepAnchor);
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    range.mergeCharFormat(bold);
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
// The undo history

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

} // namespace
