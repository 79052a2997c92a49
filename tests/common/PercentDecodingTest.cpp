#include "common/PercentDecoding.h"

#include <gtest/gtest.h>

namespace {

struct PercentCase {
    const char* value;
    const char* documentEncoding;
    const char* decoded; // UTF-8
};

void PrintTo(const PercentCase& c, std::ostream* os)
{
    *os << c.value << " in " << c.documentEncoding;
}

class PercentInPath : public testing::TestWithParam<PercentCase> {};

TEST_P(PercentInPath, DecodesAsUtf8OrTheDocumentsEncoding)
{
    const PercentCase& c = GetParam();
    EXPECT_EQ(decodePercentInPath(QString::fromUtf8(c.value), {QString::fromLatin1(c.documentEncoding)}),
              QString::fromUtf8(c.decoded));
}

INSTANTIATE_TEST_SUITE_P(
    PercentDecoding, PercentInPath,
    testing::Values(PercentCase{"%E6%97%A5%E6%9C%AC.html", "CP932", "日本.html"},
                    PercentCase{"%e6%97%a5/a%20b.html#x", "CP932", "日/a b.html#x"},
                    PercentCase{"%93%FA%96%7B.html", "CP932", "日本.html"},
                    PercentCase{"%C6%FC%CB%DC.html", "EUC-JP", "日本.html"},
                    PercentCase{"dir%2F%E6%97%A5/%93%FA.html", "CP932", "dir/日/日.html"},
                    PercentCase{"caf%E9.html", "WINDOWS-1252", "café.html"},
                    PercentCase{"日本%20語.html", "UTF-8", "日本 語.html"},
                    // Decodes in neither: stays as written.
                    PercentCase{"%FF%FE.html", "UTF-8", "%FF%FE.html"}, PercentCase{"%81.html", "CP932", "%81.html"},
                    // Invalid escapes and %00 stay as written.
                    PercentCase{"100%.html", "CP932", "100%.html"}, PercentCase{"%G1%4", "CP932", "%G1%4"},
                    PercentCase{"a%00b%41", "CP932", "a%00bA"}, PercentCase{"%%41", "UTF-8", "%A"},
                    PercentCase{"", "UTF-8", ""}, PercentCase{"plain.html", "UTF-8", "plain.html"}));

} // namespace
