#include "links/LinkKinds.h"

#include <gtest/gtest.h>

namespace {

TEST(LinkKinds, EveryCodeMapsToItsClassColour)
{
    EXPECT_EQ(colorForResult(LinkResult::OkWeb), LinkColor::OkWeb);
    EXPECT_EQ(colorForResult(LinkResult::Unchecked), LinkColor::NgWeb); // an unclassified link shows as failed
    EXPECT_EQ(colorForResult(LinkResult::NgWeb), LinkColor::NgWeb);
    EXPECT_EQ(colorForResult(LinkResult::OkFile), LinkColor::OkFile);
    EXPECT_EQ(colorForResult(LinkResult::OkPage), LinkColor::OkPage);
    EXPECT_EQ(colorForResult(LinkResult::NgFile), LinkColor::NgFile);
    EXPECT_EQ(colorForResult(LinkResult::NgPage), LinkColor::NgPage);
    for (int code = 95; code <= 99; ++code)
        EXPECT_EQ(colorForResult(LinkResult(code)), LinkColor::NotChecked) << code;
    for (int code : {-2, 3, 94, 103})
        EXPECT_FALSE(colorForResult(LinkResult(code)).has_value()) << code;
}

TEST(LinkKinds, ColoursAreRedInTheLowByte)
{
    EXPECT_EQ(toQColor(LinkColor::NgWeb), QColor(255, 0, 0));
    EXPECT_EQ(toQColor(LinkColor::OkWeb), QColor(0, 0, 255));
    EXPECT_EQ(toQColor(LinkColor::NgPage), QColor(192, 64, 0));
    EXPECT_EQ(toColorref(QColor(0, 128, 128)), LinkColor::OkFile);
}

TEST(LinkKinds, ColoursReadBackAsTheirClass)
{
    for (const LinkClass linkClass : AllLinkClasses)
        EXPECT_EQ(classOfColor(colorOf(linkClass)), linkClass);
    EXPECT_FALSE(classOfColor(0).has_value());
    EXPECT_FALSE(classOfColor(0x123456).has_value());
    EXPECT_EQ(AllLinkClasses[3], LinkClass::NgWeb); // the navigation list's fourth class
}

} // namespace
