// The window speaks Japanese through the program's translation: every reason phrase has its Japanese
// wording, and HTTP statuses are named in Japanese with their standard phrase beside.

#include "ReasonWording.h"
#include "links/ReasonText.h"

namespace {

TEST(JapaneseWording, EveryReasonPhraseIsTranslated)
{
    expectEveryReasonPhraseWorded([](const QList<ReasonPart>& parts) { return reasonText(parts); });
    for (int number = 0; number <= int(ReasonPhrase::RedirectedTo); ++number) {
        const QList<ReasonPart> parts{{ReasonPhrase(number), {QStringLiteral("VALUE"), QStringLiteral("Not Found")}}};
        if (ReasonPhrase(number) != ReasonPhrase::OtherFailure) {
            EXPECT_NE(reasonText(parts), reasonText(parts, Wording::English)) << number;
        }
    }
    EXPECT_EQ(reasonText({{ReasonPhrase::HttpStatus, {QStringLiteral("404"), QStringLiteral("Not Found")}},
                          {ReasonPhrase::RedirectedTo, {QStringLiteral("http://h/b")}}}),
              QStringLiteral("404 見つかりません (Not Found)、移動先: http://h/b"));
}

} // namespace
