#include "CheckFixture.h"

#include <gtest/gtest.h>

namespace {

// One link between plain text, a NAME anchor, a bold tag, a web link and a tag whose quote never closes.
const QString Text = QStringLiteral("text\r\n<a href=#n>one</a>\n<a name=n>N</a> <b>bold</b> "
                                    "<a href=\"http://h/x\">w</a> <!-- <a href=c.html> --> <a href=\"open>");
const int Link = int(Text.indexOf(QStringLiteral("<a href=#n")));
const int Anchor = int(Text.indexOf(QStringLiteral("<a name")));
const int Bold = int(Text.indexOf(QStringLiteral("<b>")));
const int Web = int(Text.indexOf(QStringLiteral("<a href=\"http")));
const int Open = int(Text.lastIndexOf(QStringLiteral("<a href")));
const int Commented = int(Text.indexOf(QStringLiteral("<a href=c")));

struct SingleCase {
    const char* name;
    int start;
    int length;
    std::optional<TagSpan> tag; // nothing: no link is checked
    LinkResult result = LinkResult::Unchecked;
    QString target = {};
    friend void PrintTo(const SingleCase& c, std::ostream* out) { *out << c.name; }
};

class SingleCheck : public ::testing::TestWithParam<SingleCase> {};

TEST_P(SingleCheck, ChecksTheLinkTheSelectionPointsAt)
{
    const SingleCase& c = GetParam();
    CheckFixture f;
    const auto checked = f.checkOne(Text, c.start, c.length);
    ASSERT_EQ(checked.has_value(), c.tag.has_value());
    if (!checked) {
        EXPECT_TRUE(f.web.asked.isEmpty());
        return;
    }
    EXPECT_EQ((TagSpan{checked->start - 1, checked->length}), *c.tag);
    EXPECT_TRUE(checked->decided);
    EXPECT_EQ(checked->result, c.result);
    EXPECT_EQ(checked->reason.target, c.target);
}

INSTANTIATE_TEST_SUITE_P(
    Selections, SingleCheck,
    ::testing::Values(
        SingleCase{"CaretAfterTheLessThan", Link + 1, 0, TagSpan{Link, 11}, LinkResult::OkPage, QStringLiteral("n")},
        SingleCase{"CaretInTheValue", Link + 10, 0, TagSpan{Link, 11}, LinkResult::OkPage, QStringLiteral("n")},
        SingleCase{"TheLessThanAMoveSelects", Link, 1, TagSpan{Link, 11}, LinkResult::OkPage, QStringLiteral("n")},
        SingleCase{"CaretAtTheStart", 0, 0, std::nullopt}, SingleCase{"CaretBeforeTheTag", Link, 0, std::nullopt},
        SingleCase{"CaretAfterTheTag", Link + 11, 0, std::nullopt},
        SingleCase{"CaretBetweenTags", Link + 13, 0, std::nullopt},
        SingleCase{"CaretAtTheEnd", int(Text.size()), 0, std::nullopt},
        SingleCase{"SelectionOfSeveralTagsTakesTheFirstLinkTag", Bold - 1, Web + 24 - Bold, TagSpan{Web, 21},
                   LinkResult::NgWeb, QStringLiteral("http://h/x")},
        // A tag without HREF is shown as a link no check could classify; other tags are no links at all.
        SingleCase{"NameAnchor", Anchor + 4, 0, TagSpan{Anchor, 10}, LinkResult::Unchecked},
        SingleCase{"BoldTag", Bold + 1, 0, std::nullopt},
        SingleCase{"UnclosedQuoteCannotBeCut", Open + 3, 0, std::nullopt},
        SingleCase{"TagInAComment", Commented + 3, 0, std::nullopt}),
    [](const ::testing::TestParamInfo<SingleCase>& info) { return std::string(info.param.name); });

TEST(SingleCheckForms, ReadsTheTagAsTheFullCheckDoesAndChecksAnEmptyValueAsTheFolder)
{
    CheckFixture f;
    const QString text = QStringLiteral("<h2\nclass=c\nid = \"Sec\">S</h2>\r\n<a\nhref =\n\"#Sec\">one</a>"
                                        " <a title=x\nhref= '#gone'>two</a> <span id=sp></span><a href=#sp>");
    const auto checkInside = [&](const QString& tag) { return f.checkOne(text, int(text.indexOf(tag)) + 2, 0); };
    const auto one = checkInside(QStringLiteral("<a\nhref"));
    ASSERT_TRUE(one);
    EXPECT_EQ(one->start - 1, int(text.indexOf(QStringLiteral("<a\nhref"))));
    EXPECT_EQ(one->result, LinkResult::OkPage);
    EXPECT_EQ(one->reason.target, QStringLiteral("Sec"));
    const auto two = checkInside(QStringLiteral("<a title"));
    ASSERT_TRUE(two);
    EXPECT_EQ(two->result, LinkResult::NgPage);
    EXPECT_EQ(two->reason.target, QStringLiteral("gone"));
    EXPECT_EQ(checkInside(QStringLiteral("<a href=#sp"))->result, LinkResult::OkPage);

    const auto empty = f.checkOne(QStringLiteral("<a href=\"\">"), 2, 0, QStringLiteral("/"));
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->result, LinkResult::OkFile); // the folder itself exists

    // The document's <base href> leads the single check as it leads the full check.
    f.web = FakeWebCheck({QStringLiteral("http://h/based/a.html")});
    const auto based = f.checkOne(QStringLiteral("<base href=http://h/based/><a href=a.html>"), 30, 0);
    ASSERT_TRUE(based);
    EXPECT_EQ(based->result, LinkResult::OkWeb);
}

} // namespace
