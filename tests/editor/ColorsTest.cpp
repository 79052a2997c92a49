#include "editor/Colors.h"
#include "editor/Contrast.h"
#include "editor/ShownColor.h"
#include "links/LinkKinds.h"

#include <QPalette>

#include <gtest/gtest.h>

namespace {

TEST(LinkKinds, ColoursAreRedInTheLowByte)
{
    EXPECT_EQ(toQColor(LinkColor::NgWeb), QColor(255, 0, 0));
    EXPECT_EQ(toQColor(LinkColor::OkWeb), QColor(0, 0, 255));
    EXPECT_EQ(toQColor(LinkColor::NgPage), QColor(192, 64, 0));
    EXPECT_EQ(toColorref(QColor(0, 128, 128)), LinkColor::OkFile);
}

// Ratios as WCAG's own examples give them.
TEST(Contrast, MeasuresAsWcagDoes)
{
    for (const auto& [first, second, ratio] :
         {std::tuple{"#000000", "#ffffff", 21.0}, std::tuple{"#767676", "#ffffff", 4.54},
          std::tuple{"#ffffff", "#777777", 4.48}, std::tuple{"#ff0000", "#000000", 5.25}})
        EXPECT_NEAR(contrastRatio(QColor(first), QColor(second)), ratio, 0.005) << first << " on " << second;
}

QPalette paletteOf(const char* base, const char* text)
{
    QPalette palette;
    palette.setColor(QPalette::Base, QColor(base));
    palette.setColor(QPalette::Text, QColor(text));
    return palette;
}

class ShownColours : public ::testing::TestWithParam<LinkClass> {};

// On a light background a link keeps the colour it always had; on a dark one it reads well, and its hue stays the one
// the legend names.
TEST_P(ShownColours, StayOnALightPaletteAndReadWellOnADarkOne)
{
    const QColor original = toQColor(colorOf(GetParam()));
    EXPECT_EQ(shownLinkColor(colorOf(GetParam()), paletteOf("#f0f0f0", "#202020")), original);
    for (const QPalette& dark : {paletteOf("#000000", "#ffffff"), paletteOf("#3c3f41", "#bbbbbb")}) {
        const QColor shown = shownLinkColor(colorOf(GetParam()), dark);
        EXPECT_GE(contrastRatio(shown, dark.color(QPalette::Base)), ReadableContrast) << shown.name().toStdString();
        EXPECT_NEAR(shown.hslHue(), original.hslHue(), 2) << shown.name().toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(EveryClass, ShownColours, ::testing::ValuesIn(AllLinkClasses));

} // namespace
