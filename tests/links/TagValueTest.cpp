#include "links/TagValue.h"
#include "common/SearchCopy.h"
#include "links/LinkClassifier.h"

#include <gtest/gtest.h>

namespace {

struct ValueCase {
    const char16_t* tag;
    const char16_t* firstPass;  // upper-cased and trimmed
    const char16_t* secondPass; // as written and trimmed; nullptr: no HREF form
};

void PrintTo(const ValueCase& valueCase, std::ostream* out)
{
    *out << QString::fromUtf16(valueCase.tag).toStdString();
}

class TagValueTest : public ::testing::TestWithParam<ValueCase> {};

TEST_P(TagValueTest, CutsTheValueByBothRules)
{
    const QString tag = QString::fromUtf16(GetParam().tag);
    const QString upper = makeSearchCopy(tag);
    const auto span = findHrefValue(upper);
    EXPECT_EQ(span ? firstPassValue(upper, *span).toString() : QString(), QString::fromUtf16(GetParam().firstPass));
    const auto second = secondPassValue(tag, upper);
    if (GetParam().secondPass == nullptr) {
        EXPECT_FALSE(second.has_value());
    } else {
        ASSERT_TRUE(second.has_value());
        EXPECT_EQ(*second, QString::fromUtf16(GetParam().secondPass));
    }
}

INSTANTIATE_TEST_SUITE_P(Forms, TagValueTest,
                         ::testing::Values(ValueCase{u"<a href=\"Page.html\">", u"PAGE.HTML", u"Page.html"},
                                           ValueCase{u"<a href='Page.html'>", u"PAGE.HTML", u"Page.html"},
                                           ValueCase{u"<a href=Page.html>", u"PAGE.HTML", u"Page.html"},
                                           ValueCase{u"<a href=Page.html title=x>", u"PAGE.HTML", u"Page.html"},
                                           ValueCase{u"<a href=\"  a b  \">", u"A B", u"a b"},
                                           ValueCase{u"<a href=\"\">", u"", u""},
                                           ValueCase{u"<a href=\"   \">", u"", u""},
                                           // No closing quote: empty, and the other forms are not tried.
                                           ValueCase{u"<a href=\"open title='x'>", u"", u""},
                                           // The double-quoted form wins even when a single-quoted one comes first.
                                           ValueCase{u"<a x=' href='one' href=\"two\">", u"TWO", u"two"},
                                           ValueCase{u"<a href = 'one' href=\n\"two\">", u"TWO", u"two"},
                                           ValueCase{u"<a href=one href = 'two'>", u"TWO", u"two"},
                                           // A tab before HREF counts as the blank; a tab inside a quoted value stays.
                                           ValueCase{u"<a\thref=\"\tx\">", u"X", u"\tx"},
                                           // Blanks and line breaks may stand on either side of the "=".
                                           ValueCase{u"<a href = \"x\">", u"X", u"x"},
                                           ValueCase{u"<a href=\n\"x\">", u"X", u"x"},
                                           ValueCase{u"<a href\r\n=\r\n'x'>", u"X", u"x"},
                                           ValueCase{u"<a href =\t x title=y>", u"X", u"x"},
                                           ValueCase{u"<a\nhref=x>", u"X", u"x"},
                                           ValueCase{u"<a title=\"t\"\nhref=y>", u"Y", u"y"},
                                           // A line break inside a value is a blank to the first pass only.
                                           ValueCase{u"<a href=\"a\nb\">", u"A B", u"a\nb"},
                                           // Nothing after the blanks: an empty value.
                                           ValueCase{u"<a href= >", u"", u""},
                                           ValueCase{u"<a href =>", u"", u""},
                                           // The name needs a blank before it and the "=" after it.
                                           ValueCase{u"<a xhref=x>", u"", nullptr},
                                           ValueCase{u"<a data-href=x>", u"", nullptr},
                                           ValueCase{u"<a hreflang=en>", u"", nullptr},
                                           ValueCase{u"<a href x=y>", u"", nullptr},
                                           ValueCase{u"<a name=x>", u"", nullptr}));

TEST(PreClassify, NeverCheckedSchemesAndEmptyValues)
{
    EXPECT_EQ(toCode(preClassify(QStringLiteral("JAVASCRIPT:VOID(0)"))), 98);
    EXPECT_EQ(toCode(preClassify(QStringLiteral("VBSCRIPT:X"))), 95);
    EXPECT_EQ(toCode(preClassify(QStringLiteral("MAILTO:A@B"))), 99);
    EXPECT_EQ(toCode(preClassify(QString())), 97);
    EXPECT_EQ(toCode(preClassify(QStringLiteral("JAVASCRIPT"))), 0);
    EXPECT_EQ(toCode(preClassify(QStringLiteral("HTTP://X"))), 0);
}

TEST(LocalLinkPath, JoinsToTheFolderAndDropsFragmentQueryAndEscapes)
{
    const QString base = QStringLiteral("/site");
    EXPECT_EQ(localLinkPath(base, QStringLiteral("sub/a.htm")), QStringLiteral("/site/sub/a.htm"));
    EXPECT_EQ(localLinkPath(base, QStringLiteral("sub\\a.htm")), QStringLiteral("/site/sub/a.htm"));
    EXPECT_EQ(localLinkPath(base, QStringLiteral("\\a.htm")), QStringLiteral("/site/a.htm"));
    EXPECT_EQ(localLinkPath(base, QStringLiteral("/a.htm")), QStringLiteral("/site/a.htm"));
    EXPECT_EQ(localLinkPath(base, QStringLiteral("..\\up.htm")), QStringLiteral("/site/../up.htm"));
    EXPECT_EQ(localLinkPath(base, QStringLiteral("a.htm#top")), QStringLiteral("/site/a.htm"));
    EXPECT_EQ(localLinkPath(base, QStringLiteral("a.htm?q=1#x")), QStringLiteral("/site/a.htm"));
    EXPECT_EQ(localLinkPath(base, QStringLiteral("my%20file.html")), QStringLiteral("/site/my file.html"));
    EXPECT_EQ(localLinkPath(base, QStringLiteral("%E6%97%A5.html")), QStringLiteral("/site/日.html"));
    EXPECT_EQ(localLinkPath(QString(), QStringLiteral("a.htm")), QStringLiteral("/a.htm"));
}

TEST(LocalLinkPath, DecodesEscapesThatAreNoUtf8InTheDocumentsEncoding)
{
    const QString base = QStringLiteral("/site");
    const TextEncoding shiftJis{QStringLiteral("Shift_JIS")};
    // 日 is 93 FA in Shift_JIS and E6 97 A5 in UTF-8: both name the same file in a Shift_JIS page.
    EXPECT_EQ(localLinkPath(base, QStringLiteral("%93%FA.html"), shiftJis), QStringLiteral("/site/日.html"));
    EXPECT_EQ(localLinkPath(base, QStringLiteral("%E6%97%A5.html"), shiftJis), QStringLiteral("/site/日.html"));
    // Without a known encoding such a run stays as written.
    EXPECT_EQ(localLinkPath(base, QStringLiteral("%93%FA.html")), QStringLiteral("/site/%93%FA.html"));
}

TEST(LinkClassifierBase, TrimsBlanksAndOneTrailingSeparator)
{
    EXPECT_EQ(LinkClassifier::normaliseBase(QStringLiteral(" http://h/dir/ ")), QStringLiteral("http://h/dir"));
    EXPECT_EQ(LinkClassifier::normaliseBase(QStringLiteral("C:\\site\\")), QStringLiteral("C:\\site"));
    EXPECT_EQ(LinkClassifier::normaliseBase(QStringLiteral("/site//")), QStringLiteral("/site/"));
}

} // namespace
