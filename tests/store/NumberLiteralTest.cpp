#include "store/NumberLiteral.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

struct NumberCase {
    const char* text;
    std::optional<qint64> rounded; // within the 32-bit range; nullopt: not a number or outside the range
    friend void PrintTo(const NumberCase& c, std::ostream* out) { *out << '"' << c.text << '"'; }
};

class NumberLiteral : public ::testing::TestWithParam<NumberCase> {};

TEST_P(NumberLiteral, RecognisesLiteralsAndRoundsHalvesToEven)
{
    const QString text = QString::fromUtf8(GetParam().text);
    const std::optional<qint64> rounded =
        roundedNumber(text, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max());
    EXPECT_EQ(rounded, GetParam().rounded);
    if (rounded) {
        EXPECT_TRUE(isNumberLiteral(text));
    }
}

constexpr std::nullopt_t No = std::nullopt;

INSTANTIATE_TEST_SUITE_P(Table, NumberLiteral,
                         ::testing::Values(NumberCase{"001", 1}, NumberCase{" \t7 ", 7}, NumberCase{"1e3", 1000},
                                           NumberCase{"1D3", 1000}, NumberCase{"+5", 5}, NumberCase{"-1", -1},
                                           NumberCase{"1,000", 1000}, NumberCase{"2.5", 2}, NumberCase{"3.5", 4},
                                           NumberCase{"-2.5", -2}, NumberCase{".5", 0}, NumberCase{"1e-400", 0},
                                           NumberCase{"99999999999", No}, NumberCase{"1e400", No}, NumberCase{"", No},
                                           NumberCase{"htm", No}, NumberCase{"1a", No}, NumberCase{"0x10", No},
                                           NumberCase{"1.2.3", No}, NumberCase{"e3", No}, NumberCase{"1e", No},
                                           NumberCase{",1", No}, NumberCase{"１２", No}, NumberCase{"nan", No},
                                           NumberCase{"inf", No}));

TEST(NumberLiteralRange, ALiteralOutsideTheRangeIsStillANumber)
{
    EXPECT_TRUE(isNumberLiteral(QStringLiteral("99999999999")));
    EXPECT_TRUE(isNumberLiteral(QStringLiteral("1e400")));
    EXPECT_EQ(roundedNumber(QStringLiteral("30000.5"), 1, 30000), 30000);
    EXPECT_EQ(roundedNumber(QStringLiteral("0.5"), 1, 30000), std::nullopt);
}

} // namespace
