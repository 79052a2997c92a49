// tarnwick-check's reports: every format parsed back, the options that choose what is printed, and runs
// over several documents.

#include "LoopbackServers.h"
#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

namespace {

struct CommandResult {
    int exitCode = -1;
    QString out;
    QString err;
};

CommandResult runCheck(const QStringList& arguments,
                       const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(TARNWICK_CHECK_BINARY), arguments);
    EXPECT_TRUE(process.waitForFinished(60000));
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

// CSV rows as Python's csv module reads them, one JSON array per row.
QList<QStringList> parseCsv(const QString& csv)
{
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"),
                 {QStringLiteral("-c"),
                  QStringLiteral("import csv, io, json, sys; "
                                 "print(json.dumps(list(csv.reader(io.StringIO(sys.stdin.read(), newline='')))))")});
    python.write(csv.toUtf8());
    python.closeWriteChannel();
    EXPECT_TRUE(python.waitForFinished(30000));
    QList<QStringList> rows;
    for (const QJsonValue& row : QJsonDocument::fromJson(python.readAllStandardOutput()).array())
        rows.append(row.toVariant().toStringList());
    return rows;
}

// One document in UTF-8 with CR LF, LF and CR line ends, Japanese text before the links, and a value
// holding a tab and a backslash.
class Reports : public ::testing::Test {
protected:
    void SetUp() override
    {
        document = dir.filePath(QStringLiteral("site/頁.html"));
        writeFile(document, QStringLiteral("<html>\r\n<h2 id=\"章\">見出し</h2>日本語<a href=\"#章\">a</a>\n"
                                           "<a href=\"ない.html\">b</a>\r"
                                           "  <a href=\"mailto:x@example.org\">c</a><a href=\"a\tb\\c.html\">d</a>\r\n")
                                .toUtf8());
    }

    QTemporaryDir dir;
    QString document;
};

TEST_F(Reports, TextSaysWhereAndWhyThenSums)
{
    const CommandResult result = runCheck({document});
    EXPECT_EQ(result.exitCode, 1);
    const QStringList lines = result.out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 5) << result.out.toStdString();
    EXPECT_TRUE(lines[0].startsWith(document + QStringLiteral(":2:23: OK-page #章 ("))) << lines[0].toStdString();
    EXPECT_EQ(lines[1], document + QStringLiteral(":3:1: NG-file ない.html (no such file: ") +
                            dir.filePath(QStringLiteral("site/ない.html")) + u')');
    EXPECT_TRUE(lines[2].startsWith(document + QStringLiteral(":4:3: not-checked mailto:x@example.org (")));
    EXPECT_TRUE(lines[3].startsWith(document + QStringLiteral(":4:39: NG-file a\\tb\\c.html (")));
    EXPECT_TRUE(lines[4].startsWith(QStringLiteral("4 links: 1 OK, 2 NG, 1 not checked (1 document, ")));
}

TEST_F(Reports, TsvKeepsItsLinesWithEveryValueOnOne)
{
    const CommandResult result = runCheck({QStringLiteral("--format"), QStringLiteral("tsv"), document});
    EXPECT_EQ(
        result.out.split(u'\n', Qt::SkipEmptyParts),
        (QStringList{QStringLiteral("31\t2\t#章"), QStringLiteral("50\t101\tない.html"),
                     QStringLiteral("76\t99\tmailto:x@example.org"), QStringLiteral("112\t101\ta\\tb\\\\c.html")}));
}

TEST_F(Reports, JsonHoldsEveryField)
{
    const CommandResult result = runCheck({QStringLiteral("--format=json"), document});
    QJsonParseError error;
    const QJsonObject root = QJsonDocument::fromJson(result.out.toUtf8(), &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    const QJsonArray documents = root.value(QStringLiteral("documents")).toArray();
    ASSERT_EQ(documents.size(), 1);
    const QJsonObject first = documents[0].toObject();
    EXPECT_EQ(first.value(QStringLiteral("document")).toString(), document);
    EXPECT_EQ(first.value(QStringLiteral("encoding")).toString(), QStringLiteral("UTF-8"));
    const QJsonArray links = first.value(QStringLiteral("links")).toArray();
    ASSERT_EQ(links.size(), 4);
    const QJsonObject missing = links[1].toObject();
    EXPECT_EQ(missing.value(QStringLiteral("start")).toInt(), 50);
    EXPECT_EQ(missing.value(QStringLiteral("line")).toInt(), 3);
    EXPECT_EQ(missing.value(QStringLiteral("column")).toInt(), 1);
    EXPECT_EQ(missing.value(QStringLiteral("code")).toInt(), 101);
    EXPECT_EQ(missing.value(QStringLiteral("class")).toString(), QStringLiteral("NG-file"));
    EXPECT_EQ(missing.value(QStringLiteral("value")).toString(), QStringLiteral("ない.html"));
    EXPECT_EQ(missing.value(QStringLiteral("target")).toString(), dir.filePath(QStringLiteral("site/ない.html")));
    EXPECT_TRUE(missing.value(QStringLiteral("reason")).toString().startsWith(QStringLiteral("no such file")));
    EXPECT_TRUE(missing.value(QStringLiteral("status")).isNull());
    EXPECT_EQ(links[3].toObject().value(QStringLiteral("value")).toString(), QStringLiteral("a\tb\\c.html"));
    const QJsonObject summary = root.value(QStringLiteral("summary")).toObject();
    EXPECT_EQ(summary.value(QStringLiteral("links")).toInt(), 4);
    EXPECT_EQ(summary.value(QStringLiteral("ok")).toInt(), 1);
    EXPECT_EQ(summary.value(QStringLiteral("ng")).toInt(), 2);
    EXPECT_EQ(summary.value(QStringLiteral("notChecked")).toInt(), 1);
}

TEST_F(Reports, CsvHasAHeaderAndOneRowPerLink)
{
    const QList<QStringList> rows = parseCsv(runCheck({QStringLiteral("--format=csv"), document}).out);
    ASSERT_EQ(rows.size(), 5);
    EXPECT_EQ(rows[0], (QStringList{QStringLiteral("document"), QStringLiteral("line"), QStringLiteral("column"),
                                    QStringLiteral("start"), QStringLiteral("code"), QStringLiteral("class"),
                                    QStringLiteral("value"), QStringLiteral("target"), QStringLiteral("reason"),
                                    QStringLiteral("status")}));
    EXPECT_EQ(rows[1].mid(0, 7), (QStringList{document, QStringLiteral("2"), QStringLiteral("23"), QStringLiteral("31"),
                                              QStringLiteral("2"), QStringLiteral("OK-page"), QStringLiteral("#章")}));
    EXPECT_EQ(rows[4][6], QStringLiteral("a\tb\\c.html"));
}

// One workflow annotation per NG link, where GitHub shows it; its text and the text report follow a Japanese
// locale, the formats scripts read stay English.
TEST_F(Reports, GithubAnnotationsAndTheLocalesLanguage)
{
    const CommandResult github = runCheck({QStringLiteral("--format=github"), document});
    EXPECT_EQ(github.exitCode, 1);
    const QStringList lines = github.out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3) << github.out.toStdString();
    EXPECT_EQ(lines[0], QStringLiteral("::error file=%1,line=3,col=1::NG-file ない.html (no such file: %2)")
                            .arg(document, dir.filePath(QStringLiteral("site/ない.html"))));
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("::error file=%1,line=4,col=39::").arg(document)));
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral("4 links:")));

    QProcessEnvironment japanese = QProcessEnvironment::systemEnvironment();
    japanese.insert(QStringLiteral("LANG"), QStringLiteral("ja_JP.UTF-8"));
    japanese.remove(QStringLiteral("LC_ALL"));
    japanese.remove(QStringLiteral("LC_MESSAGES"));
    const QString missing = dir.filePath(QStringLiteral("site/ない.html"));
    EXPECT_TRUE(runCheck({QStringLiteral("--format=github"), document}, japanese)
                    .out.contains(QStringLiteral("ファイルがありません: ") + missing));
    EXPECT_TRUE(runCheck({document}, japanese).out.contains(QStringLiteral("リンク 4 件: OK 1 件、NG 2 件")));
    EXPECT_TRUE(runCheck({QStringLiteral("--format=json"), document}, japanese)
                    .out.contains(QStringLiteral("no such file: ") + missing));
    const CommandResult unreadable = runCheck({dir.filePath(QStringLiteral("none.html"))}, japanese);
    EXPECT_TRUE(unreadable.err.contains(QStringLiteral("読み込めませんでした"))) << unreadable.err.toStdString();
}

// --suggest adds the values that could repair each link: an array in json, a last column in csv, after the
// reason in text; tsv keeps the columns scripts read.
TEST_F(Reports, SuggestAddsRepairsToEveryFormatButTsv)
{
    writeFile(dir.filePath(QStringLiteral("site/sub/guide.html")), "<html><p id=install>");
    writeFile(document, "<html><a href=\"Guide.html#instal\">a</a><a href=\"sub/guide.html#instal\">b</a><a href=#x>");
    const auto run = [this](const char* format, bool suggest) {
        QStringList arguments{QStringLiteral("--format=") + QLatin1String(format), document};
        if (suggest)
            arguments.prepend(QStringLiteral("--suggest"));
        return runCheck(arguments).out;
    };
    const QJsonArray links = QJsonDocument::fromJson(run("json", true).toUtf8())
                                 .object()[QStringLiteral("documents")][0][QStringLiteral("links")]
                                 .toArray();
    ASSERT_EQ(links.size(), 3);
    const QStringList expected[] = {{"sub/guide.html#instal"}, {"sub/guide.html#install"}, {}};
    for (int index = 0; index < 3; ++index)
        EXPECT_EQ(links[index][QStringLiteral("suggestions")].toVariant().toStringList(), expected[index]) << index;
    EXPECT_FALSE(run("json", false).contains(QStringLiteral("suggestions")));

    const QList<QStringList> rows = parseCsv(run("csv", true));
    ASSERT_EQ(rows.size(), 4);
    EXPECT_EQ(rows[0].last(), QStringLiteral("suggestions"));
    EXPECT_EQ(rows[2].last(), QStringLiteral("sub/guide.html#install"));
    EXPECT_TRUE(run("text", true).contains(QStringLiteral(") -> sub/guide.html#instal\n")));
    EXPECT_EQ(run("tsv", true), run("tsv", false));
}

TEST_F(Reports, BrokenOnlyAndQuiet)
{
    const CommandResult broken = runCheck({QStringLiteral("--format=tsv"), QStringLiteral("--broken-only"), document});
    EXPECT_EQ(broken.out.split(u'\n', Qt::SkipEmptyParts).size(), 2);
    EXPECT_FALSE(broken.out.contains(QStringLiteral("mailto")));
    const CommandResult quiet = runCheck({QStringLiteral("-q"), document});
    EXPECT_EQ(quiet.exitCode, 1);
    EXPECT_TRUE(quiet.out.isEmpty());
    EXPECT_TRUE(quiet.err.isEmpty());
}

TEST(ReportOptions, VersionAndHelpNameEveryFormatAndExitStatus)
{
    EXPECT_EQ(runCheck({QStringLiteral("--version")}).out, QStringLiteral("tarnwick-check 1.0.0\n"));
    const QString help = runCheck({QStringLiteral("--help")}).out;
    for (const char* word : {"text", "tsv", "json", "csv", "--broken-only", "--quiet", "--recursive", "Exit status"})
        EXPECT_TRUE(help.contains(QString::fromLatin1(word))) << word;
    const CommandResult wrong = runCheck({QStringLiteral("--format=xml"), QStringLiteral("x.html")});
    EXPECT_EQ(wrong.exitCode, 2);
    EXPECT_TRUE(wrong.err.contains(QStringLiteral("xml")));
}

TEST(ReportOptions, FoldersNeedRecursionAndAreCheckedInOrder)
{
    QTemporaryDir dir;
    writeFile(dir.filePath(QStringLiteral("b.html")), "<html><a href=#x>");
    writeFile(dir.filePath(QStringLiteral("sub/a.HTM")), "<html><a name=x><a href=#x>");
    writeFile(dir.filePath(QStringLiteral("sub/notes.txt")), "<a href=#y>");
    // Every format says on stderr why a document could not be checked.
    for (const char* format : {"text", "tsv", "json", "csv"}) {
        const CommandResult flat = runCheck({QStringLiteral("--format=") + QLatin1String(format), dir.path()});
        EXPECT_EQ(flat.exitCode, 2);
        EXPECT_TRUE(flat.err.contains(dir.path() + QStringLiteral(": is a folder (use -r")))
            << format << flat.err.toStdString();
    }
    // Names are bytes: one that is not UTF-8 (Latin-1 "café") is checked and shown as a terminal shows it.
    // Hidden folders are passed over, and a link back up the tree is not followed.
    ASSERT_EQ(::symlink("..", QFile::encodeName(dir.filePath(QStringLiteral("sub/up"))).constData()), 0);
    writeFile(dir.filePath(QStringLiteral(".hidden/c.html")), "<html><a href=#x>");
    const QByteArray latin1Name = QFile::encodeName(dir.path()) + "/sub/caf\xe9.html";
    const int fd = ::open(latin1Name.constData(), O_WRONLY | O_CREAT, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::write(fd, "<html><a href=gone.html>", 24), 24);
    ::close(fd);
    const CommandResult deep = runCheck({QStringLiteral("-r"), QStringLiteral("--format=tsv"), dir.path()});
    EXPECT_EQ(deep.exitCode, 1);
    EXPECT_EQ(deep.out, QStringLiteral("# %1\n7\t102\t#x\n# %2\n17\t2\t#x\n# %3\n7\t101\tgone.html\n")
                            .arg(dir.filePath(QStringLiteral("b.html")), dir.filePath(QStringLiteral("sub/a.HTM")),
                                 dir.filePath(QStringLiteral("sub/caf\uFFFD.html"))));
    // An unreadable document beside readable ones: exit status 2, the others still reported.
    const CommandResult mixed =
        runCheck({dir.filePath(QStringLiteral("b.html")), dir.filePath(QStringLiteral("no.html"))});
    EXPECT_EQ(mixed.exitCode, 2);
    EXPECT_TRUE(mixed.out.contains(QStringLiteral("NG-page #x")));
    EXPECT_TRUE(mixed.err.contains(QStringLiteral("no.html: could not be read: no such file: ")));
}

// The pages of a folder given with -r start their root-relative links from it (--root-dir says otherwise), and
// a link into a part of a page holds only where that page has the part.
TEST(ReportOptions, AFolderIsASiteWithItsRootAndItsPagesParts)
{
    QTemporaryDir dir;
    writeFile(dir.filePath(QStringLiteral("site/sub/p.html")), "<html><p id=intro><a href=/index.html#top>");
    writeFile(dir.filePath(QStringLiteral("site/index.html")),
              "<html><a href=/sub/p.html#intro><a href=/sub/p.html#gone>");
    const CommandResult site = runCheck({QStringLiteral("-r"), dir.filePath(QStringLiteral("site"))});
    EXPECT_EQ(site.exitCode, 1);
    EXPECT_TRUE(site.out.contains(QStringLiteral(":1:7: OK-file /sub/p.html#intro (found: ")));
    EXPECT_TRUE(site.out.contains(QStringLiteral(":1:33: NG-file /sub/p.html#gone (p.html has no id or name 'gone')")))
        << site.out.toStdString();
    EXPECT_TRUE(site.out.contains(QStringLiteral("p.html:1:19: OK-file /index.html#top")));
    const CommandResult elsewhere = runCheck({QStringLiteral("-r"), QStringLiteral("--root-dir"), dir.path(),
                                              QStringLiteral("--format=tsv"), dir.filePath(QStringLiteral("site"))});
    EXPECT_EQ(elsewhere.out.count(QStringLiteral("\t101\t")), 3) << elsewhere.out.toStdString();
}

// Several documents linking the same URLs: each is reported as when checked alone, and no URL is asked twice.
TEST(ReportOptions, ADocumentsAnswersAreSharedWithTheNext)
{
    if (const QString missing = LoopbackServers::missingPrerequisite(); !missing.isEmpty())
        GTEST_SKIP() << missing.toStdString();
    LoopbackServerOptions options;
    options.hosts = {QStringLiteral("127.0.0.1"), QStringLiteral("127.0.0.2")};
    options.soft404Host = QStringLiteral("127.0.0.2");
    LoopbackServers servers(options);
    ASSERT_TRUE(servers.isReady()) << servers.errorText().toStdString();
    const auto link = [&](const char* host, const char* path) {
        return QStringLiteral("<a href=\"%1\">x</a>\n")
            .arg(servers.url(QString::fromLatin1(host), QString::fromLatin1(path)));
    };
    QTemporaryDir dir;
    const QString first = dir.filePath(QStringLiteral("one.html"));
    const QString second = dir.filePath(QStringLiteral("two.html"));
    writeFile(first, (QStringLiteral("<html>") + link("127.0.0.1", "/ok/shared.html") +
                      link("127.0.0.1", "/missing/shared.html") + link("127.0.0.2", "/ok/soft.html") +
                      link("127.0.0.1", "/document/doc.html#top"))
                         .toUtf8());
    writeFile(second,
              (QStringLiteral("<html>") + link("127.0.0.2", "/ok/soft.html") + link("127.0.0.1", "/ok/own.html") +
               link("127.0.0.1", "/ok/shared.html") + link("127.0.0.1", "/document/doc.html#nowhere"))
                  .toUtf8());

    const QString alone =
        runCheck({QStringLiteral("--format=tsv"), first}).out + runCheck({QStringLiteral("--format=tsv"), second}).out;
    const QJsonObject before = servers.stats();
    const CommandResult together = runCheck({QStringLiteral("--format=tsv"), first, second});
    EXPECT_EQ(together.out, QStringLiteral("# %1\n").arg(first) +
                                alone.left(alone.indexOf(QStringLiteral("\n"), 0) + 1) + alone.section(u'\n', 1, 3) +
                                QStringLiteral("\n# %1\n").arg(second) + alone.section(u'\n', 4));
    // Every request of the run together was made once: as many as the first document alone asked for,
    // plus what only the second one links to.
    const auto made = [&](const QString& host, const QString& request) {
        return servers.stats().value(host).toObject().value(request).toInt() -
               before.value(host).toObject().value(request).toInt();
    };
    for (const char* request : {"GET /ok/shared.html", "GET /ok/shared.html......", "GET /missing/shared.html",
                                "GET /ok/own.html", "GET /document/doc.html"})
        EXPECT_EQ(made(QStringLiteral("127.0.0.1"), QString::fromLatin1(request)), 1) << request;
    EXPECT_EQ(made(QStringLiteral("127.0.0.2"), QStringLiteral("GET /ok/soft.html")), 1);
    EXPECT_EQ(made(QStringLiteral("127.0.0.2"), QStringLiteral("GET /ok/soft.html......")), 1);
}

// With --resources the addresses tags load are links too: tsv keeps its three columns, sharing the tag's
// start; json and csv name the tag and attribute, which they leave out without the option.
TEST_F(Reports, ResourcesAreNamedByTagAndAttribute)
{
    writeFile(document, "<html><img src=\"pic.png\" srcset=\"pic.png 2x\"><a href=\"#x\">");
    const QString tsv = runCheck({QStringLiteral("--resources"), QStringLiteral("--format=tsv"), document}).out;
    EXPECT_EQ(tsv, QStringLiteral("7\t101\tpic.png\n7\t101\tpic.png\n46\t102\t#x\n"));
    const QJsonArray links =
        QJsonDocument::fromJson(
            runCheck({QStringLiteral("--resources"), QStringLiteral("--format=json"), document}).out.toUtf8())
            .object()[QStringLiteral("documents")][0][QStringLiteral("links")]
            .toArray();
    ASSERT_EQ(links.size(), 3);
    EXPECT_EQ(links[1][QStringLiteral("tag")].toString(), QStringLiteral("IMG"));
    EXPECT_EQ(links[1][QStringLiteral("attribute")].toString(), QStringLiteral("SRCSET"));
    EXPECT_EQ(links[2][QStringLiteral("attribute")].toString(), QStringLiteral("HREF"));
    const QList<QStringList> rows =
        parseCsv(runCheck({QStringLiteral("--resources"), QStringLiteral("--format=csv"), document}).out);
    ASSERT_EQ(rows.size(), 4);
    EXPECT_EQ(rows[0].mid(10), (QStringList{QStringLiteral("tag"), QStringLiteral("attribute")}));
    EXPECT_EQ(rows[1].mid(10), (QStringList{QStringLiteral("IMG"), QStringLiteral("SRC")}));

    const QString plain = runCheck({QStringLiteral("--format=csv"), document}).out;
    EXPECT_FALSE(plain.contains(QStringLiteral("tag")));
    EXPECT_EQ(parseCsv(plain).size(), 2);
}

// The options CI users give: which links are left out, what web requests carry and how long they may take,
// which statuses count as OK. Each row checks one document's links with some options; the codes come in
// document order, and each reason fragment must appear in the text report of the link it belongs to.
struct RequestOptionCase {
    const char* name;
    QStringList options;
    QList<int> codes;
    QList<std::pair<int, const char*>> reasons; // link index, part of its reason
    const char* lastPath = nullptr;             // a web link of this row's own after the others
};

void PrintTo(const RequestOptionCase& c, std::ostream* out)
{
    *out << c.name;
}

class RequestOptions : public ::testing::TestWithParam<RequestOptionCase> {};

const QString TokenFor1 = QStringLiteral("--header=127.0.0.1=X-Token: secret");

TEST_P(RequestOptions, DecideWhatIsCheckedAndHow)
{
    if (const QString missing = LoopbackServers::missingPrerequisite(); !missing.isEmpty())
        GTEST_SKIP() << missing.toStdString();
    LoopbackServerOptions serverOptions;
    serverOptions.hosts = {QStringLiteral("127.0.0.1"), QStringLiteral("127.0.0.2")};
    LoopbackServers servers(serverOptions);
    ASSERT_TRUE(servers.isReady()) << servers.errorText().toStdString();
    QTemporaryDir dir;
    const QString document = dir.filePath(QStringLiteral("doc.html"));
    QString text = QStringLiteral("<html>\n");
    for (const char* path : {"/ok/a.html", "/header/X-Token/secret", "/redirect-to/127.0.0.2/header/X-Token/secret",
                             "/status/403/x.html", "/header/User-Agent/CheckBot", "/status/999/y.html"})
        text += QStringLiteral("<a href=\"%1\">x</a>\n")
                    .arg(servers.url(QStringLiteral("127.0.0.1"), QString::fromLatin1(path)));
    text += QStringLiteral("<a href=\"missing.html\">x</a>\n");
    const RequestOptionCase& c = GetParam();
    if (c.lastPath)
        text += QStringLiteral("<a href=\"%1\">x</a>\n")
                    .arg(servers.url(QStringLiteral("127.0.0.1"), QString::fromLatin1(c.lastPath)));
    writeFile(document, text.toUtf8());

    const CommandResult tsv = runCheck(QStringList{QStringLiteral("--format=tsv")} + c.options + QStringList{document});
    QList<int> codes;
    for (const QString& line : tsv.out.split(u'\n', Qt::SkipEmptyParts))
        codes.append(line.section(u'\t', 1, 1).toInt());
    EXPECT_EQ(codes, c.codes) << tsv.out.toStdString() << tsv.err.toStdString();
    const QStringList lines = runCheck(c.options + QStringList{document}).out.split(u'\n', Qt::SkipEmptyParts);
    for (const auto& [index, reason] : c.reasons)
        EXPECT_TRUE(lines.value(index).contains(QString::fromUtf8(reason))) << lines.value(index).toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    ReportOptions, RequestOptions,
    ::testing::Values(
        RequestOptionCase{
            "Default",
            {},
            {-1, 100, 100, 100, 100, 100, 101},
            {{3, "403 Forbidden; the site may refuse automated checks"}, {5, "999; the site may refuse"}}},
        // The header goes to its host only: the redirect to 127.0.0.2 arrives without it.
        RequestOptionCase{"HeaderAndUserAgent",
                          {TokenFor1, QStringLiteral("--user-agent=CheckBot")},
                          {-1, -1, 100, 100, -1, 100, 101},
                          {{2, "403 Forbidden"}}},
        RequestOptionCase{"Accept",
                          {QStringLiteral("--accept=403,999")},
                          {-1, -1, -1, -1, -1, -1, 101},
                          {{3, "accepted status 403"}, {5, "accepted status 999"}}},
        RequestOptionCase{"Exclude",
                          {QStringLiteral("--exclude=/status/"), QStringLiteral("--exclude=missing")},
                          {-1, 100, 100, 96, 100, 96, 96},
                          {{3, "matches the exclude pattern /status/"}, {6, "the exclude pattern missing"}}},
        // An include wins over the excludes; given any, an address matching none is left out.
        RequestOptionCase{"IncludeWins",
                          {QStringLiteral("--include=/ok/"), QStringLiteral("--exclude=127")},
                          {-1, 96, 96, 96, 96, 96, 96},
                          {{1, "exclude pattern 127"}, {6, "matches no include pattern"}}},
        RequestOptionCase{
            "Offline", {QStringLiteral("--offline")}, {96, 96, 96, 96, 96, 96, 101}, {{0, "without the network"}}},
        // The deadline a link's whole request gets, named in the reason.
        RequestOptionCase{"Timeout",
                          {QStringLiteral("--timeout=1")},
                          {-1, 100, 100, 100, 100, 100, 101, 100},
                          {{7, "no complete answer within 1 s"}},
                          "/delay/3000/ok/slow.html"}),
    [](const ::testing::TestParamInfo<RequestOptionCase>& info) { return std::string(info.param.name); });

} // namespace
