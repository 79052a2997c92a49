#include "ReasonWording.h"
#include "cli/EnglishTexts.h"

namespace {

TEST(EnglishTexts, WordEveryReasonPhrase)
{
    expectEveryReasonPhraseWorded(reasonText);
}

TEST(EnglishTexts, JoinPhrasesMostImportantFirst)
{
    EXPECT_EQ(reasonText({{ReasonPhrase::HttpStatus, {QStringLiteral("404"), QStringLiteral("Not Found")}},
                          {ReasonPhrase::RedirectedTo, {QStringLiteral("http://h/b")}}}),
              QStringLiteral("404 Not Found; redirected to http://h/b"));
    EXPECT_EQ(reasonText({{ReasonPhrase::HttpStatus, {QStringLiteral("599"), QString()}}}), QStringLiteral("599"));
}

} // namespace
