#include "ReasonWording.h"
#include "window/JapaneseTexts.h"

namespace {

TEST(JapaneseTexts, WordEveryReasonPhrase)
{
    expectEveryReasonPhraseWorded(reasonText);
}

} // namespace
