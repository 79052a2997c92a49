#include "links/RepairSuggestions.h"
#include "CheckFixture.h"
#include "TestFiles.h"
#include "links/NearNames.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(SlipsBetween, CountsInsertionsDeletionsReplacementsAndSwapsUpToTheLimit)
{
    const struct {
        const char* a;
        const char* b;
        int limit;
        int slips;
    } cases[] = {
        {"index", "index", 2, 0},
        {"index", "indx", 2, 1},
        {"index", "indexx", 2, 1},
        {"index", "indox", 2, 1},
        {"index", "inedx", 2, 1},
        {"abuot", "about", 2, 1},
        {"index", "idnexx", 2, 2},
        {"index", "table", 2, 3},
        {"ab", "ba", 0, 1},
        {"", "abc", 2, 3},
        {"chapter-1", "chapter-12", 1, 1},
        {"aaaa", "bbbb", 1, 2},
        {"kitten", "sitting", 3, 3},
        {"ca", "abc", 3, 3},
        {"abcdefghij", "abdcefghji", 2, 2},
    };
    for (const auto& c : cases)
        EXPECT_EQ(slipsBetween(QString::fromUtf8(c.a), QString::fromUtf8(c.b), c.limit), c.slips) << c.a << " " << c.b;
}

// A site whose document links to files, its own ids and another page's ids that are not there, each as a
// slip of the pen would write it.
TEST(RepairSuggestions, OfferWhatTheLinkWasMeantToBeNearestFirst)
{
    QTemporaryDir dir;
    const QString site = dir.filePath(QStringLiteral("site"));
    for (const char* name :
         {"Logo.PNG", "about.html", "sub/contact.html", "img/photo.jpg", "Page.html", "sub/page.html", "page.htm",
          "pages.html", "pag.html", "pagex.html", "far/away/page.html", ".hidden/abuot.html"})
        writeFile(site + u'/' + QString::fromLatin1(name));
    writeFile(site + QStringLiteral("/guide.html"), "<html><p id=install><p id=INSTALL><p id=uninstall>");

    const struct {
        const char* value;
        QStringList suggestions;
    } cases[] = {
        {"logo.png#top", {"Logo.PNG#top"}},           // letter case only, the fragment kept
        {"abuot.html?x=1", {"about.html?x=1"}},       // two letters swapped, the query kept; hidden files unseen
        {"contact.html", {"sub/contact.html"}},       // the same name in another folder
        {"sub/photo.jpg", {"img/photo.jpg"}},         // ... written from the document's folder
        {"/sub/contcat.html", {"/sub/contact.html"}}, // root-relative stays root-relative
        {"page.html",
         {"Page.html", "sub/page.html", "far/away/page.html", "pag.html", "page.htm"}}, // at most five, nearest first
        {"zzz.html", {}},                                                               // nothing near
        {"about.html", {}},                                                             // nothing to repair
        {"#intro", {"#Intro"}},                                                         // an id of this page
        {"#usgae", {"#usage"}},
        {"#top2", {}},
        {"guide.html#instal", {"guide.html#install", "guide.html#INSTALL"}}, // the ids of the page it leads into
    };
    QString text = QStringLiteral("<html><h2 id=Intro>x</h2><p id=usage>");
    for (const auto& c : cases)
        text += QStringLiteral("<a href=\"%1\">x</a>\n").arg(QString::fromUtf8(c.value));

    CheckFixture check;
    check.siteRoot = site;
    ASSERT_TRUE(check.check(text, site));
    RepairSuggestions suggestions(text, CheckContext{site, true, check.encoding, false, site, nullptr});
    ASSERT_EQ(check.table().count(), int(std::size(cases)));
    for (int index = 0; index < check.table().count(); ++index) {
        const LinkEntry& link = check.table().entries[size_t(index)];
        EXPECT_EQ(suggestions.of(link), cases[index].suggestions) << link.value.toStdString();
    }
}

// Only a web link moved for good to a page that answers is worth rewriting: a temporary redirect may lead
// elsewhere tomorrow.
TEST(RepairSuggestions, AWebLinkMovedForGoodGetsWhereItMovedTo)
{
    const struct {
        const char* value;
        bool exists;
        bool permanent;
        const char* suggestion;
    } cases[] = {
        {"http://old.example/a?x=1&amp;y=2#part", true, true, "https://new.example/a?x=1&amp;y=2#part"},
        {"http://old.example/a", true, false, nullptr}, // a 302 on the way
        {"http://old.example/a", false, true, nullptr}, // moved to a page that fails
        {"https://new.example/a", true, true, nullptr}, // already there
    };
    for (const auto& c : cases) {
        LinkEntry link;
        link.value = QString::fromUtf8(c.value);
        link.decided = true;
        link.result = c.exists ? LinkResult::OkWeb : LinkResult::NgWeb;
        link.reason.kind = LinkReason::Kind::Web;
        link.reason.web.exists = c.exists;
        link.reason.web.reason = c.exists ? WebReason::Answered : WebReason::HttpError;
        link.reason.web.status = c.exists ? 200 : 404;
        link.reason.web.redirects = 1;
        link.reason.web.permanentRedirect = c.permanent;
        link.reason.web.finalUrl = link.value.section(u'#', 0, 0)
                                       .replace(QStringLiteral("http://old"), QStringLiteral("https://new"))
                                       .replace(QStringLiteral("&amp;"), QStringLiteral("&"));
        const QStringList expected = c.suggestion ? QStringList{QString::fromUtf8(c.suggestion)} : QStringList{};
        EXPECT_EQ(RepairSuggestions(QString(), {}).of(link), expected) << c.value;
    }
}

} // namespace
