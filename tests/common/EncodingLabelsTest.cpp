#include "common/EncodingLabels.h"
#include "common/CodePage.h"

#include <gtest/gtest.h>

namespace {

struct LabelCase {
    const char* label;
    const char* encoding; // "" for a label browsers do not decode
};

void PrintTo(const LabelCase& c, std::ostream* os)
{
    *os << '"' << c.label << '"';
}

class EncodingLabel : public testing::TestWithParam<LabelCase> {};

TEST_P(EncodingLabel, MapsAsBrowsersDoToANameIconvKnows)
{
    const LabelCase& c = GetParam();
    const QString encoding = encodingForLabel(QString::fromUtf8(c.label));
    EXPECT_EQ(encoding, QString::fromLatin1(c.encoding));
    if (!encoding.isEmpty()) {
        EXPECT_TRUE(CodePage(encoding).isKnown()) << encoding.toStdString();
    }
}

// Every canonical name of the table appears at least once, so each is checked against iconv.
INSTANTIATE_TEST_SUITE_P(
    EncodingLabels, EncodingLabel,
    testing::Values(
        LabelCase{"Shift_JIS", "CP932"}, LabelCase{"x-sjis", "CP932"}, LabelCase{"MS932", "CP932"},
        LabelCase{"windows-31j", "CP932"}, LabelCase{"sjis", "CP932"}, LabelCase{"csShiftJIS", "CP932"},
        LabelCase{"ms_kanji", "CP932"}, LabelCase{"shift-jis", "CP932"}, LabelCase{" \tSHIFT_JIS\r\n", "CP932"},
        LabelCase{"EUC-JP", "EUC-JP"}, LabelCase{"x-euc-jp", "EUC-JP"}, LabelCase{"cseucpkdfmtjapanese", "EUC-JP"},
        LabelCase{"ISO-2022-JP", "ISO-2022-JP"}, LabelCase{"csiso2022jp", "ISO-2022-JP"},
        LabelCase{"ISO-8859-1", "WINDOWS-1252"}, LabelCase{"latin1", "WINDOWS-1252"},
        LabelCase{"US-ASCII", "WINDOWS-1252"}, LabelCase{"ascii", "WINDOWS-1252"},
        LabelCase{"windows-1252", "WINDOWS-1252"}, LabelCase{"cp1252", "WINDOWS-1252"},
        LabelCase{"iso_8859-1:1987", "WINDOWS-1252"}, LabelCase{"UTF-8", "UTF-8"}, LabelCase{"utf8", "UTF-8"},
        LabelCase{"unicode-1-1-utf-8", "UTF-8"}, LabelCase{"utf-16", "UTF-16LE"}, LabelCase{"UTF-16LE", "UTF-16LE"},
        LabelCase{"unicode", "UTF-16LE"}, LabelCase{"utf-16be", "UTF-16BE"}, LabelCase{"ibm866", "IBM866"},
        LabelCase{"latin2", "ISO-8859-2"}, LabelCase{"iso-8859-3", "ISO-8859-3"}, LabelCase{"l4", "ISO-8859-4"},
        LabelCase{"cyrillic", "ISO-8859-5"}, LabelCase{"arabic", "ISO-8859-6"}, LabelCase{"greek", "ISO-8859-7"},
        LabelCase{"hebrew", "ISO-8859-8"}, LabelCase{"iso-8859-8-i", "ISO-8859-8"}, LabelCase{"latin6", "ISO-8859-10"},
        LabelCase{"iso-8859-13", "ISO-8859-13"}, LabelCase{"iso885914", "ISO-8859-14"}, LabelCase{"l9", "ISO-8859-15"},
        LabelCase{"iso-8859-16", "ISO-8859-16"}, LabelCase{"KOI8-R", "KOI8-R"}, LabelCase{"koi8-u", "KOI8-U"},
        LabelCase{"mac", "MACINTOSH"}, LabelCase{"x-mac-cyrillic", "MAC-CYRILLIC"}, LabelCase{"tis-620", "WINDOWS-874"},
        LabelCase{"windows-1250", "WINDOWS-1250"}, LabelCase{"cp1251", "WINDOWS-1251"},
        LabelCase{"x-cp1253", "WINDOWS-1253"}, LabelCase{"iso-8859-9", "WINDOWS-1254"},
        LabelCase{"windows-1255", "WINDOWS-1255"}, LabelCase{"windows-1256", "WINDOWS-1256"},
        LabelCase{"windows-1257", "WINDOWS-1257"}, LabelCase{"windows-1258", "WINDOWS-1258"},
        LabelCase{"GBK", "GB18030"}, LabelCase{"gb2312", "GB18030"}, LabelCase{"gb18030", "GB18030"},
        LabelCase{"Big5", "BIG5-HKSCS"}, LabelCase{"EUC-KR", "CP949"}, LabelCase{"windows-949", "CP949"},
        // Unknown, refused, or only close to a label.
        LabelCase{"", ""}, LabelCase{"x-unknown", ""}, LabelCase{"iso-2022-kr", ""}, LabelCase{"hz-gb-2312", ""},
        LabelCase{"x-user-defined", ""}, LabelCase{"cp932", ""}, LabelCase{"shift jis", ""}, LabelCase{"utf-8;", ""},
        LabelCase{"\"utf-8\"", ""}, LabelCase{"SJİS", ""}, LabelCase{"utf\xe2\x80\x8b-8", ""}));

struct ContentTypeCase {
    const char* contentType;
    const char* charset;
};

void PrintTo(const ContentTypeCase& c, std::ostream* os)
{
    *os << '"' << c.contentType << '"';
}

class ContentTypeCharset : public testing::TestWithParam<ContentTypeCase> {};

TEST_P(ContentTypeCharset, IsFoundInAnyQuotingAndCase)
{
    EXPECT_EQ(charsetParameter(GetParam().contentType), QByteArray(GetParam().charset));
}

INSTANTIATE_TEST_SUITE_P(EncodingLabels, ContentTypeCharset,
                         testing::Values(ContentTypeCase{"text/html; charset=Shift_JIS", "Shift_JIS"},
                                         ContentTypeCase{"text/html;charset=\"utf-8\"", "utf-8"},
                                         ContentTypeCase{"text/html; charset='EUC-JP'", "EUC-JP"},
                                         ContentTypeCase{"text/html; CHARSET = euc-jp ; q=1", "euc-jp"},
                                         ContentTypeCase{"text/html;charset=koi8-r;format=flowed", "koi8-r"},
                                         ContentTypeCase{"text/html; charsetx; charset=big5", "big5"},
                                         ContentTypeCase{"charset=x", "x"}, ContentTypeCase{"text/html", ""},
                                         ContentTypeCase{"text/html; charset=", ""},
                                         ContentTypeCase{"text/html; charset=\"utf-8", ""}, ContentTypeCase{"", ""}));

} // namespace
