#include "window/TextSearch.h"

#include <gtest/gtest.h>

namespace {

using Span = std::pair<int, int>; // start, length

QList<Span> spansOf(const QList<TextMatch>& matches)
{
    QList<Span> spans;
    for (const TextMatch& match : matches)
        spans.append({match.start, match.length});
    return spans;
}

struct MatchCase {
    const char* name;
    QString text;
    SearchQuery query;
    bool resources;
    QList<Span> expected;
    friend void PrintTo(const MatchCase& c, std::ostream* out) { *out << c.name; }
};

class Matches : public ::testing::TestWithParam<MatchCase> {};

TEST_P(Matches, AreFoundWhereTheQuerySaysInTextOffsets)
{
    const MatchCase& c = GetParam();
    EXPECT_EQ(spansOf(TextSearch(c.query, c.resources).matchesIn(c.text)), c.expected);
}

const QString Page = QStringLiteral("<a href=\"http://Old.example/a\">old.example</a>\r\n"
                                    "<img src='http://old.example/i.png'> <a href=http://old.example>x</a>");

INSTANTIATE_TEST_SUITE_P(
    TextSearch, Matches,
    ::testing::Values(
        MatchCase{"PlainTextInAnyLetterCase",
                  QStringLiteral("Abc abc ABC a.c"),
                  {QStringLiteral("abc")},
                  false,
                  {{0, 3}, {4, 3}, {8, 3}}},
        MatchCase{"PlainTextMatchingCaseAndNoPatternCharacters",
                  QStringLiteral("Abc abc a.c"),
                  {QStringLiteral("a.c"), true},
                  false,
                  {{8, 3}}},
        MatchCase{"LineEndsOfEveryKindEndLines",
                  QStringLiteral("ab\r\nab\nab\rab"),
                  {QStringLiteral("b$"), false, true},
                  false,
                  {{1, 1}, {5, 1}, {8, 1}, {11, 1}}},
        MatchCase{"NeverBetweenCrAndLf",
                  QStringLiteral("a\r\nb\nc"),
                  {QStringLiteral("\\n|\\r"), false, true},
                  false,
                  {{4, 1}}},
        MatchCase{"EmptyMatchesAreNone", QStringLiteral("xaax"), {QStringLiteral("a*"), false, true}, false, {{1, 2}}},
        MatchCase{
            "AnInvalidExpressionMatchesNothing", QStringLiteral("(a"), {QStringLiteral("(a"), false, true}, false, {}},
        MatchCase{
            "LinkValuesOnly", Page, {QStringLiteral("old.example"), false, false, true}, false, {{16, 11}, {100, 11}}},
        MatchCase{"LinkValuesWithTheAddressesTagsLoad",
                  Page,
                  {QStringLiteral("old.example"), false, false, true},
                  true,
                  {{16, 11}, {65, 11}, {100, 11}}},
        MatchCase{"AnchorsAreTheEndsOfEachValue",
                  Page,
                  {QStringLiteral("^http://old\\.example$"), false, true, true},
                  false,
                  {{93, 18}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TextSearch, AReplacementTakesWhatTheExpressionCaptured)
{
    const QString text = QStringLiteral("key=value");
    const TextSearch regular({QStringLiteral("(\\w+)=(\\w+)"), false, true}, false);
    const QList<TextMatch> matches = regular.matchesIn(text);
    ASSERT_EQ(matches.size(), 1);
    for (const auto& [replacement, expected] : {std::pair{"\\2=\\1", "value=key"}, std::pair{"[\\0]", "[key=value]"},
                                                std::pair{"a\\\\1", "a\\1"}, std::pair{"\\7|\\x", "|\\x"}})
        EXPECT_EQ(regular.replacementFor(matches[0], QString::fromUtf8(replacement)), QString::fromUtf8(expected))
            << replacement;

    const TextSearch plain({QStringLiteral("=")}, false);
    EXPECT_EQ(plain.replacementFor(plain.matchesIn(text).at(0), QStringLiteral("\\1")), QStringLiteral("\\1"));
}

// Forward: the first match at or after the selection's end; backward: the last one before its start; failing
// that, round the text's end.
TEST(TextSearch, StepsGoToTheNearestMatchThatWayAndRoundTheEnds)
{
    const QList<TextMatch> matches{{2, 3, {}}, {10, 3, {}}};
    const std::tuple<int, int, bool, Span, bool> steps[] = {{2, 0, true, {2, 3}, false},
                                                            {2, 3, true, {10, 3}, false},
                                                            {10, 3, true, {2, 3}, true},
                                                            {11, 0, false, {10, 3}, false},
                                                            {2, 3, false, {10, 3}, true}};
    for (const auto& [start, length, forward, expected, wrapped] : steps) {
        const std::optional<FoundMatch> found = stepToMatch(matches, start, length, forward);
        ASSERT_TRUE(found.has_value());
        EXPECT_EQ(Span(found->match.start, found->match.length), expected) << start << forward;
        EXPECT_EQ(found->wrapped, wrapped) << start << forward;
    }
    EXPECT_FALSE(stepToMatch({}, 0, 0, true).has_value());
}

} // namespace
