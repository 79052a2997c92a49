#include "links/AnchorIndex.h"
#include "common/SearchCopy.h"

#include <gtest/gtest.h>

namespace {

bool findAnchor(const QString& text, const char* name)
{
    return AnchorIndex(text, makeSearchCopy(text)).contains(QString::fromUtf8(name));
}

TEST(FindNameAnchor, MatchesNameFormsExactlyAsWritten)
{
    const QString text = QStringLiteral("<a name=\"Top\">x</a> <A NAME='mid'></A> <a\r\nname=End>"
                                        " <a title=x name=Deep href=y> <a name=\"a b\">");
    for (const char* name : {"Top", "mid", "End", "Deep", "a b"})
        EXPECT_TRUE(findAnchor(text, name)) << name;
    for (const char* name : {"TOP", "Mid", "A B", "A"})
        EXPECT_FALSE(findAnchor(text, name)) << name;
}

// Targets are read as a browser reads them: character references decoded, and none in comments or the
// contents of script, style, textarea and title.
TEST(FindNameAnchor, ReadsTargetsAsABrowserDoes)
{
    const QString text = QStringLiteral("<p id=\"a&amp;b\"> <p id='&#x63;af&#233;'> <p id=&lt;x&gt;>"
                                        "<!-- <p id=commented> --> <script id=s>var x = '<p id=scripted>';</script>"
                                        "<textarea id=t><a name=typed></textarea><title>x<p id=titled></title>"
                                        "<style>.c{}</style><p id=after>");
    for (const char* name : {"a&b", "café", "<x>", "s", "t", "after"})
        EXPECT_TRUE(findAnchor(text, name)) << name;
    for (const char* name : {"a&amp;b", "commented", "scripted", "typed", "titled"})
        EXPECT_FALSE(findAnchor(text, name)) << name;
}

struct FragmentCase {
    const char* fragment;
    FragmentMatch::Kind kind;
    const char* nearest = "";
};

// A fragment as a browser looks it up: exactly, then percent-decoded as UTF-8; the top of the page for an
// empty fragment and for "top" where no target has that name; a target differing in letter case only named.
TEST(FragmentMatch, IsFoundExactlyOrAtTheTopOrNamesTheTargetInAnotherCase)
{
    const QString text = QStringLiteral("<div id=mainMenu></div><p id=\"café\"><p id=\"a&amp;b\"><p id=\"50%\">"
                                        "<a name=Top2><p id=\"%41\">");
    const AnchorIndex index(text, makeSearchCopy(text));
    using K = FragmentMatch::Kind;
    const FragmentCase cases[] = {
        {"mainMenu", K::Found},
        {"MainMenu", K::DiffersInCase, "mainMenu"},
        {"caf%C3%A9", K::Found},
        {"café", K::Found},
        {"a&amp;b", K::Found},
        {"a&b", K::Found},
        {"50%", K::Found},
        {"%41", K::Found}, // as written comes first
        {"", K::TopOfPage},
        {"top", K::TopOfPage},
        {"TOP", K::TopOfPage},
        {"%74op", K::TopOfPage},
        {"top2", K::DiffersInCase, "Top2"},
        {"caf%E9", K::Missing}, // %E9 is no UTF-8
        {"nowhere", K::Missing},
    };
    for (const FragmentCase& c : cases) {
        const FragmentMatch match = index.match(QString::fromUtf8(c.fragment));
        EXPECT_EQ(match.kind, c.kind) << c.fragment;
        EXPECT_EQ(match.nearest, QString::fromUtf8(c.nearest)) << c.fragment;
    }
}

TEST(FindNameAnchor, NamesMayHaveBlanksAndLineBreaksAroundTheirEquals)
{
    const QString text = QStringLiteral("<a\nname=four> <a name = five> <a name=\r\n\"six\"> <a name= seven>"
                                        " <a title=\"t\"\nname\t=\t'eight'>");
    for (const char* name : {"four", "five", "six", "seven", "eight"})
        EXPECT_TRUE(findAnchor(text, name)) << name;
}

TEST(FindNameAnchor, IdsOfAnyTagCount)
{
    const QString text = QStringLiteral("<h2 id=\"intro\">x</h2> <section class=\"c\" ID='Part'> <a id=link>"
                                        " <div\nclass=d\nid = \"broken\nline\"> <SPAN Id=Mixed> <p id=\"a b\">"
                                        " <a name=both id=also>");
    for (const char* name : {"intro", "Part", "link", "broken\nline", "Mixed", "a b", "both", "also"})
        EXPECT_TRUE(findAnchor(text, name)) << name;
}

TEST(FindNameAnchor, IgnoresOtherAttributesOtherTagsTextAndBrokenForms)
{
    const QString text = QStringLiteral("<div name=one> <abbr name=two> <p data-id=three> <p xid=four>"
                                        " the id=five text </p id=six> < p id=seven> <a name=\"eight>"
                                        " <a id='nine> <p id\n=\nten<a name=eleven");
    for (const char* name : {"one", "two", "three", "four", "five", "six", "seven", "eight", "nine", "ten", "eleven"})
        EXPECT_FALSE(findAnchor(text, name)) << name;
}

TEST(FindNameAnchor, OnlyTheFirstNameAndIdOfATagCountAndUnquotedStopsAtBlank)
{
    const QString text = QStringLiteral("<a name=first name=second> <a name=x y> <p id=one id=two>");
    EXPECT_TRUE(findAnchor(text, "first"));
    EXPECT_FALSE(findAnchor(text, "second"));
    EXPECT_TRUE(findAnchor(text, "x"));
    EXPECT_TRUE(findAnchor(text, "one"));
    EXPECT_FALSE(findAnchor(text, "two"));
}

TEST(FindNameAnchor, NestedCandidatesShareTheirClosingBracket)
{
    // "<A <A NAME=n>" holds two candidates; both end at the same ">".
    const QString text = QStringLiteral("<a <a name=n> <a <a name=\"open>");
    EXPECT_TRUE(findAnchor(text, "n"));
    EXPECT_FALSE(findAnchor(text, "open"));
}

TEST(FindNameAnchor, LongRunsOfCandidatesFinish)
{
    // A hostile text: a million candidates and one far ">" must not take quadratic time.
    QString text = QStringLiteral("<a ").repeated(1000000) + QStringLiteral(" name=\"unclosed ") +
                   QString(1000000, u'x') + QStringLiteral(">");
    EXPECT_FALSE(findAnchor(text, "unclosed"));
    text = QStringLiteral("<a ").repeated(1000000) + QStringLiteral("name=far ") + QString(1000000, u'x') + u'>';
    EXPECT_TRUE(findAnchor(text, "far"));
    // Tags of every kind sharing one ">", each with an ID and long blanks around its "=".
    const QString blanks(100000, u' ');
    text = QStringLiteral("<p id").repeated(200000) + blanks + u'=' + blanks + QStringLiteral("'shared'>");
    EXPECT_TRUE(findAnchor(text, "shared"));
    text = QStringLiteral("<p id=x ").repeated(200000) + u'>';
    EXPECT_TRUE(findAnchor(text, "x"));
}

} // namespace
