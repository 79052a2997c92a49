#include "common/SearchCopy.h"

#include <gtest/gtest.h>

TEST(SearchCopy, ReplacesBreaksAndTabsKeepingLength)
{
    const QString text = QStringLiteral("<a\r\nhref=x>\r<A\tb>\n\r\r\nß");
    const QString copy = makeSearchCopy(text);
    ASSERT_EQ(copy.size(), text.size());
    EXPECT_EQ(copy, QStringLiteral("<A  HREF=X> <A B>\n   ß"));
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
}
