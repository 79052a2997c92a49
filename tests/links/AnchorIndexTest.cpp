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

TEST(FindNameAnchor, NamesMayHaveBlanksAndLineBreaksAroundTheirEquals)
{
    const QString text = QStringLiteral("<a\nname=four> <a name = five> <a name=\r\n\"six\"> <a name= seven>"
                                        " <a title=\"t\"\nname\t=\t'eight'>");
    for (const char* name : {"FOUR", "FIVE", "SIX", "SEVEN", "EIGHT"})
        EXPECT_TRUE(findAnchor(text, name)) << name;
}

TEST(FindNameAnchor, IdsOfAnyTagCount)
{
    const QString text = QStringLiteral("<h2 id=\"intro\">x</h2> <section class=\"c\" ID='Part'> <a id=link>"
                                        " <div\nclass=d\nid = \"broken\nline\"> <SPAN Id=Mixed> <p id=\"a b\">"
                                        " <a name=both id=also>");
    for (const char* name : {"INTRO", "PART", "LINK", "BROKEN LINE", "MIXED", "A B", "BOTH", "ALSO"})
        EXPECT_TRUE(findAnchor(text, name)) << name;
}

TEST(FindNameAnchor, IgnoresOtherAttributesOtherTagsTextAndBrokenForms)
{
    const QString text = QStringLiteral("<div name=one> <abbr name=two> <p data-id=three> <p xid=four>"
                                        " the id=five text </p id=six> < p id=seven> <a name=\"eight>"
                                        " <a id='nine> <p id\n=\nten<a name=eleven");
    for (const char* name : {"ONE", "TWO", "THREE", "FOUR", "FIVE", "SIX", "SEVEN", "EIGHT", "NINE", "TEN", "ELEVEN"})
        EXPECT_FALSE(findAnchor(text, name)) << name;
}

TEST(FindNameAnchor, OnlyTheFirstNameAndIdOfATagCountAndUnquotedStopsAtBlank)
{
    const QString text = QStringLiteral("<a name=first name=second> <a name=x y> <p id=one id=two>");
    EXPECT_TRUE(findAnchor(text, "FIRST"));
    EXPECT_FALSE(findAnchor(text, "SECOND"));
    EXPECT_TRUE(findAnchor(text, "X"));
    EXPECT_TRUE(findAnchor(text, "ONE"));
    EXPECT_FALSE(findAnchor(text, "TWO"));
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
    // Tags of every kind sharing one ">", each with an ID and long blanks around its "=".
    const QString blanks(100000, u' ');
    text = QStringLiteral("<p id").repeated(200000) + blanks + u'=' + blanks + QStringLiteral("'shared'>");
    EXPECT_TRUE(findAnchor(text, "SHARED"));
    text = QStringLiteral("<p id=x ").repeated(200000) + u'>';
    EXPECT_TRUE(findAnchor(text, "X"));
}

} // namespace
