#include "links/AnchorIndex.h"
#include "common/SearchCopy.h"

#include <gtest/gtest.h>

namespace {

bool findAnchor(const QString& text, const char* name)
{
    bool found = false;
    EXPECT_TRUE(findNameAnchor(text, QString::fromLatin1(name), found));
    return found;
}

TEST(FindNameAnchor, MatchesNameFormsInAnyLetterCase)
{
    const QString text = QStringLiteral("<a name=\"Top\">x</a> <A NAME='mid'></A> <a\r\nname=End>"
                                        " <a title=x name=Deep href=y> <a name=\"a b\">");
    EXPECT_TRUE(findAnchor(text, "TOP"));
    EXPECT_TRUE(findAnchor(text, "MID"));
    EXPECT_TRUE(findAnchor(text, "END"));
    EXPECT_TRUE(findAnchor(text, "DEEP"));
    EXPECT_TRUE(findAnchor(text, "A B"));
    EXPECT_FALSE(findAnchor(text, "Top")); // the name asked for is expected upper-case
    EXPECT_FALSE(findAnchor(text, "A"));
}

TEST(FindNameAnchor, IgnoresIdsOtherTagsAndBrokenForms)
{
    const QString text = QStringLiteral("<div name=one> <a id=two> <a name=\"three> <a\nname=four>"
                                        " <a name = five> <a name=six");
    for (const char* name : {"ONE", "TWO", "THREE", "FOUR", "FIVE", "SIX"})
        EXPECT_FALSE(findAnchor(text, name)) << name;
}

TEST(FindNameAnchor, OnlyTheFirstNameOfATagCountsAndUnquotedStopsAtBlank)
{
    const QString text = QStringLiteral("<a name=first name=second> <a name=x y>");
    EXPECT_TRUE(findAnchor(text, "FIRST"));
    EXPECT_FALSE(findAnchor(text, "SECOND"));
    EXPECT_TRUE(findAnchor(text, "X"));
}

TEST(FindNameAnchor, NestedCandidatesShareTheirClosingBracket)
{
    // "<A <A NAME=n>" holds two candidates; both end at the same ">".
    const QString text = QStringLiteral("<a <a name=n> <a <a name=\"open>");
    EXPECT_TRUE(findAnchor(text, "N"));
    EXPECT_FALSE(findAnchor(text, "OPEN"));
}

TEST(FindNameAnchor, LongRunsOfCandidatesFinish)
{
    // A hostile text: a million candidates and one far ">" must not take quadratic time.
    QString text = QStringLiteral("<a ").repeated(1000000) + QStringLiteral(" name=\"unclosed ") +
                   QString(1000000, u'x') + QStringLiteral(">");
    EXPECT_FALSE(findAnchor(text, "UNCLOSED"));
    text = QStringLiteral("<a ").repeated(1000000) + QStringLiteral("name=far ") + QString(1000000, u'x') + u'>';
    EXPECT_TRUE(findAnchor(text, "FAR"));
}

} // namespace
