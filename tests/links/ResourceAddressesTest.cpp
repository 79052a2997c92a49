#include "links/ResourceAddresses.h"
#include "common/SearchCopy.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace {

struct AddressCase {
    const char* name;
    QString tag;
    QStringList expected; // "ELEMENT ATTRIBUTE value" per address, in text order
};

void PrintTo(const AddressCase& c, std::ostream* out)
{
    *out << c.name;
}

class Addresses : public ::testing::TestWithParam<AddressCase> {};

// Each tag gives the addresses it loads, each with its value where it stands in the text.
TEST_P(Addresses, OfEachTagAreTheOnesItLoads)
{
    const AddressCase& c = GetParam();
    const QString text = QStringLiteral("x ") + c.tag;
    const QString upper = makeSearchCopy(text);
    ResourceAddresses addresses(text, upper);
    QStringList found;
    for (const ResourceAddress& address : addresses.of(2, text.lastIndexOf(u'>'))) {
        found.append(address.element + u' ' + address.attribute + u' ' + address.value);
        EXPECT_EQ(text.mid(address.begin, address.end - address.begin).trimmed(), address.value) << c.name;
    }
    EXPECT_EQ(found, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Tags, Addresses,
    ::testing::Values(
        AddressCase{"ImageWithSourceSet",
                    QStringLiteral("<img srcset=\"a.png 1x, b,c.png 2x,data:image/png;base64,AA,BB 3x, d.png\" "
                                   "alt=x src='e.png'>"),
                    {"IMG SRCSET a.png", "IMG SRCSET b,c.png", "IMG SRCSET data:image/png;base64,AA,BB",
                     "IMG SRCSET d.png", "IMG SRC e.png"}},
        AddressCase{"SourceSetWidthsAndSizes",
                    QStringLiteral("<source srcset=\"s.webp 480w,t.webp,, u.webp (x) 2x\">"),
                    {"SOURCE SRCSET s.webp", "SOURCE SRCSET t.webp", "SOURCE SRCSET u.webp"}},
        AddressCase{"Stylesheet", QStringLiteral("<link rel=stylesheet\nhref = \"s.css\">"), {"LINK HREF s.css"}},
        AddressCase{"Script", QStringLiteral("<script src=app.js defer>"), {"SCRIPT SRC app.js"}},
        AddressCase{"Frames", QStringLiteral("<iframe src=\"f.html\">"), {"IFRAME SRC f.html"}},
        AddressCase{"Frame", QStringLiteral("<FRAME SRC=g.html>"), {"FRAME SRC g.html"}},
        AddressCase{"VideoAndPoster",
                    QStringLiteral("<video poster=p.jpg src=v.mp4>"),
                    {"VIDEO POSTER p.jpg", "VIDEO SRC v.mp4"}},
        AddressCase{"AudioTrackEmbed", QStringLiteral("<audio src=a.ogg>"), {"AUDIO SRC a.ogg"}},
        AddressCase{"Track", QStringLiteral("<track src=t.vtt>"), {"TRACK SRC t.vtt"}},
        AddressCase{"Embed", QStringLiteral("<embed src=e.swf>"), {"EMBED SRC e.swf"}},
        AddressCase{"Object", QStringLiteral("<object data=o.svg type=image/svg+xml>"), {"OBJECT DATA o.svg"}},
        AddressCase{"ImageButton", QStringLiteral("<input TYPE=\"Image\" src=b.png>"), {"INPUT SRC b.png"}},
        AddressCase{"TextInputLoadsNothing", QStringLiteral("<input type=text src=b.png>"), {}},
        AddressCase{"Area", QStringLiteral("<area shape=rect href=\"r.html\">"), {"AREA HREF r.html"}},
        AddressCase{"Refresh",
                    QStringLiteral("<meta http-equiv=\"Refresh\" content=\"5; URL = 'next.html' \">"),
                    {"META CONTENT next.html"}},
        AddressCase{"RefreshWithoutKey",
                    QStringLiteral("<meta http-equiv=refresh content=\"0,n.html\">"),
                    {"META CONTENT n.html"}},
        AddressCase{"RefreshWithoutUrl", QStringLiteral("<meta http-equiv=refresh content=\"30\">"), {}},
        AddressCase{"OtherMeta", QStringLiteral("<meta name=x content=\"5; url=n.html\">"), {}},
        AddressCase{"EmptySource", QStringLiteral("<img src=\"\">"), {"IMG SRC "}},
        AddressCase{"OtherTag", QStringLiteral("<div src=x.png>"), {}}),
    [](const ::testing::TestParamInfo<AddressCase>& info) { return std::string(info.param.name); });

} // namespace
