#include "common/TextEncoding.h"

#include <gtest/gtest.h>

namespace {

TEST(TextEncoding, DisplayNamesAreTheOnesUsersKnow)
{
    EXPECT_EQ((TextEncoding{QStringLiteral("CP932")}.displayName()), QStringLiteral("Shift_JIS"));
    EXPECT_EQ((TextEncoding{QStringLiteral("UTF-8")}.displayName()), QStringLiteral("UTF-8"));
    EXPECT_EQ((TextEncoding{QStringLiteral("UTF-8"), true}.displayName()), QStringLiteral("UTF-8 (BOM)"));
    EXPECT_EQ((TextEncoding{QStringLiteral("UTF-16LE"), true}.displayName()), QStringLiteral("UTF-16LE (BOM)"));
    EXPECT_EQ((TextEncoding{QStringLiteral("EUC-JP")}.displayName()), QStringLiteral("EUC-JP"));
    EXPECT_EQ((TextEncoding{QStringLiteral("ISO-2022-JP")}.displayName()), QStringLiteral("ISO-2022-JP"));
    EXPECT_EQ((TextEncoding{QStringLiteral("WINDOWS-1252")}.displayName()), QStringLiteral("Windows-1252"));
    EXPECT_EQ((TextEncoding{QStringLiteral("BIG5-HKSCS")}.displayName()), QStringLiteral("Big5"));
    // Only the Unicode forms carry a mark.
    EXPECT_EQ((TextEncoding{QStringLiteral("CP932"), true}.displayName()), QStringLiteral("Shift_JIS"));
    EXPECT_TRUE((TextEncoding{QStringLiteral("CP932"), true}.markBytes().isEmpty()));
}

struct DocumentCase {
    const char* encoding;
    bool mark;
    QByteArray bytes;
    QString text;
};

void PrintTo(const DocumentCase& c, std::ostream* os)
{
    *os << c.encoding << (c.mark ? " with mark" : "");
}

class DocumentRoundTrip : public testing::TestWithParam<DocumentCase> {};

TEST_P(DocumentRoundTrip, WritesBackTheBytesItRead)
{
    const DocumentCase& c = GetParam();
    const DecodedDocument read = decodeDocument(c.bytes, QString::fromLatin1(c.encoding));
    EXPECT_EQ(read.text, c.text);
    EXPECT_EQ(read.encoding, (TextEncoding{QString::fromLatin1(c.encoding), c.mark}));
    EXPECT_TRUE(read.clean());
    const CodePage::Encoded written = encodeDocument(read.text, read.encoding);
    EXPECT_TRUE(written.exact());
    EXPECT_EQ(written.bytes, c.bytes);
}

TEST_P(DocumentRoundTrip, ReadsBackWhatItWrote)
{
    const DocumentCase& c = GetParam();
    const TextEncoding encoding{QString::fromLatin1(c.encoding), c.mark};
    const QString text = c.text + QStringLiteral("<a href=\"#x\">\r\n</a>\r\n") + c.text;
    const CodePage::Encoded written = encodeDocument(text, encoding);
    ASSERT_TRUE(written.exact());
    const DecodedDocument read = decodeDocument(written.bytes, encoding.name);
    EXPECT_EQ(read.text, text);
    EXPECT_EQ(read.encoding, encoding);
    EXPECT_EQ(encodeDocument(read.text, read.encoding).bytes, written.bytes);
}

const QString Japanese = QStringLiteral("日本\r\n");

INSTANTIATE_TEST_SUITE_P(
    TextEncoding, DocumentRoundTrip,
    testing::Values(DocumentCase{"UTF-8", false, QByteArray("\xe6\x97\xa5\xe6\x9c\xac\r\n"), Japanese},
                    DocumentCase{"UTF-8", true, QByteArray("\xef\xbb\xbf\xe6\x97\xa5\xe6\x9c\xac\r\n"), Japanese},
                    DocumentCase{"UTF-16LE", false, QByteArray("\xe5\x65\x2c\x67\r\0\n\0", 8), Japanese},
                    DocumentCase{"UTF-16LE", true, QByteArray("\xff\xfe\xe5\x65\x2c\x67\r\0\n\0", 10), Japanese},
                    DocumentCase{"UTF-16BE", false, QByteArray("\x65\xe5\x67\x2c\0\r\0\n", 8), Japanese},
                    DocumentCase{"UTF-16BE", true, QByteArray("\xfe\xff\x65\xe5\x67\x2c\0\r\0\n", 10), Japanese},
                    DocumentCase{"CP932", false, QByteArray("\x93\xfa\x96\x7b\r\n"), Japanese},
                    DocumentCase{"EUC-JP", false, QByteArray("\xc6\xfc\xcb\xdc\r\n"), Japanese},
                    DocumentCase{"ISO-2022-JP", false, QByteArray("\x1b$BF|K\\\x1b(B\r\n"), Japanese},
                    DocumentCase{"WINDOWS-1252", false, QByteArray("caf\xe9 \x80\r\n"), QStringLiteral("café €\r\n")},
                    DocumentCase{"UTF-8", true, QByteArray("\xef\xbb\xbf"), QString()},
                    DocumentCase{"UTF-16LE", true, QByteArray("\xff\xfe"), QString()},
                    DocumentCase{"UTF-16BE", true, QByteArray("\xfe\xff"), QString()},
                    DocumentCase{"CP932", false, QByteArray(), QString()}));

TEST(TextEncoding, EucJpWritesBackEveryCodeItReads)
{
    // Every assigned two-byte code (JIS X 0208 and the half-width katakana), a line per row.
    const CodePage eucJp(QStringLiteral("EUC-JP"));
    QByteArray bytes;
    const auto appendIfAssigned = [&](char lead, char trail) {
        const char pair[] = {lead, trail};
        if (eucJp.decodeClean(QByteArrayView(pair, 2)))
            bytes.append(pair, 2);
    };
    for (int lead = 0xA1; lead <= 0xFE; ++lead) {
        for (int trail = 0xA1; trail <= 0xFE; ++trail)
            appendIfAssigned(char(lead), char(trail));
        bytes.append("\r\n");
    }
    for (int kana = 0xA1; kana <= 0xDF; ++kana)
        appendIfAssigned('\x8E', char(kana));
    ASSERT_GT(bytes.size(), 2 * 6000);
    const DecodedDocument read = decodeDocument(bytes, eucJp.name());
    ASSERT_TRUE(read.clean());
    const CodePage::Encoded written = encodeDocument(read.text, read.encoding);
    EXPECT_TRUE(written.exact());
    EXPECT_EQ(written.bytes, bytes);
}

TEST(TextEncoding, OnlyTheMarkOfTheDocumentsOwnEncodingIsTakenOff)
{
    // A UTF-8 mark read as Windows-1252 is three characters of text, written back as they were.
    const QByteArray bytes("\xef\xbb\xbf"
                           "a");
    const DecodedDocument latin = decodeDocument(bytes, QStringLiteral("WINDOWS-1252"));
    EXPECT_EQ(latin.text, QStringLiteral("ï»¿a"));
    EXPECT_FALSE(latin.encoding.byteOrderMark);
    EXPECT_EQ(encodeDocument(latin.text, latin.encoding).bytes, bytes);
    // The UTF-16LE mark is not UTF-16BE's.
    const DecodedDocument big = decodeDocument(QByteArray("\xff\xfe\0a", 4), QStringLiteral("UTF-16BE"));
    EXPECT_FALSE(big.encoding.byteOrderMark);
    EXPECT_EQ(big.text, QString(QChar(0xFFFE)) + u'a');
}

TEST(TextEncoding, BadByteOffsetsCountTheMark)
{
    const DecodedDocument read = decodeDocument(QByteArray("\xef\xbb\xbf"
                                                           "ab\xff"
                                                           "c\xfe"),
                                                QStringLiteral("UTF-8"));
    EXPECT_EQ(read.text, QStringLiteral("ab\uFFFDc\uFFFD"));
    EXPECT_EQ(read.firstBadByte, 5);
    EXPECT_EQ(read.badByteCount, 2);
    EXPECT_FALSE(read.clean());
}

TEST(TextEncoding, WritingReportsNearestCharactersAndAddsNoMarkOnFailure)
{
    const CodePage::Encoded nearest = encodeDocument(QStringLiteral("a¥"), {QStringLiteral("CP932")});
    EXPECT_EQ(nearest.changedAt, 1);
    EXPECT_EQ(nearest.bytes, QByteArray("a\\"));
    const CodePage::Encoded failed =
        encodeDocument(QStringLiteral("a") + QChar(0xD800), {QStringLiteral("UTF-8"), true});
    EXPECT_EQ(failed.failedAt, 1);
    EXPECT_TRUE(failed.bytes.isEmpty());
}

} // namespace
