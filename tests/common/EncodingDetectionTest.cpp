#include "common/EncodingDetection.h"
#include "common/MetaCharset.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>

#include <optional>
#include <vector>

namespace {

const QString Page = QStringLiteral("<html><head><title>テスト</title></head><body>\r\n"
                                    "<p>吾輩は猫である。名前はまだ無い。どこで生れたかとんと見当がつかぬ。</p>\r\n"
                                    "<a href=\"a.html\">リンク</a>\r\n</body></html>\r\n");
const QString Short = QStringLiteral("<p>日本</p>");
const QString French = QStringLiteral("<p>Café crème brûlée à la façon de grand-mère, déjà goûtée.</p>");
const QString Russian = QStringLiteral("<p>Привет, как дела? Это тестовый текст на русском языке.</p>");

QByteArray encoded(const char* encoding, const QString& text)
{
    return CodePage(QString::fromLatin1(encoding)).encode(text).bytes;
}

QByteArray declared(const char* label, const char* encoding, const QString& text)
{
    return encoded(encoding, QStringLiteral("<meta charset=\"%1\">\r\n").arg(QLatin1StringView(label)) + text);
}

struct DetectionCase {
    const char* what;
    QByteArray bytes;
    const char* contentType;
    const char* configured;
    const char* encoding;
    bool mark;
    EncodingRule rule;
    std::optional<QString> text; // the text the bytes spell, when they spell one
};

void PrintTo(const DetectionCase& c, std::ostream* os)
{
    *os << c.what;
}

std::vector<DetectionCase> detectionCases()
{
    const QByteArray utf8Mark("\xef\xbb\xbf");
    const QString metaSjis = QStringLiteral("<meta charset=\"shift_jis\">\r\n") + Page;
    const QString latePage = QString(MetaScanBytes, u' ') + QStringLiteral("<meta charset=\"koi8-r\"><p>x</p>");
    using R = EncodingRule;
    return {
        {"a forced code page", encoded("UTF-8", Page), "", "Shift_JIS", "CP932", false, R::Forced, std::nullopt},
        {"a forced code page reads another's mark as text", utf8Mark + "a", "", "latin1", "WINDOWS-1252", false,
         R::Forced, QStringLiteral("ï»¿a")},
        {"a forced name iconv knows", encoded("UTF-8", Page), "", "cp932", "CP932", false, R::Forced, std::nullopt},
        {"a forced code page keeps its own mark", utf8Mark + encoded("UTF-8", Page), "text/html; charset=EUC-JP",
         "utf-8", "UTF-8", true, R::Forced, Page},
        {"an unknown configured name detects", encoded("UTF-8", Page), "", "no-such-code-page", "UTF-8", false, R::Utf8,
         Page},
        {"AUTO in capitals detects", encoded("EUC-JP", Page), "", "AUTO", "EUC-JP", false, R::Guess, Page},
        {"a UTF-8 mark beats declarations", utf8Mark + encoded("UTF-8", metaSjis), "text/html; charset=euc-jp", "auto",
         "UTF-8", true, R::Bom, metaSjis},
        {"a UTF-16LE mark", "\xff\xfe" + encoded("UTF-16LE", Page), "", "auto", "UTF-16LE", true, R::Bom, Page},
        {"a UTF-16BE mark", "\xfe\xff" + encoded("UTF-16BE", Page), "", "auto", "UTF-16BE", true, R::Bom, Page},
        {"only a UTF-8 mark", utf8Mark, "", "auto", "UTF-8", true, R::Bom, QString()},
        {"only a UTF-16LE mark", QByteArray("\xff\xfe"), "", "", "UTF-16LE", true, R::Bom, QString()},
        {"only a UTF-16BE mark", QByteArray("\xfe\xff"), "", "", "UTF-16BE", true, R::Bom, QString()},
        {"the response's charset", encoded("EUC-JP", Page), "text/html; charset=EUC-JP", "auto", "EUC-JP", false,
         R::HttpCharset, Page},
        {"the response's charset beats the meta", encoded("EUC-JP", metaSjis), "text/html;charset=\"x-euc-jp\"", "auto",
         "EUC-JP", false, R::HttpCharset, metaSjis},
        {"an unknown response charset is passed over", declared("euc-jp", "EUC-JP", Page), "text/html; charset=x-bogus",
         "auto", "EUC-JP", false, R::MetaDeclaration, std::nullopt},
        {"meta Shift_JIS", declared("Shift_JIS", "CP932", Page), "", "auto", "CP932", false, R::MetaDeclaration,
         std::nullopt},
        {"meta EUC-JP", declared("EUC-JP", "EUC-JP", Short), "", "auto", "EUC-JP", false, R::MetaDeclaration,
         std::nullopt},
        {"meta ISO-2022-JP", declared("iso-2022-jp", "ISO-2022-JP", Page), "", "auto", "ISO-2022-JP", false,
         R::MetaDeclaration, std::nullopt},
        {"meta latin1", declared("latin1", "WINDOWS-1252", French), "", "auto", "WINDOWS-1252", false,
         R::MetaDeclaration, std::nullopt},
        {"meta naming an unknown encoding", declared("x-bogus", "UTF-8", Page), "", "auto", "UTF-8", false, R::Utf8,
         std::nullopt},
        {"meta Shift_JIS on UTF-8 loses to UTF-8", encoded("UTF-8", metaSjis), "", "auto", "UTF-8", false, R::Utf8,
         metaSjis},
        {"meta UTF-8 on Shift_JIS loses to CP932", declared("utf-8", "CP932", Page), "", "auto", "CP932", false,
         R::Fallback, std::nullopt},
        {"a response charset UTF-8 on Shift_JIS loses to CP932", encoded("CP932", Page), "text/html; charset=utf-8",
         "auto", "CP932", false, R::Fallback, Page},
        {"a lie nothing else reads stands", QByteArray("<meta charset=\"utf-8\">\x80\xff"), "", "auto", "UTF-8", false,
         R::MetaDeclaration, std::nullopt},
        {"a declaration past the first 4 KiB", encoded("UTF-8", latePage), "", "auto", "CP932", false, R::Fallback,
         latePage},
        {"UTF-8", encoded("UTF-8", Page), "", "auto", "UTF-8", false, R::Utf8, Page},
        {"ASCII", QByteArray("<p>plain</p>\r\n"), "", "auto", "CP932", false, R::Fallback,
         QStringLiteral("<p>plain</p>\r\n")},
        {"empty", QByteArray(), "", "auto", "CP932", false, R::Fallback, QString()},
        {"a stray FF FE inside ASCII is no mark", QByteArray("<html><a href=\"gone.html\">x\xff\xfe</a>\r\n"), "",
         "auto", "CP932", false, R::Fallback, std::nullopt},
        {"undeclared Shift_JIS", encoded("CP932", Page), "", "auto", "CP932", false, R::Guess, Page},
        {"undeclared short Shift_JIS", encoded("CP932", Short), "", "auto", "CP932", false, R::Fallback, Short},
        {"undeclared EUC-JP", encoded("EUC-JP", Page), "", "auto", "EUC-JP", false, R::Guess, Page},
        {"undeclared short EUC-JP", encoded("EUC-JP", Short), "", "auto", "EUC-JP", false, R::Guess, Short},
        {"undeclared ISO-2022-JP", encoded("ISO-2022-JP", Page), "", "auto", "ISO-2022-JP", false, R::Guess, Page},
        {"undeclared Windows-1252", encoded("WINDOWS-1252", French), "", "auto", "WINDOWS-1252", false, R::Guess,
         French},
        {"undeclared Windows-1251", encoded("WINDOWS-1251", Russian), "", "auto", "WINDOWS-1251", false, R::Guess,
         Russian},
        {"UTF-16LE without a mark", encoded("UTF-16LE", metaSjis), "", "auto", "UTF-16LE", false, R::Guess, metaSjis},
        {"UTF-16BE without a mark", encoded("UTF-16BE", Page), "", "auto", "UTF-16BE", false, R::Guess, Page},
    };
}

class EncodingDetectionRoute : public testing::TestWithParam<DetectionCase> {};

TEST_P(EncodingDetectionRoute, DecidesByTheFirstRuleThatApplies)
{
    const DetectionCase& c = GetParam();
    ASSERT_FALSE(c.bytes.isNull() && c.text && !c.text->isEmpty()) << "the sample did not encode";
    const QString contentType = QString::fromLatin1(c.contentType);
    const QString configured = QString::fromLatin1(c.configured);
    const DetectedEncoding detected = detectEncoding(c.bytes, contentType, configured);
    EXPECT_EQ(detected.encoding, (TextEncoding{QString::fromLatin1(c.encoding), c.mark}));
    EXPECT_EQ(detected.rule, c.rule);

    // Detecting and decoding at once gives what decoding in the detected encoding gives.
    const DetectedDocument document = decodeDetected(c.bytes, contentType, configured);
    const DecodedDocument direct = decodeDocument(c.bytes, detected.encoding.name);
    EXPECT_EQ(document.rule, detected.rule);
    EXPECT_EQ(document.document.encoding, detected.encoding);
    EXPECT_EQ(document.document.text, direct.text);
    EXPECT_EQ(document.document.badByteCount, direct.badByteCount);
    EXPECT_EQ(document.document.firstBadByte, direct.firstBadByte);
    if (c.text) {
        EXPECT_EQ(document.document.text, *c.text);
        EXPECT_TRUE(document.document.clean());
        // Written back in the detected encoding, the document is the bytes it was read from.
        EXPECT_EQ(encodeDocument(document.document.text, document.document.encoding).bytes, c.bytes);
    }
}

INSTANTIATE_TEST_SUITE_P(EncodingDetection, EncodingDetectionRoute, testing::ValuesIn(detectionCases()));

TEST(EncodingDetection, TenMegabytesOfUtf8WithOneBadByteAtTheEnd)
{
    QByteArray bytes = CodePage(QStringLiteral("UTF-8")).encode(Page).bytes.repeated(10 * 1024 * 1024 / 300);
    bytes.append('\xff');
    const DetectedDocument read = decodeDetected(bytes, QString(), QStringLiteral("auto"));
    EXPECT_EQ(read.document.encoding.name, QStringLiteral("UTF-8"));
    EXPECT_EQ(read.rule, EncodingRule::Guess);
    EXPECT_EQ(read.document.badByteCount, 1);
    EXPECT_EQ(read.document.firstBadByte, bytes.size() - 1);
    EXPECT_TRUE(read.document.text.endsWith(QStringLiteral("</html>\r\n\uFFFD")));
}

TEST(EncodingDetection, UnmarkedUtf16OfOddLengthReportsTheLastByte)
{
    const QByteArray bytes = CodePage(QStringLiteral("UTF-16LE")).encode(Page).bytes + 'x';
    const DetectedDocument read = decodeDetected(bytes, QString(), QString());
    EXPECT_EQ(read.document.encoding.name, QStringLiteral("UTF-16LE"));
    EXPECT_EQ(read.document.text, Page + QChar::ReplacementCharacter);
    EXPECT_EQ(read.document.firstBadByte, bytes.size() - 1);
}

TEST(EncodingDetection, BinaryJunkDecodesInSomeEncodingWithoutHarm)
{
    QRandomGenerator random(5);
    for (int round = 0; round < 20; ++round) {
        QByteArray junk(64 * 1024 + round, Qt::Uninitialized);
        for (char& byte : junk)
            byte = char(round % 2 ? random.bounded(256) : random.bounded(4) * 60); // half of the rounds zero-heavy
        const DetectedDocument read = decodeDetected(junk, QString(), QStringLiteral("auto"));
        EXPECT_FALSE(read.document.encoding.name.isEmpty());
        EXPECT_FALSE(read.document.text.isEmpty());
        EXPECT_EQ(read.document.clean(), read.document.firstBadByte < 0);
        EXPECT_EQ(detectEncoding(junk, QString(), QStringLiteral("auto")).encoding, read.document.encoding);
    }
}

} // namespace
