#include "window/StartDocument.h"
#include "LoopbackServers.h"
#include "WindowFixture.h"
#include "store/History.h"

#include <QDir>
#include <QUrl>

namespace {

// --- What the command line names, as the path box takes it ---------------------------------------------------

struct ArgumentCase {
    const char* name;
    const char* argument;
    const char* path; // "@/" stands for the current folder and a slash
    friend void PrintTo(const ArgumentCase& c, std::ostream* out) { *out << c.name; }
};

class StartArgument : public ::testing::TestWithParam<ArgumentCase> {};

TEST_P(StartArgument, BecomesThePathBoxText)
{
    const QString expected =
        QString::fromUtf8(GetParam().path).replace(QStringLiteral("@/"), QDir::currentPath() + u'/');
    EXPECT_EQ(startDocumentPath(QString::fromUtf8(GetParam().argument)), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, StartArgument,
    ::testing::Values(
        // Web addresses go to the loader as given, blanks trimmed.
        ArgumentCase{"httpAsGiven", "http://127.0.0.1:8080/a%20b.html", "http://127.0.0.1:8080/a%20b.html"},
        ArgumentCase{"httpsTrimmed", " HTTPS://example.org/links.html ", "HTTPS://example.org/links.html"},
        ArgumentCase{"ftpAsGiven", "ftp://example.org/pub/index.html", "ftp://example.org/pub/index.html"},
        // file: URLs, as desktops pass them for %u, name local files, percent-encoding decoded.
        ArgumentCase{"fileUrlDecoded", "file:///home/user/%E6%97%A5%E6%9C%AC%20page.html", "/home/user/日本 page.html"},
        ArgumentCase{"fileUrlUpperCase", "FILE:///tmp/upper.html", "/tmp/upper.html"},
        ArgumentCase{"fileUrlLocalhost", "file://localhost/tmp/local.html", "/tmp/local.html"},
        ArgumentCase{"fileUrlRelative", "file:relative.html", "@/relative.html"},
        // A file: URL that names no file stays as typed; the load reports it.
        ArgumentCase{"fileUrlNamingNoFile", "file:", "@/file:"},
        // Paths: absolute as given, relative ones against the current folder.
        ArgumentCase{"absolutePath", "/srv/www/index.html", "/srv/www/index.html"},
        ArgumentCase{"relativePath", "docs/index.html", "@/docs/index.html"},
        ArgumentCase{"dashedName", "-dash.html", "@/-dash.html"},
        // Nothing named: the window starts empty.
        ArgumentCase{"empty", "", ""}, ArgumentCase{"blank", " \t", ""}));

// --- The window opening it at start ---------------------------------------------------------------------------

using OpenAtStart = WindowFixture;

TEST_F(OpenAtStart, AFileUrlLoadsTheFileAsTheLoadButtonDoes)
{
    const QString path =
        writeDocument(QStringLiteral("開始 page.html"), "<html>\x93\xfa\x96\x7b<a href=gone.html>x</a>");
    window.openAtStart(QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded));
    waitUntilIdle();
    EXPECT_TRUE(prompter.asked.isEmpty()) << messages().join(u'|').toStdString();
    EXPECT_TRUE(window.document().docLoaded);
    EXPECT_EQ(window.document().docPath, path);
    EXPECT_EQ(control<QPlainTextEdit>("pathEdit")->toPlainText(), path);
    EXPECT_EQ(window.editor().text(), QStringLiteral("<html>日本<a href=gone.html>x</a>"));
    EXPECT_EQ(shownResults(), QList{LinkResult::NgFile});
    EXPECT_EQ(window.history().historyPaths(), QStringList{path});
    expectUnlocked();
}

TEST_F(OpenAtStart, ARelativePathIsTakenFromTheCurrentFolder)
{
    const QString path = writeDocument(QStringLiteral("relative.html"), "<html>here");
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(folder.path()));
    window.openAtStart(QStringLiteral("relative.html"));
    waitUntilIdle();
    QDir::setCurrent(previous);
    EXPECT_TRUE(window.document().docLoaded);
    EXPECT_EQ(QDir(window.document().docPath).canonicalPath(), QDir(path).canonicalPath());
    EXPECT_TRUE(QDir::isAbsolutePath(window.document().docPath));
}

TEST_F(OpenAtStart, TheLoadsQuestionsAndFailuresAreAskedAndShown)
{
    prompter.answers = {Prompter::Answer::No};
    window.openAtStart(writeDocument(QStringLiteral("notes.txt"), "plain <a href=#x>"));
    waitUntilIdle();
    EXPECT_EQ(prompter.ids(), QList{PromptId::NoHtmlTag});
    EXPECT_FALSE(window.document().docLoaded);

    prompter.asked.clear();
    window.openAtStart(folder.filePath(QStringLiteral("missing.html")));
    waitUntilIdle();
    EXPECT_EQ(prompter.ids(), QList{PromptId::ReadFailed});
    EXPECT_FALSE(window.document().docLoaded);
    expectUnlocked();
}

TEST_F(OpenAtStart, NoArgumentLeavesTheWindowEmpty)
{
    window.openAtStart(QString());
    waitUntilIdle();
    EXPECT_TRUE(prompter.asked.isEmpty());
    EXPECT_FALSE(window.document().docLoaded);
    EXPECT_TRUE(control<QPlainTextEdit>("pathEdit")->toPlainText().isEmpty());
    EXPECT_TRUE(window.editor().text().isEmpty());
}

TEST_F(OpenAtStart, AUrlIsFetched)
{
    if (const QString missing = LoopbackServers::missingPrerequisite(); !missing.isEmpty())
        GTEST_SKIP() << missing.toStdString();
    LoopbackServers servers;
    ASSERT_TRUE(servers.isReady()) << servers.errorText().toStdString();
    const QString url = servers.url(QStringLiteral("127.0.0.1"), QStringLiteral("/document/start.html"));
    window.openAtStart(url);
    waitUntilIdle();
    EXPECT_TRUE(prompter.asked.isEmpty()) << messages().join(u'|').toStdString();
    EXPECT_TRUE(window.document().docLoaded);
    EXPECT_FALSE(window.document().docIsFile);
    EXPECT_EQ(window.document().docPath, url);
    EXPECT_EQ(servers.requestCount(QStringLiteral("127.0.0.1"), QStringLiteral("GET /document/start.html")), 1);
}

} // namespace
