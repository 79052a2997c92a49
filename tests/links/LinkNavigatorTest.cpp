#include "links/LinkNavigator.h"
#include "ScannerFixture.h"
#include "ScriptedPrompter.h"

#include <gtest/gtest.h>

namespace {

const QList<PromptId> NotFound = {PromptId::LinkNotFound};
constexpr std::optional<LinkClass> AnyLink = std::nullopt;

// A checked document with every kind of line break before and between its links.
class Navigation : public ::testing::Test {
protected:
    void SetUp() override
    {
        text = QStringLiteral("日本語\r\n<a href=#a>1</a> <a name=a>A</a>\r\n<a href=gone.html>2</a>\n"
                              "<a href=\"#b\">3</a>\r<b>x</b><A\tHREF=mailto:x>4</a>\r\nend");
        ASSERT_TRUE(f.check(text));
        links = {int(text.indexOf(QStringLiteral("<a href=#a"))), int(text.indexOf(QStringLiteral("<a href=gone"))),
                 int(text.indexOf(QStringLiteral("<a href=\"#b"))), int(text.indexOf(QStringLiteral("<A\tHREF")))};
    }

    // Moves and returns where the selection ends up (start, length).
    std::pair<int, int> move(bool forward, std::optional<LinkClass> kind)
    {
        EXPECT_TRUE(navigator.moveToLink(forward, kind));
        return {f.editor.selStart(), f.editor.selLength()};
    }

    ScannerFixture f;
    ScriptedPrompter prompter;
    LinkNavigator navigator{f.run, f.editor, f.progress, prompter};
    QString text;
    QList<int> links;
};

TEST_F(Navigation, DownWalksEveryLinkInOrderAndStopsAtTheEnd)
{
    f.editor.setSelection(0, 0);
    for (int start : links)
        EXPECT_EQ(move(true, AnyLink), std::make_pair(start, 1));
    EXPECT_TRUE(prompter.asked.isEmpty());
    EXPECT_EQ(move(true, AnyLink), std::make_pair(links.last(), 1));
    EXPECT_EQ(prompter.ids(), NotFound);
}

TEST_F(Navigation, UpWalksBackAndNeverWrapsAround)
{
    f.editor.setSelection(text.size(), 0);
    for (int i = int(links.size()) - 1; i >= 0; --i)
        EXPECT_EQ(move(false, AnyLink), std::make_pair(links[i], 1));
    EXPECT_EQ(move(false, AnyLink), std::make_pair(links.first(), 1));
    EXPECT_EQ(prompter.ids(), NotFound);

    // From the very start there is nothing before the caret.
    f.editor.setSelection(0, 0);
    EXPECT_EQ(move(false, AnyLink), std::make_pair(0, 0));
    // From the middle of the text, with a selection: the previous link, the selection restored when none.
    f.editor.setSelection(links[2] + 3, 4);
    EXPECT_EQ(move(false, AnyLink), std::make_pair(links[1], 1));
}

TEST_F(Navigation, ClassFilterReadsThePaintedColourAndMark)
{
    f.editor.setSelection(0, 0);
    EXPECT_EQ(move(true, LinkClass::NgFile), std::make_pair(links[1], 1));     // NG file
    EXPECT_EQ(move(true, LinkClass::NotChecked), std::make_pair(links[3], 1)); // not checked
    EXPECT_EQ(move(false, LinkClass::OkPage), std::make_pair(links[0], 1));    // OK page
    EXPECT_EQ(move(true, LinkClass::NgPage), std::make_pair(links[2], 1));     // NG page
    EXPECT_TRUE(prompter.asked.isEmpty());
    f.editor.setSelection(0, 0);
    EXPECT_EQ(move(true, LinkClass::OkWeb), std::make_pair(0, 0)); // no OK web link
    EXPECT_EQ(prompter.ids(), NotFound);
}

TEST_F(Navigation, TagsWithoutTheLinkMarkPassUnderAClass)
{
    // A tag typed after the check, and one coloured by hand without the mark.
    f.editor.setSelection(int(text.size()), 0);
    QTextCursor cursor(&f.textDocument);
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(QStringLiteral(" <a href=typed.html> <a href=coloured.html>"));
    const int typed = int(text.size()) + 1;
    const int coloured = typed + 20;
    f.editor.setSelection(coloured, 23);
    f.editor.setSelColor(LinkColor::NgFile);
    f.editor.setSelLinkMark(false);

    f.editor.setSelection(links[2], 0);
    EXPECT_EQ(move(true, AnyLink), std::make_pair(links[2], 1));
    EXPECT_EQ(move(true, AnyLink), std::make_pair(links[3], 1));
    EXPECT_EQ(move(true, AnyLink), std::make_pair(typed, 1));
    EXPECT_EQ(move(true, AnyLink), std::make_pair(coloured, 1));
    f.editor.setSelection(links[2], 0);
    EXPECT_EQ(move(true, LinkClass::NgFile), std::make_pair(links[2], 0));
    EXPECT_EQ(prompter.ids(), NotFound);
}

// The moves stop at the tags the check finds: blanks and line breaks around "=", a break after the
// tag's name; not at an attribute that only ends in "href" or a tag holding "href" without "=".
TEST(NavigationForms, MovesStopAtTheLinksTheCheckFinds)
{
    ScannerFixture f;
    const QString text = QStringLiteral("<a\nhref = #a>1</a> <a xhref=#b> <a href #c> <a title=t\r\nhref=\r\n'#d'>"
                                        " <a name=a>");
    ASSERT_TRUE(f.check(text));
    const QList<int> links{0, int(text.indexOf(QStringLiteral("<a title")))};
    ASSERT_EQ(f.starts(), (QList<int>{links[0] + 1, links[1] + 1}));
    ScriptedPrompter prompter;
    LinkNavigator navigator{f.run, f.editor, f.progress, prompter};
    f.editor.setSelection(0, 0);
    for (int start : links) {
        ASSERT_TRUE(navigator.moveToLink(true, AnyLink));
        EXPECT_EQ(f.editor.selStart(), start);
    }
    f.editor.setSelection(int(text.size()), 0);
    for (int i = int(links.size()) - 1; i >= 0; --i) {
        ASSERT_TRUE(navigator.moveToLink(false, AnyLink));
        EXPECT_EQ(f.editor.selStart(), links[i]);
    }
    EXPECT_TRUE(prompter.asked.isEmpty());
}

TEST_F(Navigation, StopRestoresTheSelectionAndSaysNotFound)
{
    f.editor.setSelection(2, 1);
    f.progress.onPoll = [this](int) { f.run.abort.request(); };
    EXPECT_EQ(move(true, AnyLink), std::make_pair(2, 1));
    EXPECT_EQ(prompter.ids(), NotFound);
}

} // namespace
