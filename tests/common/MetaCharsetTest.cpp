#include "common/MetaCharset.h"

#include <gtest/gtest.h>

namespace {

struct MetaCase {
    const char* html;
    const char* encoding;
};

void PrintTo(const MetaCase& c, std::ostream* os)
{
    *os << c.html;
}

class MetaDeclaration : public testing::TestWithParam<MetaCase> {};

TEST_P(MetaDeclaration, IsReadLikeABrowsersPrescan)
{
    const QByteArray page = QByteArray("<html><head>\r\n") + GetParam().html + "\r\n</head><body>x</body></html>";
    EXPECT_EQ(metaDeclaredEncoding(page), QString::fromLatin1(GetParam().encoding));
}

INSTANTIATE_TEST_SUITE_P(
    MetaCharset, MetaDeclaration,
    testing::Values(
        MetaCase{"<meta charset=\"shift_jis\">", "CP932"}, MetaCase{"<META CHARSET=EUC-JP>", "EUC-JP"},
        MetaCase{"<meta charset='iso-2022-jp'/>", "ISO-2022-JP"}, MetaCase{"<meta/charset=\"euc-jp\">", "EUC-JP"},
        MetaCase{"<meta charset=\"  Shift_JIS  \">", "CP932"},
        MetaCase{"<meta http-equiv=\"Content-Type\" content=\"text/html; charset=Shift_JIS\">", "CP932"},
        MetaCase{"<meta content=\"text/html; charset=euc-jp\" http-equiv=\"content-type\">", "EUC-JP"},
        MetaCase{"<Meta\r\n  HTTP-EQUIV='Content-Type'\r\n\tcontent='text/html;charset=UTF-8'\r\n>", "UTF-8"},
        MetaCase{"<meta http-equiv=Content-Type content=text/html;charset=windows-1252>", "WINDOWS-1252"},
        MetaCase{"<meta name=\"x\" http-equiv = \"content-type\" content = \"charset = 'koi8-r'\">", "KOI8-R"},
        // Not declarations.
        MetaCase{"<meta content=\"text/html; charset=euc-jp\">", ""},
        MetaCase{"<meta http-equiv=\"refresh\" content=\"0; charset=euc-jp\">", ""},
        MetaCase{"<meta http-equiv=\"content-type\" content=\"text/html\">", ""},
        MetaCase{"<metadata charset=\"euc-jp\">", ""}, MetaCase{"<p>&lt;meta charset=\"euc-jp\"&gt;</p>", ""},
        // Comments and other tags' attribute values are skipped.
        MetaCase{"<!-- <meta charset=\"euc-jp\"> --><meta charset=\"utf-8\">", "UTF-8"},
        MetaCase{"<!--><meta charset=\"euc-jp\">", "EUC-JP"},
        MetaCase{"<a title='<meta charset=\"euc-jp\">'><meta charset=\"koi8-r\">", "KOI8-R"},
        MetaCase{"<!DOCTYPE html><?xml version=\"1.0\" encoding=\"euc-jp\"?><meta charset=\"big5\">", "BIG5-HKSCS"},
        // The first known declaration counts; an unknown one is passed over; the first attribute counts.
        MetaCase{"<meta charset=\"euc-jp\"><meta charset=\"utf-8\">", "EUC-JP"},
        MetaCase{"<meta charset=\"x-unknown\"><meta charset=\"euc-jp\">", "EUC-JP"},
        MetaCase{"<meta charset=\"euc-jp\" charset=\"utf-8\">", "EUC-JP"},
        MetaCase{"<meta charset=\"utf-8\" http-equiv=\"content-type\" content=\"charset=euc-jp\">", "UTF-8"},
        // A page whose declaration reads as ASCII is no UTF-16.
        MetaCase{"<meta charset=\"utf-16\">", "UTF-8"}, MetaCase{"<meta charset=\"utf-16be\">", "UTF-8"}));

TEST(MetaCharset, OnlyTheFirstBytesCount)
{
    const QByteArray declaration("<meta charset=\"euc-jp\">");
    const QByteArray inside = QByteArray(MetaScanBytes - declaration.size(), ' ') + declaration;
    EXPECT_EQ(metaDeclaredEncoding(inside), QStringLiteral("EUC-JP"));
    EXPECT_EQ(metaDeclaredEncoding(' ' + inside), QString());
    const QByteArray longComment = "<!--" + QByteArray(2 * MetaScanBytes, 'x') + "-->" + declaration;
    EXPECT_EQ(metaDeclaredEncoding(longComment), QString());
}

TEST(MetaCharset, UnfinishedMarkupEndsTheScan)
{
    for (const char* html : {"", "<", "<meta", "<meta charset", "<meta charset=", "<meta charset='euc-jp",
                             "<!-- <meta charset=\"euc-jp\">", "<a href='x", "<!",
                             "<meta http-equiv=content-type "
                             "content=\"charset=euc-jp"}) {
        EXPECT_EQ(metaDeclaredEncoding(html), QString()) << html;
    }
}

} // namespace
