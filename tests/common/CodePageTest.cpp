#include "common/CodePage.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>

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
    EXPECT_FALSE(CodePage(QString()).isKnown()); // not the locale's code page
    EXPECT_EQ(CodePage(QStringLiteral("UTF-8")).decode(QByteArray("\xf0\x9f\x98\x80\xff")),
              QStringLiteral("\U0001F600\uFFFD"));
}

struct BadBytesCase {
    const char* codePage;
    QByteArray bytes;
    QString text;
    qsizetype firstBadByte;
    qsizetype badByteCount;
};

void PrintTo(const BadBytesCase& c, std::ostream* os)
{
    *os << c.codePage << " " << c.bytes.toHex(' ').constData();
}

class CodePageBadBytes : public testing::TestWithParam<BadBytesCase> {};

TEST_P(CodePageBadBytes, AreReplacedAndReported)
{
    const BadBytesCase& c = GetParam();
    const CodePage codePage{QString::fromLatin1(c.codePage)};
    const CodePage::Decoded decoded = codePage.decodeChecked(c.bytes);
    EXPECT_EQ(decoded.text, c.text);
    EXPECT_EQ(decoded.firstBadByte, c.firstBadByte);
    EXPECT_EQ(decoded.badByteCount, c.badByteCount);
    EXPECT_EQ(decoded.clean(), c.badByteCount == 0);
    const std::optional<QString> clean = codePage.decodeClean(c.bytes);
    EXPECT_EQ(clean.has_value(), c.badByteCount == 0);
    if (clean) {
        EXPECT_EQ(*clean, c.text);
    }
}

INSTANTIATE_TEST_SUITE_P(
    CodePage, CodePageBadBytes,
    testing::Values(
        BadBytesCase{"CP932", QByteArray("\x93\xfa\x96\x7b" "a\x81 b\x82", 9), QStringLiteral("日本a\uFFFD b\uFFFD"), 5,
                     2},
        BadBytesCase{"CP932", QByteArray("\x93\xfa\x96\x7b"), QStringLiteral("日本"), -1, 0},
        // A U+FFFD the bytes really spell is text, not a bad byte.
        BadBytesCase{"UTF-8", QByteArray("a\xef\xbf\xbd" "b"), QStringLiteral("a\uFFFDb"), -1, 0},
        BadBytesCase{"UTF-8", QByteArray("ab\xe3\x81"), QStringLiteral("ab\uFFFD\uFFFD"), 2, 2},
        BadBytesCase{"UTF-8", QByteArray("\xc0\x80x"), QStringLiteral("\uFFFD\uFFFDx"), 0, 2},
        BadBytesCase{"UTF-8", QByteArray("\xed\xa0\x80"), QStringLiteral("\uFFFD\uFFFD\uFFFD"), 0, 3},
        BadBytesCase{"UTF-8", QByteArray("\xf4\x90\x80\x80"), QStringLiteral("\uFFFD\uFFFD\uFFFD\uFFFD"), 0, 4},
        BadBytesCase{"UTF-8", QByteArray("\xe6\x97\xa5\xff\xe6\x9c\xac"), QStringLiteral("日\uFFFD本"), 3, 1},
        // UTF-16 skips a bad code unit whole, so what follows stays in step.
        BadBytesCase{"UTF-16LE", QByteArray("a\0\0\xd8" "b\0", 6), QStringLiteral("a\uFFFDb"), 2, 2},
        BadBytesCase{"UTF-16LE", QByteArray("a\0b", 3), QStringLiteral("a\uFFFD"), 2, 1},
        BadBytesCase{"EUC-JP", QByteArray("\xa4\xa2\x8e"), QStringLiteral("あ\uFFFD"), 2, 1},
        // Truncated escape and truncated character at the end of ISO-2022-JP.
        BadBytesCase{"ISO-2022-JP", QByteArray("ab\x1b$B$\"\x1b"), QStringLiteral("abあ\uFFFD"), 7, 1},
        BadBytesCase{"ISO-2022-JP", QByteArray("\x1b$B$"), QStringLiteral("\uFFFD"), 3, 1},
        BadBytesCase{"WINDOWS-1252", QByteArray("a\x81z"), QStringLiteral("a\uFFFDz"), 1, 1},
        // EF BB BF is the character U+FEFF wherever it stands, the start and after a bad byte included.
        BadBytesCase{"UTF-8", QByteArray("\xef\xbb\xbf" "a"), QStringLiteral("\uFEFFa"), -1, 0},
        BadBytesCase{"UTF-8", QByteArray("\xff\xef\xbb\xbf" "a"), QStringLiteral("\uFFFD\uFEFFa"), 0, 1}));

TEST(CodePage, Utf8ShortcutAgreesWithIconvOnAnyBytes)
{
    // "ISO-10646/UTF8/" is glibc's UTF-8 under a name that takes the general iconv path.
    const CodePage viaIconv(QStringLiteral("ISO-10646/UTF8/"));
    ASSERT_TRUE(viaIconv.isKnown());
    const CodePage utf8(QStringLiteral("UTF-8"));
    QRandomGenerator random(11);
    for (int round = 0; round < 200; ++round) {
        QByteArray bytes;
        for (int i = 0; i < 64; ++i) {
            // Mostly lead and continuation bytes, so sequences of every length, valid or not, occur.
            const quint32 pick = random.bounded(4);
            bytes.append(char(pick == 0 ? random.bounded(0x80) : 0x80 + random.bounded(0x80)));
        }
        const CodePage::Decoded fast = utf8.decodeChecked(bytes);
        const CodePage::Decoded general = viaIconv.decodeChecked(bytes);
        ASSERT_EQ(fast.text, general.text) << bytes.toHex(' ').constData();
        ASSERT_EQ(fast.firstBadByte, general.firstBadByte);
        ASSERT_EQ(fast.badByteCount, general.badByteCount);
    }
}

TEST(CodePage, Utf8KeepsAByteOrderMarkCharacterOnTheWayBack)
{
    const CodePage utf8(QStringLiteral("UTF-8"));
    const QString text = QStringLiteral("\uFEFF\uFEFFa");
    const CodePage::Encoded encoded = utf8.encode(text);
    ASSERT_TRUE(encoded.exact());
    EXPECT_EQ(utf8.decode(encoded.bytes), text);
    EXPECT_EQ(utf8.decodeClean(encoded.bytes), text);
}

TEST(CodePage, Iso2022JpEndsInTheInitialShiftState)
{
    const CodePage jis(QStringLiteral("ISO-2022-JP"));
    const CodePage::Encoded encoded = jis.encode(QStringLiteral("abcあ"));
    ASSERT_TRUE(encoded.exact());
    EXPECT_EQ(encoded.bytes, QByteArray("abc\x1b$B$\"\x1b(B"));
    EXPECT_EQ(jis.decode(encoded.bytes), QStringLiteral("abcあ"));
    EXPECT_EQ(jis.encode(QStringLiteral("あ\r\nb")).bytes, QByteArray("\x1b$B$\"\x1b(B\r\nb"));
    EXPECT_EQ(jis.encode(QString()).bytes, QByteArray());
}

TEST(CodePage, ReportsTheCharactersCp932WritesAsTheirNearestCharacter)
{
    const CodePage cp932;
    // Each reads back as another character: ¥ as "\", 〜 as ～, − as －, ¢ £ ¬ as their full-width forms,
    // — as ―, ‖ as ∥, ‾ as "~".
    const CodePage::Encoded encoded = cp932.encode(QStringLiteral("日x¥〜−¢£¬—‖‾y～"));
    ASSERT_TRUE(encoded.ok());
    EXPECT_FALSE(encoded.exact());
    EXPECT_EQ(encoded.changedAt, 2);
    EXPECT_EQ(encoded.changedCount, 9);
    EXPECT_EQ(encoded.bytes, QByteArray("\x93\xfa" "x\x5c\x81\x60\x81\x7c\x81\x91\x81\x92\x81\xca\x81\x5c\x81\x61\x7e"
                                        "y\x81\x60"));
    EXPECT_EQ(cp932.decode(encoded.bytes), QStringLiteral("日x\\～－￠￡￢―∥~y～"));

    const CodePage::Encoded repeated = cp932.encode(QStringLiteral("abc\r\n¥¥"));
    EXPECT_EQ(repeated.changedAt, 5);
    EXPECT_EQ(repeated.changedCount, 2);
    const CodePage::Encoded exact = cp932.encode(QStringLiteral("日本～＼\\~"));
    EXPECT_TRUE(exact.exact());
    EXPECT_EQ(exact.changedAt, -1);
}

TEST(CodePage, AnUnencodableCharacterComesBeforeNearestCharacters)
{
    const CodePage::Encoded encoded = CodePage().encode(QStringLiteral("¥a\U0001F600"));
    EXPECT_EQ(encoded.failedAt, 2);
    EXPECT_TRUE(encoded.bytes.isEmpty());
    EXPECT_FALSE(encoded.exact());

    const CodePage utf8(QStringLiteral("UTF-8"));
    EXPECT_TRUE(utf8.encode(QStringLiteral("¥\U0001F600")).exact());
    const QString loneSurrogate = QStringLiteral("ab") + QChar(0xD800) + QStringLiteral("c");
    EXPECT_EQ(utf8.encode(loneSurrogate).failedAt, 2);
    EXPECT_EQ(utf8.encode(QStringLiteral("a") + QChar(0xDC00)).failedAt, 1);
    EXPECT_EQ(CodePage(QStringLiteral("UTF-16LE")).encode(loneSurrogate).failedAt, 2);
}

TEST(CodePage, ExactMeansEveryCharacterReadsBackAsItself)
{
    // Whatever glibc's tables do with these, a character is either written exactly or counted.
    for (const char* name : {"EUC-JP", "WINDOWS-1252", "ISO-2022-JP", "CP932"}) {
        const CodePage codePage{QString::fromLatin1(name)};
        const QString text = QStringLiteral("¥〜−¢£¬—‖‾～日本é");
        for (qsizetype i = 0; i < text.size(); ++i) {
            const CodePage::Encoded one = codePage.encode(text.mid(i, 1));
            if (!one.ok())
                continue;
            EXPECT_EQ(one.exact(), codePage.decode(one.bytes) == text.mid(i, 1)) << name << " " << i;
        }
    }
}

} // namespace
