#include "links/CurrentLinkCheck.h"
#include "ScannerFixture.h"

#include <gtest/gtest.h>

namespace {

// One painted link between plain text, a NAME anchor, a bold tag and an unchecked web link.
class SingleCheck : public ::testing::Test {
protected:
    void SetUp() override
    {
        text = QStringLiteral("text\r\n<a href=#n>one</a>\n<a name=n>N</a> <b>bold</b> "
                              "<a href=\"http://h/x\">w</a> <a href=\"open>");
        f.editor.setText(text);
        link = int(text.indexOf(QStringLiteral("<a href=#n")));
        anchor = int(text.indexOf(QStringLiteral("<a name")));
        bold = int(text.indexOf(QStringLiteral("<b>")));
        web = int(text.indexOf(QStringLiteral("<a href=\"http")));
    }

    // Checks with the selection at [start, start + length); the tag checked, if any.
    std::optional<CheckedTag> checkAt(int start, int length)
    {
        f.editor.setSelection(start, length);
        return checkCurrentLink(f.editor, f.editor.selText(), QStringLiteral("/nowhere"), true, f.web, f.registry);
    }

    bool painted(int offset) { return f.paintAt(offset).second; }

    ScannerFixture f;
    QString text;
    int link = 0;
    int anchor = 0;
    int bold = 0;
    int web = 0;
};

TEST_F(SingleCheck, CaretInsideATagChecksThatTag)
{
    for (int caret : {link + 1, link + 5, link + 10}) {
        f.editor.setText(text);
        ASSERT_TRUE(checkAt(caret, 0));
        EXPECT_EQ(f.editor.selStart(), link) << caret;
        EXPECT_EQ(f.editor.selLength(), 1) << caret;
        EXPECT_EQ(f.paintAt(link), std::make_pair(LinkColor::OkPage, true)) << caret;
        EXPECT_EQ(f.paintAt(link + 10), std::make_pair(LinkColor::OkPage, true)) << caret;
        EXPECT_FALSE(painted(link + 11)) << caret;
    }
}

TEST_F(SingleCheck, CaretOutsideTagsChangesNothing)
{
    for (int caret : {0, 2, link, link + 11, link + 13, int(text.size())}) {
        ASSERT_FALSE(checkAt(caret, 0));
        EXPECT_EQ(f.editor.selStart(), caret);
        for (int offset : {link, anchor, web})
            EXPECT_FALSE(painted(offset)) << caret;
    }
    EXPECT_TRUE(f.web.asked.isEmpty());
}

TEST_F(SingleCheck, SelectionOfSeveralTagsChecksTheFirstLinkTag)
{
    ASSERT_TRUE(checkAt(bold - 1, web + 24 - bold));
    EXPECT_EQ(f.editor.selStart(), web);
    EXPECT_EQ(f.web.asked, QStringList{QStringLiteral("http://h/x")});
    EXPECT_EQ(f.paintAt(web), std::make_pair(LinkColor::NgWeb, true));
    EXPECT_FALSE(painted(bold));
}

TEST_F(SingleCheck, TheLessThanSelectedByAMoveIsThatLinkAndItsReasonComesBack)
{
    const std::optional<CheckedTag> checked = checkAt(link, 1);
    ASSERT_TRUE(checked);
    EXPECT_EQ(checked->start, link);
    EXPECT_EQ(checked->length, 11);
    EXPECT_EQ(checked->classification.result, LinkResult::OkPage);
    EXPECT_EQ(checked->classification.reason.kind, LinkReason::Kind::Anchor);
    EXPECT_EQ(checked->classification.reason.target, QStringLiteral("n")); // as written
    EXPECT_EQ(f.editor.selStart(), link);
    EXPECT_EQ(f.paintAt(link + 5), std::make_pair(LinkColor::OkPage, true));
}

TEST_F(SingleCheck, NameAnchorIsPaintedAsUncheckedAndOtherTagsNotAtAll)
{
    ASSERT_TRUE(checkAt(anchor + 4, 0));
    EXPECT_EQ(f.paintAt(anchor), std::make_pair(LinkColor::NgWeb, true));
    ASSERT_FALSE(checkAt(bold + 1, 0));
    EXPECT_FALSE(painted(bold));
    EXPECT_FALSE(painted(bold + 1));
}

TEST_F(SingleCheck, UnclosedQuoteCannotBeCut)
{
    const int open = int(text.lastIndexOf(QStringLiteral("<a href")));
    EXPECT_FALSE(checkAt(open + 3, 0));
    EXPECT_FALSE(painted(open));
}

TEST_F(SingleCheck, EmptyValueIsCheckedAsARelativeFile)
{
    f.editor.setText(QStringLiteral("<a href=\"\">"));
    f.editor.setSelection(2, 0);
    ASSERT_TRUE(checkCurrentLink(f.editor, QString(), QStringLiteral("/"), true, f.web, f.registry));
    EXPECT_EQ(f.paintAt(0), std::make_pair(LinkColor::OkFile, true)); // the folder itself exists
}

TEST(SingleCheckForms, ReadsTheTagAsTheFullCheckDoes)
{
    ScannerFixture f;
    const QString text = QStringLiteral("<h2\nclass=c\nid = \"sec\">S</h2>\r\n<a\nhref =\n\"#Sec\">one</a>"
                                        " <a title=x\nhref= '#gone'>two</a> <span id=sp></span><a href=#sp>");
    f.editor.setText(text);
    const auto checkInside = [&](const QString& tag) {
        f.editor.setSelection(int(text.indexOf(tag)) + 2, 0);
        return checkCurrentLink(f.editor, QString(), QStringLiteral("/nowhere"), true, f.web, f.registry);
    };
    const auto one = checkInside(QStringLiteral("<a\nhref"));
    ASSERT_TRUE(one);
    EXPECT_EQ(one->start, int(text.indexOf(QStringLiteral("<a\nhref"))));
    EXPECT_EQ(one->classification.result, LinkResult::OkPage);
    EXPECT_EQ(one->classification.reason.target, QStringLiteral("Sec"));
    const auto two = checkInside(QStringLiteral("<a title"));
    ASSERT_TRUE(two);
    EXPECT_EQ(two->classification.result, LinkResult::NgPage);
    EXPECT_EQ(two->classification.reason.target, QStringLiteral("gone"));
    const auto three = checkInside(QStringLiteral("<a href=#sp"));
    ASSERT_TRUE(three);
    EXPECT_EQ(three->classification.result, LinkResult::OkPage);
}

} // namespace
