#include "links/LinkKinds.h"

#include <gtest/gtest.h>

namespace {

TEST(LinkKinds, EveryCodeMapsToItsClassColour)
{
    EXPECT_EQ(colorForResult(LR_OK_WEB), CLR_OK_WEB);
    EXPECT_EQ(colorForResult(LR_UNCHECKED), CLR_NG_WEB);  // an unclassified link shows as failed
    EXPECT_EQ(colorForResult(LR_NG_WEB), CLR_NG_WEB);
    EXPECT_EQ(colorForResult(LR_OK_FILE), CLR_OK_FILE);
    EXPECT_EQ(colorForResult(LR_OK_PAGE), CLR_OK_PAGE);
    EXPECT_EQ(colorForResult(LR_NG_FILE), CLR_NG_FILE);
    EXPECT_EQ(colorForResult(LR_NG_PAGE), CLR_NG_PAGE);
    for (int code = 95; code <= 99; ++code)
        EXPECT_EQ(colorForResult(code), CLR_NOCHECK) << code;
    for (int code : {-2, 3, 94, 103})
        EXPECT_FALSE(colorForResult(code).has_value()) << code;
}

TEST(LinkKinds, ColoursAreRedInTheLowByte)
{
    EXPECT_EQ(toQColor(CLR_NG_WEB), QColor(255, 0, 0));
    EXPECT_EQ(toQColor(CLR_OK_WEB), QColor(0, 0, 255));
    EXPECT_EQ(toQColor(CLR_NG_PAGE), QColor(192, 64, 0));
    EXPECT_EQ(toColorref(QColor(0, 128, 128)), CLR_OK_FILE);
}

TEST(LinkKinds, SentencesFollowTheColourAndListOrder)
{
    EXPECT_EQ(sentenceForColor(CLR_NG_FILE), QStringLiteral("Fileが見つかりません。"));
    EXPECT_EQ(sentenceForColor(CLR_NOCHECK), QStringLiteral("リンク確認を行いません。"));
    EXPECT_EQ(sentenceForColor(0), QString());
    EXPECT_EQ(sentenceForColor(0x123456), QString());
    EXPECT_EQ(QString::fromUtf16(LinkKinds[0].label), QStringLiteral("次のリンク"));
    EXPECT_EQ(QString::fromUtf16(LinkKinds[6].label), QStringLiteral("NG：ページリンク"));
    EXPECT_EQ(LinkKinds[4].color, CLR_NG_WEB);
}

} // namespace
