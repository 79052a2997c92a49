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

} // namespace
