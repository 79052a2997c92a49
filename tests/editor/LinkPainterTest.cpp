#include "editor/LinkPainter.h"
#include "PaintReading.h"
#include "editor/LinkSpans.h"
#include "editor/RichTextBox.h"

#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

#include <gtest/gtest.h>

#include <string_view>

namespace {

QString u16(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), qsizetype(text.size()));
}

// A headless editor with its spans and their painter.
class Painted : public ::testing::Test {
protected:
    void paint(const QString& text, const QList<std::pair<QString, LinkResult>>& links)
    {
        box.setText(text);
        check(links);
    }

    // Takes every tag listed as a link of the text with the given result, and waits until it is painted.
    void check(const QList<std::pair<QString, LinkResult>>& links)
    {
        const QString text = box.text();
        LinkTable table{text, {}};
        qsizetype from = 0;
        for (const auto& [tag, result] : links) {
            from = text.indexOf(tag, from);
            ASSERT_GE(from, 0);
            LinkEntry entry;
            entry.start = int(from) + 1;
            entry.length = int(tag.size());
            entry.result = result;
            entry.decided = true;
            table.entries.push_back(entry);
        }
        spans.reset(table);
        QList<int> all;
        for (int index = 0; index < table.count(); ++index)
            all.append(index);
        spans.update(table, all);
        settle();
    }

    // Lets the painter paint what is due.
    static void settle() { QTest::qWait(80); }

    // The colour of every document character, and whether it is underlined.
    QList<std::pair<Colorref, bool>> paints() const
    {
        QList<std::pair<Colorref, bool>> all;
        for (int position = 0; position < document.characterCount() - 1; ++position)
            all.append(paintAt(document, position));
        return all;
    }

    QTextDocument document;
    RichTextBox box{&document};
    LinkSpans spans{box};
    LinkPainter painter{spans, &document};
};

struct PaintCase {
    const char* name;
    QString before;
    QString tag;
    QString after;
    friend void PrintTo(const PaintCase& c, std::ostream* out) { *out << c.name; }
};

class Painting : public Painted, public ::testing::WithParamInterface<PaintCase> {};

TEST_P(Painting, ColourAndUnderlineCoverExactlyTheTag)
{
    const PaintCase& c = GetParam();
    paint(c.before + c.tag + c.after, {{c.tag, LinkResult::NgWeb}});
    const int start = box.toDocumentPosition(int(c.before.size()));
    const int end = box.toDocumentPosition(int(c.before.size() + c.tag.size()));
    const QList<std::pair<Colorref, bool>> painted = paints();
    for (int position = 0; position < painted.size(); ++position) {
        const bool inside = position >= start && position < end;
        EXPECT_EQ(painted[position], std::pair(inside ? LinkColor::NgWeb : Colorref(0), inside)) << position;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Tags, Painting,
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

// Painting is no edit: the undo history and the modified state stay; an edit elsewhere moves the colours
// with their tags, and undoing it brings them back where they were.
TEST_F(Painted, ColoursAreNoEditAndFollowTheirTagsThroughEditsAndUndo)
{
    const QString text = QStringLiteral("ab <a href=#x> cd\r\n<a href=y>");
    box.setText(text);
    document.setModified(false);
    check({{QStringLiteral("<a href=#x>"), LinkResult::OkPage}, {QStringLiteral("<a href=y>"), LinkResult::NgFile}});
    EXPECT_FALSE(document.isModified());
    EXPECT_FALSE(document.isUndoAvailable());
    const QList<std::pair<Colorref, bool>> before = paints();
    EXPECT_EQ(before[3], std::pair(LinkColor::OkPage, true));

    QTextCursor(&document).insertText(QStringLiteral("1234"));
    EXPECT_EQ(paintAt(document, 3), std::pair(Colorref(0), false));
    EXPECT_EQ(paintAt(document, 3 + 4), std::pair(LinkColor::OkPage, true));
    EXPECT_EQ(paintAt(document, 3 + 4 + 11), std::pair(Colorref(0), false));
    EXPECT_EQ(document.availableUndoSteps(), 1);
    document.undo();
    settle();
    EXPECT_EQ(paints(), before);
}

TEST_F(Painted, ANewCheckTakesTheOldColoursAwayAndUndecidedLinksStayUnpainted)
{
    paint(QStringLiteral("<a href=1> <a href=2>"), {{QStringLiteral("<a href=1>"), LinkResult::NgFile}});
    ASSERT_EQ(paintAt(document, 0).first, LinkColor::NgFile);
    LinkTable table{box.text(), {}};
    LinkEntry undecided;
    undecided.start = 12;
    undecided.length = 10;
    table.entries.push_back(undecided);
    spans.reset(table);
    settle();
    EXPECT_EQ(paints(), (QList<std::pair<Colorref, bool>>(box.textLength(), {0, false})));
}

} // namespace
