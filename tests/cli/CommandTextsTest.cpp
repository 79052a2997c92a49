#include "cli/CommandTexts.h"
#include "ReasonWording.h"
#include "links/ReasonText.h"

namespace {

// Without a translation installed the command speaks English: the wording scripts read in json and csv.
TEST(CommandTexts, WordEveryReasonPhraseInEnglish)
{
    expectEveryReasonPhraseWorded([](const QList<ReasonPart>& parts) { return reasonText(parts, Wording::English); });
    EXPECT_EQ(reasonText({{ReasonPhrase::HttpStatus, {QStringLiteral("404"), QStringLiteral("Not Found")}},
                          {ReasonPhrase::RedirectedTo, {QStringLiteral("http://h/b%20c")}}},
                         Wording::English),
              QStringLiteral("404 Not Found; redirected to http://h/b%20c"));
    EXPECT_EQ(reasonText({{ReasonPhrase::HttpStatus, {QStringLiteral("599"), QString()}}}), QStringLiteral("599"));
}

TEST(CommandTexts, SummaryCountsLinksAndDocuments)
{
    RunSummary summary{2, 1, 12, 9, 2, 1, 0.4219};
    EXPECT_EQ(summaryText(summary),
              QStringLiteral("12 links: 9 OK, 2 NG, 1 not checked (2 documents, 1 could not be read, 0.42 s)"));
    summary.documents = 1;
    summary.unreadable = 0;
    EXPECT_EQ(summaryText(summary), QStringLiteral("12 links: 9 OK, 2 NG, 1 not checked (1 document, 0.42 s)"));
}

} // namespace
