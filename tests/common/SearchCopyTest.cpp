#include "common/SearchCopy.h"

#include <gtest/gtest.h>

TEST(SearchCopy, MakesEveryBreakAndTabABlankKeepingLength)
{
    const QString text = QStringLiteral("<a\r\nhref=x>\r<A\tb>\n\r\r\nß<a\nhref\n=\n'x'>");
    const QString copy = makeSearchCopy(text);
    ASSERT_EQ(copy.size(), text.size());
    EXPECT_EQ(copy, QStringLiteral("<A  HREF=X> <A B>    ß<A HREF = 'X'>"));
}

TEST(SearchCopy, UpperCaseKeepsLengthForSpecialCasingAndSurrogates)
{
    // ß and ŉ upper-case to two letters in full case mapping; the copy keeps one unit each.
    const QString text = QStringLiteral("aßŉé\U00010428z\xD800");
    const QString upper = upperCaseKeepingLength(text);
    ASSERT_EQ(upper.size(), text.size());
    EXPECT_EQ(upper, QStringLiteral("AßŉÉ\U00010400Z\xD800"));
}

TEST(SearchCopy, TrimBlanksOnlyRemovesSpaces)
{
    EXPECT_EQ(trimBlanks(QStringLiteral("  \tx y\t  ")), QStringLiteral("\tx y\t"));
    EXPECT_EQ(trimBlanks(QStringLiteral("   ")), QString());
    const QString text = QStringLiteral("[  a b ]");
    const QStringView inside = trimBlanks(QStringView(text).sliced(1, 6));
    EXPECT_EQ(inside, u"a b");
    EXPECT_EQ(inside.data(), text.constData() + 3); // a view into the text, not a copy
    EXPECT_TRUE(trimBlanks(QStringView(u"  ")).isEmpty());
}
