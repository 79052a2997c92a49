#include "editor/Colors.h"
#include "links/LinkKinds.h"

#include <gtest/gtest.h>

namespace {

TEST(LinkKinds, ColoursAreRedInTheLowByte)
{
    EXPECT_EQ(toQColor(LinkColor::NgWeb), QColor(255, 0, 0));
    EXPECT_EQ(toQColor(LinkColor::OkWeb), QColor(0, 0, 255));
    EXPECT_EQ(toQColor(LinkColor::NgPage), QColor(192, 64, 0));
    EXPECT_EQ(toColorref(QColor(0, 128, 128)), LinkColor::OkFile);
}

} // namespace
