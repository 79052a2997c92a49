#include "editor/LinkSpans.h"
#include "editor/RichTextBox.h"

#include <QTextCursor>
#include <QTextDocument>

#include <gtest/gtest.h>

namespace {

TEST(PositionShift, MovesPositionsAsTheEditMovesTheirTextAndBack)
{
    // "ab[cd]ef[]gh[ij]k": [cd] becomes 5 characters, [] 2, [ij] none.
    const PositionShift shift({{2, 4, 5}, {6, 6, 2}, {8, 10, 0}});
    std::vector<int> positions{0, 2, 3, 4, 6, 7, 9, 10, 11};
    shift.apply(positions);
    // At or in a range: where its new text begins; at its end or after: moved by the ranges before.
    EXPECT_EQ(positions, (std::vector<int>{0, 2, 2, 7, 9, 12, 13, 13, 14}));
    std::vector<int> back{0, 2, 7, 9, 13, 14};
    shift.reversed().apply(back);
    EXPECT_EQ(back, (std::vector<int>{0, 2, 4, 6, 8, 11}));
}

struct ReplaceCase {
    const char* name;
    QString text;
    std::vector<RichTextBox::Replacement> replacements;
    QString expected;
    int lastEnd; // what replaceRanges returns
    friend void PrintTo(const ReplaceCase& c, std::ostream* out) { *out << c.name; }
};

class ReplaceRanges : public ::testing::TestWithParam<ReplaceCase> {};

// One edit: a single undo gives the text back exactly, breaks of every kind included; redo repeats it.
TEST_P(ReplaceRanges, ReplacesAsOneUndoStep)
{
    const ReplaceCase& c = GetParam();
    QTextDocument document;
    RichTextBox box(&document);
    box.setText(c.text);
    EXPECT_EQ(box.replaceRanges(c.replacements), c.lastEnd);
    EXPECT_EQ(box.text(), c.expected);
    document.undo();
    EXPECT_EQ(box.text(), c.text);
    EXPECT_FALSE(document.isUndoAvailable());
    document.redo();
    EXPECT_EQ(box.text(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    RichTextBox, ReplaceRanges,
    ::testing::Values(ReplaceCase{"LongerShorterAndEmpty",
                                  QStringLiteral("old a old\r\nb old"),
                                  {{0, 3, QStringLiteral("newer")}, {6, 3, QStringLiteral("x")}, {13, 3, QString()}},
                                  QStringLiteral("newer a x\r\nb "),
                                  13},
                      ReplaceCase{"BreaksOfANewTextAreCrLf",
                                  QStringLiteral("a|b\nc"),
                                  {{1, 1, QStringLiteral("1\n2\r3\r\n4")}},
                                  QStringLiteral("a1\r\n2\r\n3\r\n4b\nc"),
                                  11},
                      ReplaceCase{"ARangeOverABreakLeavesTheOtherBreaks",
                                  QStringLiteral("x\ry\r\nz\nw"),
                                  {{2, 4, QStringLiteral("-")}, {7, 1, QStringLiteral("W")}},
                                  QStringLiteral("x\r-\nW"),
                                  5}),
    [](const auto& info) { return std::string(info.param.name); });

// Links of "<a href=old> <a href=old>\r\n<img src=old>", the image shown as its value.
class Spans : public ::testing::Test {
protected:
    void SetUp() override
    {
        box.setText(text);
        LinkTable table{text, {}};
        for (const qsizetype tag : {0, 13}) {
            LinkEntry link;
            link.start = int(tag) + 1;
            link.length = 12;
            table.entries.push_back(link);
        }
        LinkEntry image;
        image.element = QStringLiteral("IMG");
        image.valueStart = 37;
        image.valueLength = 3;
        table.entries.push_back(image);
        spans.reset(table);
    }

    QList<int> offsets() const
    {
        QList<int> all;
        for (int span = 0; span < spans.count(); ++span)
            all.append(spans.offsetOf(span));
        return all;
    }

    const QString text = QStringLiteral("<a href=old> <a href=old>\r\n<img src=old>");
    QTextDocument document;
    RichTextBox box{&document};
    LinkSpans spans{box};
};

// Typed edits move a link as a cursor of the document placed at its start moves, and so does their undo.
TEST_F(Spans, MoveThroughTypedEditsAsCursorsDo)
{
    const std::tuple<int, int, QString> edits[] = {{1, 0, QStringLiteral("xyz")},
                                                   {13, 0, QStringLiteral("x")},
                                                   {10, 5, QString()},
                                                   {25, 2, QString()},
                                                   {36, 0, QStringLiteral("\n")}};
    for (const auto& [from, length, typed] : edits) {
        std::vector<QTextCursor> cursors;
        for (const int offset : offsets())
            cursors.emplace_back(&document).setPosition(box.toDocumentPosition(offset));
        const auto cursorOffsets = [&] {
            QList<int> all;
            for (const QTextCursor& cursor : cursors)
                all.append(box.toTextOffset(cursor.position()));
            return all;
        };
        QTextCursor edit(&document);
        edit.setPosition(box.toDocumentPosition(from));
        edit.setPosition(box.toDocumentPosition(from + length), QTextCursor::KeepAnchor);
        edit.insertText(typed);
        EXPECT_EQ(offsets(), cursorOffsets()) << from;
        document.undo();
        EXPECT_EQ(offsets(), cursorOffsets()) << from;
    }
}

// A link stays at its tag, an image's at its value even where the value's start was replaced.
TEST_F(Spans, StayAtTheirTagsThroughAReplacementItsUndoAndItsRedo)
{
    box.replaceRanges(
        {{8, 3, QStringLiteral("http://new")}, {21, 3, QStringLiteral("n")}, {36, 3, QStringLiteral("i")}});
    const QList<int> replaced{0, 20, 41};
    EXPECT_EQ(offsets(), replaced);
    EXPECT_EQ(box.text(), QStringLiteral("<a href=http://new> <a href=n>\r\n<img src=i>"));
    EXPECT_TRUE(spans.isEdited(0));
    document.undo();
    EXPECT_EQ(offsets(), (QList<int>{0, 13, 36}));
    EXPECT_FALSE(spans.isEdited(2));
    document.redo();
    EXPECT_EQ(offsets(), replaced);
}

} // namespace
