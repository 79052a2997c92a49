#include "CheckFixture.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

TEST(LinkCheckJob, FindsTagsByTheirThreeCharacterStart)
{
    CheckFixture f;
    const QString text = QStringLiteral("<a href=#x>1</a>\r\n<A\tHREF=#x>2</A><a\r\nhref=#x>3</a>"
                                        "<a\nhref=#x>4</a><a href = #x>5</a><abbr href=#x>no</abbr>"
                                        "<a name=x><a <a href=#x><a xhref=#x>no</a>");
    ASSERT_TRUE(f.check(text));
    ASSERT_EQ(f.table().count(), 7);
    const QString nested = QStringLiteral("<a <a href=#x>");
    const int nestedStart = int(text.indexOf(nested)) + 1;
    const auto at = [&](const char16_t* tag) { return int(text.indexOf(QString::fromUtf16(tag))) + 1; };
    EXPECT_EQ(f.starts(), (QList<int>{1, at(u"<A\tHREF"), at(u"<a\r\nhref"), at(u"<a\nhref"), at(u"<a href ="),
                                      nestedStart, nestedStart + 3}));
    const QStringList tags = f.tagTexts();
    EXPECT_EQ(tags[0], QStringLiteral("<a href=#x>"));
    EXPECT_EQ(tags[2], QStringLiteral("<a\r\nhref=#x>"));
    EXPECT_EQ(tags[3], QStringLiteral("<a\nhref=#x>"));
    EXPECT_EQ(tags[5], nested);
    EXPECT_EQ(f.results(), QList<LinkResult>(7, LinkResult::OkPage));
}

TEST(LinkCheckJob, ReadsValuesWithBlanksAndLineBreaksAroundTheirEquals)
{
    CheckFixture f;
    f.web = FakeWebCheck({QStringLiteral("http://h/ok")});
    ASSERT_TRUE(f.check(QStringLiteral("<a href = \"http://h/ok\">w</a>\n<a\nhref\n=\n'#Top'>t</a>"
                                       "<a title=\"x\"\r\nhref=\r\nmailto:x>m</a><a href= >e</a>"
                                       "<a href =\t\"#gone\">g</a><h1\nid\n=\ntop>T</h1>")));
    EXPECT_EQ(f.results(), (QList<LinkResult>{LinkResult::OkWeb, LinkResult::OkPage, LinkResult::NoCheckMailto,
                                              LinkResult::NoCheckEmpty, LinkResult::NgPage}));
    EXPECT_EQ(f.web.asked, QStringList{QStringLiteral("http://h/ok")});
    EXPECT_EQ(f.reports->waitedFor, QStringList{QStringLiteral("http://h/ok")});
}

TEST(LinkCheckJob, ChecksInPageLinksAgainstIdsOfAnyTag)
{
    CheckFixture f;
    ASSERT_TRUE(f.check(QStringLiteral("<section id=\"Intro\"><h2 ID='part'>x</h2><a href=#Intro><a href='#part'>"
                                       "<div data-id=ghost><a href=#ghost><p>id=word</p><a href=#word>"
                                       "<p name=para><a href=#para>")));
    EXPECT_EQ(f.results(), (QList<LinkResult>{LinkResult::OkPage, LinkResult::OkPage, LinkResult::NgPage,
                                              LinkResult::NgPage, LinkResult::NgPage}));
}

TEST(LinkCheckJob, NestedTagsSharingOneValueCutAndCheckItOnce)
{
    CheckFixture f;
    // Every "<a " runs to the one ">": all three share the one HREF, and a web value is asked once.
    ASSERT_TRUE(f.check(QStringLiteral("<a <a <a href=\"http://h/x\">")));
    EXPECT_EQ(f.results(), QList<LinkResult>(3, LinkResult::NgWeb));
    EXPECT_EQ(f.web.asked, QStringList{QStringLiteral("http://h/x")});
    EXPECT_EQ(columnOf(f.table(), [](const LinkEntry& e) { return e.reason.target; }),
              QStringList(3, QStringLiteral("http://h/x")));

    // A hostile page: 200,000 tags share one value of a million characters, and 200,000 more each have
    // their own; read once each, this ends in moments (read for every tag it would not end at all).
    const QString longName(1000000, u'v');
    const QString text = QStringLiteral("<a ").repeated(200000) + QStringLiteral("href=\"#") + longName +
                         QStringLiteral("\"><a name=") + longName + u'>' +
                         QStringLiteral("<a href=#x ").repeated(200000) + u'>';
    CheckFixture g;
    ASSERT_TRUE(g.check(text));
    ASSERT_EQ(g.table().count(), 400000);
    EXPECT_EQ(g.results().first(), LinkResult::OkPage);
    EXPECT_EQ(g.results()[199999], LinkResult::OkPage);
    EXPECT_EQ(g.results().last(), LinkResult::NgPage);
    EXPECT_EQ(g.table().entries[199999].length, QStringLiteral("<a href=\"#\">").size() + longName.size());
    EXPECT_EQ(g.table().entries[199999].value, u'#' + longName);
    EXPECT_EQ(g.table().entries[200000].value, QStringLiteral("#x"));
}

TEST(LinkCheckJob, ClassifiesValuesNeverChecked)
{
    CheckFixture f;
    ASSERT_TRUE(f.check(QStringLiteral("<a href=\"JavaScript:go()\"> <a href='vbscript:x'> <a href=MailTo:a@b>"
                                       " <a href=\"\"> <a href=\"  \"> <a href=\"open> <a href=>")));
    EXPECT_EQ(f.codes(), (QList<int>{98, 95, 99, 97, 97, 97, 97}));
    EXPECT_TRUE(f.web.asked.isEmpty());
}

TEST(LinkCheckJob, ChecksInPageLinksAgainstNameAnchors)
{
    CheckFixture f;
    ASSERT_TRUE(f.check(QStringLiteral("<a href=#Sec>t</a><a href=\"#missing\">m</a><a href='#sec'>"
                                       "<a NAME=\"Sec\"></a><a href=#></a>")));
    EXPECT_EQ(f.results(),
              (QList<LinkResult>{LinkResult::OkPage, LinkResult::NgPage, LinkResult::NgPage, LinkResult::OkPage}));
}

TEST(LinkCheckJob, SendsWebLinksAsWrittenAndMapsTheAnswer)
{
    CheckFixture f;
    f.web = FakeWebCheck({QStringLiteral("HTTP://Good.example/A"), QStringLiteral("ftp://h/f")});
    ASSERT_TRUE(f.check(QStringLiteral("<a href=\" HTTP://Good.example/A \"><a href=https://bad/>"
                                       "<a href=ftp://h/f><a href=http:relative>")));
    EXPECT_EQ(f.results(),
              (QList<LinkResult>{LinkResult::OkWeb, LinkResult::NgWeb, LinkResult::OkWeb, LinkResult::NgWeb}));
    EXPECT_EQ(f.web.asked, (QStringList{QStringLiteral("HTTP://Good.example/A"), QStringLiteral("https://bad/"),
                                        QStringLiteral("ftp://h/f"), QStringLiteral("http:relative")}));
}

TEST(LinkCheckJob, ChecksRelativeLinksOfAWebDocumentOnTheWeb)
{
    CheckFixture f;
    f.web = FakeWebCheck({QStringLiteral("http://h/dir/ok.html"), QStringLiteral("http://h/dir/root-ok")});
    ASSERT_TRUE(f.check(QStringLiteral("<a href=ok.html><a href=gone.html><a href=/root-ok><a href=/root-gone>"),
                        QStringLiteral(" http://h/dir/ "), false));
    EXPECT_EQ(f.results(),
              (QList<LinkResult>{LinkResult::OkWeb, LinkResult::NgWeb, LinkResult::OkWeb, LinkResult::NgFile}));
    EXPECT_EQ(f.web.asked,
              (QStringList{QStringLiteral("http://h/dir/ok.html"), QStringLiteral("http://h/dir/gone.html"),
                           QStringLiteral("http://h/dir/root-ok"), QStringLiteral("http://h/dir/root-gone")}));
}

// The web is asked for every web link in one run, in document order, each shared value once; a local
// document's relative links are files, a web document's are URLs (and a root-relative one the web does not
// have is then looked for as a file).
TEST(LinkCheckJob, AsksTheWebForItsWebLinksInOneRunInDocumentOrder)
{
    const QString links =
        QStringLiteral("<a name=top><a href=#top><a href=\"http://h/ok/a.html\"><a href=mailto:x@y><a href=\"\">"
                       "<a href=rel/ok.html><a href=/ok/root.html><a href=/gone/root.html><a href='FTP://h/f'>"
                       "<a href=\"http://h/ok/a.html\"><a href=javascript:x><a href=\" https://h/q?a=1&amp;b=2 \">");
    CheckFixture web;
    web.web = FakeWebCheck({QStringLiteral("http://h/dir/ok/root.html")});
    ASSERT_TRUE(web.check(links, QStringLiteral(" http://h/dir/ "), false));
    EXPECT_EQ(web.web.asked,
              (QStringList{QStringLiteral("http://h/ok/a.html"), QStringLiteral("http://h/dir/rel/ok.html"),
                           QStringLiteral("http://h/dir/ok/root.html"), QStringLiteral("http://h/dir/gone/root.html"),
                           QStringLiteral("FTP://h/f"), QStringLiteral("http://h/ok/a.html"),
                           QStringLiteral("https://h/q?a=1&amp;b=2")}));
    EXPECT_EQ(web.results()[5], LinkResult::OkWeb);
    EXPECT_EQ(web.results()[6], LinkResult::NgFile);

    CheckFixture local;
    ASSERT_TRUE(local.check(links));
    EXPECT_EQ(local.web.asked,
              (QStringList{QStringLiteral("http://h/ok/a.html"), QStringLiteral("FTP://h/f"),
                           QStringLiteral("http://h/ok/a.html"), QStringLiteral("https://h/q?a=1&amp;b=2")}));
}

TEST(LinkCheckJob, ChecksRelativeLinksOfALocalDocumentOnDisk)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString site = dir.filePath(QStringLiteral("site"));
    ASSERT_TRUE(QDir().mkpath(site + QStringLiteral("/sub")));
    for (const char* name : {"site/a.html", "site/sub/b.html", "site/my file.html", "up.html", "site/日本.html"}) {
        QFile file(dir.filePath(QString::fromUtf8(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    CheckFixture f;
    ASSERT_TRUE(f.check(QStringLiteral("<a href=a.html><a href=sub\\b.html><a href=\\a.html><a href=/sub/b.html>"
                                       "<a href=../up.html><a href=..\\up.html><a href=a.html#part>"
                                       "<a href=\"a.html?x=1\"><a href=my%20file.html><a href=\"my file.html\">"
                                       "<a href=sub><a href=sub/><a href=日本.html><a href=missing.html>"
                                       "<a href=../site/missing.html>"),
                        site + u'/'));
    // a.html#part: the empty a.html has no such part.
    EXPECT_EQ(f.codes(), (QList<int>{1, 1, 1, 1, 1, 1, 101, 1, 1, 1, 1, 1, 1, 101, 101}));
    EXPECT_TRUE(f.web.asked.isEmpty());
}

TEST(LinkCheckJob, ReadsEscapedFileNamesInTheDocumentsEncoding)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile file(dir.filePath(QStringLiteral("日本.html")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    CheckFixture f;
    f.encoding = TextEncoding{QStringLiteral("Shift_JIS")};
    // 日本 in Shift_JIS, in UTF-8, and a Shift_JIS name of a file that is not there (本日).
    ASSERT_TRUE(f.check(QStringLiteral("<a href=%93%FA%96%7B.html><a href=%E6%97%A5%E6%9C%AC.html>"
                                       "<a href=%96%7B%93%FA.html>"),
                        dir.path() + u'/'));
    EXPECT_EQ(f.codes(), (QList<int>{1, 1, 101}));
}

TEST(LinkCheckJob, ReportsItsPhasesProgressAndTheWebLinkItWaitsFor)
{
    CheckFixture f;
    ASSERT_TRUE(f.check(QStringLiteral("<a href=one.html><a href=mailto:x><a href=http://h/w><a href=\"#two\">")));
    EXPECT_EQ(f.reports->phases, (QList<CheckPhase>{CheckPhase::Counting, CheckPhase::Checking}));
    EXPECT_EQ(f.reports->maximums.last(), 4);
    EXPECT_EQ(f.reports->values.last(), 4);
    EXPECT_TRUE(std::is_sorted(f.reports->values.cbegin(), f.reports->values.cend()));
    EXPECT_EQ(f.reports->waitedFor, QStringList{QStringLiteral("http://h/w")});
    // Every link is reported decided once; the links decided without the network come first.
    QList<int> decided = f.reports->decided;
    EXPECT_EQ(decided.last(), 2);
    std::sort(decided.begin(), decided.end());
    EXPECT_EQ(decided, (QList<int>{0, 1, 2, 3}));

    CheckFixture none;
    ASSERT_TRUE(none.check(QStringLiteral("plain <b>text</b>\r\n")));
    EXPECT_EQ(none.table().count(), 0);
    EXPECT_EQ(none.reports->values, QList<int>{0});
}

// A stop keeps what was decided and leaves the rest undecided, whenever it comes.
TEST(LinkCheckJob, ACancelKeepsTheDecidedLinksAndLeavesTheRestUndecided)
{
    const QString text =
        QStringLiteral("<a href=mailto:x><a href=#a><a href=http://h/w><a href=http://h/stall><a name=a>");
    const auto cancelled = [&](auto connectCancel) {
        auto f = std::make_unique<CheckFixture>();
        f->web = FakeWebCheck({}, {QStringLiteral("http://h/stall")});
        f->job = std::make_unique<LinkCheckJob>(text, CheckContext{QStringLiteral("/x"), true, {}}, f->web);
        connectCancel(*f->job);
        QSignalSpy finished(f->job.get(), &LinkCheckJob::finished);
        f->job->start();
        EXPECT_FALSE(finished.wait(300));
        f->job->cancel();
        EXPECT_FALSE(f->job->isRunning());
        return columnOf(f->table(), [](const LinkEntry& e) { return e.decided; });
    };
    EXPECT_TRUE(cancelled([](LinkCheckJob& job) {
                    QObject::connect(&job, &LinkCheckJob::phaseChanged, &job, [&job] { job.cancel(); });
                }).isEmpty());
    EXPECT_EQ(cancelled([](LinkCheckJob& job) {
                  QObject::connect(&job, &LinkCheckJob::linksFound, &job, &LinkCheckJob::cancel);
              }),
              (QList<bool>{true, false, false, false}));
    // Stopped while it waits for the stalled link: the web link before it has its verdict.
    EXPECT_EQ(cancelled([](LinkCheckJob&) {}), (QList<bool>{true, true, true, false}));
}

TEST(LinkCheckJob, SurvivesHostileDocuments)
{
    QString junk;
    for (int i = 1; i < 256 * 64; ++i)
        junk += QChar(char16_t(i % 256 == 0 ? 1 : i % 256));
    const QString longLine = QStringLiteral("<a href=#x>").repeated(20000) + QString(10 * 1024 * 1024, u'y');
    const QString noClose = QStringLiteral("<a href=\"x ").repeated(200000);
    const QString unicode = QStringLiteral("e\u0301\U0001F600<a href=\"#\U0001F600\">\U0001F600</a>"
                                           "<a name=\"\U0001F600\">\xD800<a href=#\xDC00>");
    for (const QString& text : {junk, longLine, noClose, unicode, QStringLiteral("<a href=\"x>\"")}) {
        CheckFixture f;
        ASSERT_TRUE(f.check(text));
        for (const LinkEntry& entry : f.table().entries)
            ASSERT_EQ(f.table().tagText(entry), text.mid(entry.start - 1, entry.length));
    }
    CheckFixture f;
    ASSERT_TRUE(f.check(unicode));
    EXPECT_EQ(f.results(), (QList<LinkResult>{LinkResult::OkPage, LinkResult::NgPage}));
}

} // namespace

namespace {

// Lines end with CR LF, a lone LF or a lone CR, each once; columns count characters, a surrogate pair as one.
TEST(LinkCheckJob, GivesEachTagItsLineAndColumn)
{
    CheckFixture f;
    ASSERT_TRUE(f.check(
        QStringLiteral("<a href=#a>\r\n日本語<a href=#b>\n\U0001F600 <a href=#c>\r<a href=#d>\r\n\r\n  <a href=#e>")));
    const auto lineColumns = columnOf(f.table(), [](const LinkEntry& e) { return std::pair(e.line, e.column); });
    EXPECT_EQ(lineColumns, (QList<std::pair<int, int>>{{1, 1}, {2, 4}, {3, 3}, {4, 1}, {6, 3}}));
}

TEST(LinkCheckJob, KeepsWhyEachLinkHasItsResult)
{
    QTemporaryDir dir;
    QFile(dir.filePath(QStringLiteral("there.html"))).open(QIODevice::WriteOnly);
    CheckFixture f;
    f.web = FakeWebCheck({QStringLiteral("http://h/ok")});
    ASSERT_TRUE(f.check(QStringLiteral("<a name=Top><a href=#Top><a href=there.html><a href=gone.html#x>"
                                       "<a href=http://h/ok><a href=mailto:x><a href=\"\"><a name=only>"),
                        dir.path()));
    const QList<LinkReason> reasons = columnOf(f.table(), [](const LinkEntry& e) { return e.reason; });
    ASSERT_EQ(reasons.size(), 6);
    EXPECT_EQ(reasons[0].kind, LinkReason::Kind::Anchor);
    EXPECT_EQ(reasons[0].target, QStringLiteral("Top")); // as written
    EXPECT_EQ(reasons[1].kind, LinkReason::Kind::File);
    EXPECT_EQ(reasons[1].target, dir.filePath(QStringLiteral("there.html")));
    EXPECT_EQ(reasons[2].target, dir.filePath(QStringLiteral("gone.html")));
    EXPECT_EQ(reasons[3].kind, LinkReason::Kind::Web);
    EXPECT_EQ(reasons[3].target, QStringLiteral("http://h/ok"));
    EXPECT_TRUE(reasons[3].web.exists);
    EXPECT_EQ(reasons[4].kind, LinkReason::Kind::NotChecked);
    EXPECT_EQ(reasons[5].kind, LinkReason::Kind::NotChecked);
}

} // namespace

namespace {

struct BrowserCase {
    const char* name;
    QString text;
    QString base;
    bool isFile;
    QList<int> codes;
    QStringList asked = {}; // the web links asked, in order
    QString siteRoot = {};  // DIR stands for the temporary folder, as in text and base
};

void PrintTo(const BrowserCase& c, std::ostream* out)
{
    *out << c.name;
}

class BrowserResolution : public ::testing::TestWithParam<BrowserCase> {};

// Where a link leads is where a browser takes it: the result codes of each page, and what the web is asked.
TEST_P(BrowserResolution, LinksLeadWhereABrowserTakesThem)
{
    const BrowserCase& c = GetParam();
    QTemporaryDir dir;
    QDir().mkpath(dir.filePath(QStringLiteral("folder")));
    QFile(dir.filePath(QStringLiteral("folder/a.html"))).open(QIODevice::WriteOnly);
    QFile(dir.filePath(QStringLiteral("a.html"))).open(QIODevice::WriteOnly);
    QFile(dir.filePath(QStringLiteral("notes.txt"))).open(QIODevice::WriteOnly);
    QFile parts(dir.filePath(QStringLiteral("parts.html")));
    ASSERT_TRUE(parts.open(QIODevice::WriteOnly));
    parts.write("<html><p id=intro><a name=Sec>");
    parts.close();
    CheckFixture f;
    f.web = FakeWebCheck({QStringLiteral("http://h/based/a.html")});
    const auto inDir = [&dir](QString text) { return text.replace(QStringLiteral("DIR"), dir.path()); };
    f.siteRoot = inDir(c.siteRoot);
    ASSERT_TRUE(f.check(inDir(c.text), c.base.isEmpty() ? dir.path() : inDir(c.base), c.isFile));
    EXPECT_EQ(f.codes(), c.codes);
    EXPECT_EQ(f.web.asked, c.asked);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, BrowserResolution,
    ::testing::Values(
        // Any other scheme of two letters or more is not checked (96); a drive letter stays a path; file: URLs
        // are files.
        BrowserCase{"Schemes",
                    QStringLiteral("<a href=tel:+44123> <a href=SMS:x> <a href=geo:1,2> <a href=git://h/r> "
                                   "<a href=irc:x> <a href=data:text/plain,hi> <a href=x-y.z+w:q> <a href=c:a.html> "
                                   "<a href=file://DIR/a.html> <a href=file:///nowhere.html>"),
                    {},
                    true,
                    {96, 96, 96, 96, 96, 96, 96, 101, 1, 101}},
        // The first <base href> of the page leads its relative links; fragments stay in the page.
        BrowserCase{"RelativeBase",
                    QStringLiteral("<base href=\"folder/\"><base href=\"other/\"><a href=a.html> <a href=#x> "
                                   "<a href=\"../a.html\"><p id=x>"),
                    {},
                    true,
                    {1, 2, 1}},
        BrowserCase{"WebBase",
                    QStringLiteral("<BASE HREF='http://h/based/'><a href=a.html> <a href=b.html> <a href=#top>"),
                    {},
                    true,
                    {-1, 100, 2},
                    {QStringLiteral("http://h/based/a.html"), QStringLiteral("http://h/based/b.html")}},
        // A link of a query alone is this document; its fragment is looked up in it.
        BrowserCase{"QueryAlone",
                    QStringLiteral("<a href=\"?q=1\"> <a href=\"?q=1#nowhere\"> <a href=\"?q=1#here\"><p id=here>"),
                    {},
                    true,
                    {2, 102, 2}},
        // Comments and the contents of script, style, textarea and title hold no links and no targets.
        BrowserCase{"TaglessStretches",
                    QStringLiteral("<title><a href=t.html></title><!-- <a href=c.html> <p id=x> --><!--><a href=#x>"
                                   "<script>'<a href=s.html>'</script ><style><a href=y.html></style>"
                                   "<textarea id=t><a href=ta.html></textarea><a href=#t>"),
                    {},
                    true,
                    {102, 2}}),
    [](const ::testing::TestParamInfo<BrowserCase>& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    LocalSites, BrowserResolution,
    ::testing::Values(
        // A link into a part of another page holds where that page has the id or name, by the in-page rules;
        // an empty fragment, the top, and a target that is no HTML page count by existence.
        BrowserCase{"PartsOfOtherPages",
                    QStringLiteral("<a href=parts.html#intro> <a href=parts.html#gone> <a href=parts.html#sec> "
                                   "<a href=parts.html#Sec> <a href=parts.html#%69ntro> <a href=parts.html#> "
                                   "<a href=parts.html#top> <a href=notes.txt#x> <a href=missing.html#intro>"),
                    {},
                    true,
                    {1, 101, 101, 1, 1, 1, 1, 1, 101}},
        // Root-relative links start from the site's root; without one, from the document's folder.
        BrowserCase{
            "FromTheSiteRoot",
            QStringLiteral("<a href=/a.html> <a href=/folder/a.html> <a href=\\folder\\a.html> <a href=/b.html>"),
            QStringLiteral("DIR/folder"),
            true,
            {1, 1, 1, 101},
            {},
            QStringLiteral("DIR")},
        BrowserCase{"FromTheDocumentsFolder",
                    QStringLiteral("<a href=/a.html> <a href=/folder/a.html>"),
                    QStringLiteral("DIR/folder"),
                    true,
                    {1, 101}}),
    [](const ::testing::TestParamInfo<BrowserCase>& info) { return std::string(info.param.name); });

} // namespace

namespace {

// With the addresses tags load checked too, each is a link of its own, found and judged as an <A HREF> is,
// sharing its tag's start; without, the check is what it always was.
TEST(LinkCheckJob, ChecksWhatTagsLoadOnlyWhenAsked)
{
    QTemporaryDir dir;
    QFile(dir.filePath(QStringLiteral("here.png"))).open(QIODevice::WriteOnly);
    const QString text = QStringLiteral("<link href=missing.css><a href=here.png><img src=\"here.png\" "
                                        "srcset=\"gone.png 2x, data:image/png,x 3x\"><script src=\"\"></script>"
                                        "<!-- <img src=commented.png> --><video poster=http://h/p.jpg>");
    CheckFixture off;
    ASSERT_TRUE(off.check(text, dir.path()));
    EXPECT_EQ(off.codes(), QList<int>{1});
    CheckFixture on;
    on.web = FakeWebCheck({QStringLiteral("http://h/p.jpg")});
    ASSERT_TRUE(on.check(text, dir.path(), true, true));
    EXPECT_EQ(on.codes(), (QList<int>{101, 1, 1, 101, 96, 97, -1}));
    const QString img = QStringLiteral("<img");
    EXPECT_EQ(on.starts().mid(2, 3), QList<int>(3, int(text.indexOf(img)) + 1));
    const LinkEntry& srcset = on.table().entries[3];
    EXPECT_EQ(srcset.element + u' ' + srcset.attribute, QStringLiteral("IMG SRCSET"));
    EXPECT_EQ(text.mid(srcset.shownStart() - 1, srcset.shownLength()), QStringLiteral("gone.png"));
    EXPECT_EQ(on.web.asked, QStringList{QStringLiteral("http://h/p.jpg")});
}

} // namespace
