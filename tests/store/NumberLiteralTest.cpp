#include "store/NumberLiteral.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

struct NumberCase {
    const char* text;
    std::optional<qint64> rounded;  // in [-2^31, 2^31 - 1]; nullopt: not a number or out of range
    bool isNumber;
};

void PrintTo(const NumberCase& c, std::ostream* out)
{
    *out << '"' << c.text << '"';
}

class NumberLiteral : public ::testing::TestWithParam<NumberCase> {};

TEST_P(NumberLiteral, RecognisesAndRoundsHalvesToEven)
{
    const NumberCase& c = GetParam();
    const QString text = QString::fromUtf8(c.text);
    EXPECT_EQ(isNumberLiteral(text), c.isNumber);
    EXPECT_EQ(roundedNumber(text, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max()),
              c.rounded);
}

INSTANTIATE_TEST_SUITE_P(
    Table, NumberLiteral,
    ::testing::Values(NumberCase{"001", 1, true}, NumberCase{"12", 12, true}, NumberCase{" \t7 ", 7, true},
                      NumberCase{"1e3", 1000, true}, NumberCase{"1D3", 1000, true}, NumberCase{"+5", 5, true},
                      NumberCase{"-1", -1, true}, NumberCase{"1,000", 1000, true}, NumberCase{"2.5", 2, true},
                      NumberCase{"3.5", 4, true}, NumberCase{"-2.5", -2, true}, NumberCase{".5", 0, true},
                      NumberCase{"1e-400", 0, true}, NumberCase{"99999999999", std::nullopt, true},
                      NumberCase{"1e400", std::nullopt, true}, NumberCase{"-1e400", std::nullopt, true},
                      NumberCase{"", std::nullopt, false}, NumberCase{"htm", std::nullopt, false},
                      NumberCase{"1a", std::nullopt, false}, NumberCase{"0x10", std::nullopt, false},
                      NumberCase{"1.2.3", std::nullopt, false}, NumberCase{"e3", std::nullopt, false},
                      NumberCase{"1e", std::nullopt, false}, NumberCase{",1", std::nullopt, false},
                      NumberCase{"１２", std::nullopt, false}, NumberCase{"nan", std::nullopt, false},
                      NumberCase{"inf", std::nullopt, false}));

TEST(RoundedNumber, HonoursTheRange)
{
    EXPECT_EQ(roundedNumber(QStringLiteral("30000"), 1, 30000), 30000);
    EXPECT_EQ(roundedNumber(QStringLiteral("30000.5"), 1, 30000), 30000);  // halves to even
    EXPECT_EQ(roundedNumber(QStringLiteral("30001"), 1, 30000), std::nullopt);
    EXPECT_EQ(roundedNumber(QStringLiteral("0.5"), 1, 30000), std::nullopt);
    EXPECT_EQ(roundedNumber(QStringLiteral("1.5"), 1, 30000), 2);
}

} // namespace
