#include "common/CodePage.h"

#include <gtest/gtest.h>

namespace {

TEST(CodePage, DecodesShiftJisAndReplacesBadBytes)
{
    const CodePage cp932;
    ASSERT_TRUE(cp932.isKnown());
    // "日本" in CP932, a lone lead byte, then a truncated lead byte at the end.
    EXPECT_EQ(cp932.decode(QByteArray("\x93\xfa\x96\x7b" "a\x81 b\x82", 9)),
              QStringLiteral("日本a\uFFFD b\uFFFD"));
    EXPECT_EQ(cp932.decode(QByteArray("\r\n\n\rx", 5)), QStringLiteral("\r\n\n\rx"));
    EXPECT_EQ(cp932.decode(QByteArray()), QString());
}

TEST(CodePage, EncodesAndReportsTheFirstCharacterItLacks)
{
    const CodePage cp932;
    const auto ok = cp932.encode(QStringLiteral("日本\r\nabc"));
    ASSERT_TRUE(ok.ok());
    EXPECT_EQ(ok.bytes, QByteArray("\x93\xfa\x96\x7b\r\nabc"));
    const auto bad = cp932.encode(QStringLiteral("ab\U0001F600c"));
    EXPECT_FALSE(bad.ok());
    EXPECT_EQ(bad.failedAt, 2);
    EXPECT_TRUE(bad.bytes.isEmpty());
}

TEST(CodePage, RoundTripsAllCharactersOfTheCodePage)
{
    const CodePage cp932;
    QByteArray bytes;
    for (int lead = 0x81; lead <= 0x9F; ++lead) {
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            if (trail != 0x7F) {
                bytes.append(char(lead));
                bytes.append(char(trail));
            }
        }
    }
    QString text = cp932.decode(bytes);
    text.remove(QChar::ReplacementCharacter);  // the few unassigned codes
    const auto encoded = cp932.encode(text);
    ASSERT_TRUE(encoded.ok());
    EXPECT_EQ(cp932.decode(encoded.bytes), text);
}

TEST(CodePage, UnknownNameDecodesAsUtf8AndRefusesToEncode)
{
    const CodePage unknown(QStringLiteral("NO-SUCH-CODEPAGE"));
    EXPECT_FALSE(unknown.isKnown());
    EXPECT_EQ(unknown.decode(QByteArray("\xe6\x97\xa5")), QStringLiteral("日"));
    EXPECT_FALSE(unknown.encode(QStringLiteral("x")).ok());
    EXPECT_EQ(CodePage(QStringLiteral("UTF-8")).decode(QByteArray("\xf0\x9f\x98\x80\xff")),
              QStringLiteral("\U0001F600\uFFFD"));
}

} // namespace
