#include "links/LinkNavigator.h"
#include "CheckFixture.h"

#include <gtest/gtest.h>

namespace {

constexpr std::optional<LinkClass> AnyLink = std::nullopt;

// A checked document with every kind of line break before and between its links.
class Navigation : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(f.check(text));
        links = {int(text.indexOf(QStringLiteral("<a href=#a"))), int(text.indexOf(QStringLiteral("<a href=gone"))),
                 int(text.indexOf(QStringLiteral("<a href=\"#b"))), int(text.indexOf(QStringLiteral("<A\tHREF")))};
    }

    // The class the check gave the link whose tag begins at an offset.
    std::optional<LinkClass> classAt(int offset) const
    {
        for (const LinkEntry& entry : f.table().entries) {
            if (entry.start - 1 == offset)
                return classOf(entry.result);
        }
        return std::nullopt;
    }

    // Where a move from the selection [start, start + length) lands; -1 when it finds nothing.
    int move(int start, int length, bool forward, std::optional<LinkClass> kind, const QString& in = {}) const
    {
        return findLinkTag(in.isEmpty() ? text : in, start, length, forward, kind,
                           [this](int offset) { return classAt(offset); })
            .value_or(-1);
    }

    CheckFixture f;
    const QString text = QStringLiteral("日本語\r\n<a href=#a>1</a> <a name=a>A</a>\r\n<a href=gone.html>2</a>\n"
                                        "<a href=\"#b\">3</a>\r<b>x</b><A\tHREF=mailto:x>4</a>\r\nend");
    QList<int> links;
};

TEST_F(Navigation, DownWalksEveryLinkInOrderFromWhereTheLastMoveLeftTheSelection)
{
    int at = move(0, 0, true, AnyLink);
    for (int start : links) {
        EXPECT_EQ(at, start);
        at = move(at, 1, true, AnyLink);
    }
    EXPECT_EQ(at, -1);
}

TEST_F(Navigation, UpWalksBackAndNeverWrapsAround)
{
    int at = move(int(text.size()), 0, false, AnyLink);
    for (int i = int(links.size()) - 1; i >= 0; --i) {
        EXPECT_EQ(at, links[i]);
        at = move(at, 1, false, AnyLink);
    }
    EXPECT_EQ(at, -1);
    EXPECT_EQ(move(0, 0, false, AnyLink), -1);
    // From inside a tag, with a selection: the link before it.
    EXPECT_EQ(move(links[2] + 3, 4, false, AnyLink), links[1]);
}

TEST_F(Navigation, AClassStopsOnlyAtLinksTheCheckGaveIt)
{
    EXPECT_EQ(move(0, 0, true, LinkClass::NgFile), links[1]);
    EXPECT_EQ(move(links[1], 1, true, LinkClass::NotChecked), links[3]);
    EXPECT_EQ(move(links[3], 1, false, LinkClass::OkPage), links[0]);
    EXPECT_EQ(move(links[0], 1, true, LinkClass::NgPage), links[2]);
    EXPECT_EQ(move(0, 0, true, LinkClass::OkWeb), -1);

    // A tag typed after the check is a link of any kind, and of no class.
    const QString typed = text + QStringLiteral(" <a href=typed.html>");
    const int at = int(text.size()) + 1;
    EXPECT_EQ(move(links[3], 1, true, AnyLink, typed), at);
    EXPECT_EQ(move(links[3], 1, true, LinkClass::NgFile, typed), -1);
}

// The moves stop at the tags the check finds: blanks and line breaks around "=", a break after the
// tag's name; not at an attribute that only ends in "href", a tag holding "href" without "=", nor a tag in
// a comment or a script.
TEST(NavigationForms, MovesStopAtTheLinksTheCheckFinds)
{
    CheckFixture f;
    const QString text = QStringLiteral("<a\nhref = #a>1</a> <a xhref=#b> <a href #c> <!-- <a href=#x> --> "
                                        "<script>'<a href=#y>'</script><a title=t\r\nhref=\r\n'#d'> <a name=a>");
    ASSERT_TRUE(f.check(text));
    const QList<int> links{0, int(text.indexOf(QStringLiteral("<a title")))};
    ASSERT_EQ(f.starts(), (QList<int>{links[0] + 1, links[1] + 1}));
    const auto none = [](int) { return std::optional<LinkClass>(); };
    EXPECT_EQ(findLinkTag(text, 0, 0, true, AnyLink, none), links[0]);
    EXPECT_EQ(findLinkTag(text, links[0], 1, true, AnyLink, none), links[1]);
    EXPECT_EQ(findLinkTag(text, int(text.size()), 0, false, AnyLink, none), links[1]);
    EXPECT_EQ(findLinkTag(text, links[1], 1, false, AnyLink, none), links[0]);
}

} // namespace
