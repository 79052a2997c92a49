#include "LoopbackServers.h"
#include "TestFiles.h"
#include "TestPaths.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct CommandResult {
    int exitCode = -1;
    QString out;
    QString err;
};

CommandResult runCheck(const QStringList& arguments, const QString& workingFolder = QString())
{
    QProcess process;
    process.setWorkingDirectory(workingFolder);
    process.start(QStringLiteral(TARNWICK_CHECK_BINARY), arguments);
    EXPECT_TRUE(process.waitForFinished(60000));
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

// The check with the output scripts read: START<TAB>CODE<TAB>VALUE.
CommandResult runTsv(const QStringList& arguments, const QString& workingFolder = QString())
{
    return runCheck(QStringList{QStringLiteral("--format=tsv")} + arguments, workingFolder);
}

TEST(CheckCommand, PrintsOneLinePerLinkAndFailsOnBrokenLinks)
{
    QTemporaryDir dir;
    // CP932 text: "日本" before the links shifts no position, a CR LF counts two.
    writeFile(dir.filePath(QStringLiteral("site/doc.html")),
              "<html>\x93\xfa\x96\x7b\r\n<a name=top></a><A HREF=\"#top\">t</A> <a href='sub/a.html#x'>"
              "<a href=missing.html><a href=\"mailto:x\"><a href=\"open>");
    writeFile(dir.filePath(QStringLiteral("site/sub/a.html")), "<p id=x>"); // the link's fragment is there
    // A relative path is taken from the working folder; the links still resolve from the document's folder.
    const CommandResult result = runTsv({QStringLiteral("site/doc.html")}, dir.path());
    EXPECT_EQ(result.exitCode, 1) << result.err.toStdString();
    EXPECT_EQ(result.out, QStringLiteral("27\t2\t#top\n48\t1\tsub/a.html#x\n71\t101\tmissing.html\n"
                                         "92\t99\tmailto:x\n111\t97\t\n"));
}

TEST(CheckCommand, AllLinksOkExitsZeroAndWarnsAboutAMissingHtmlTag)
{
    QTemporaryDir dir;
    writeFile(dir.filePath(QStringLiteral("plain.txt")), "<a name=x><a href=#x>");
    const CommandResult result = runTsv({dir.filePath(QStringLiteral("plain.txt"))});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, QStringLiteral("11\t2\t#x\n"));
    EXPECT_TRUE(result.err.contains(QStringLiteral("no HTML tag found")));
}

TEST(CheckCommand, EncodingOptionAndUtf8Output)
{
    QTemporaryDir dir;
    writeFile(dir.filePath(QStringLiteral("u.html")), "<html><a href=\"#\xe6\x97\xa5\">x</a><a name=\xe6\x97\xa5>");
    CommandResult result =
        runTsv({QStringLiteral("--encoding"), QStringLiteral("UTF-8"), dir.filePath(QStringLiteral("u.html"))});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, QStringLiteral("7\t2\t#日\n"));
    // A label names the code page as well as its name does: the UTF-8 bytes are read as Shift_JIS.
    result = runTsv({QStringLiteral("--encoding=sjis"), dir.filePath(QStringLiteral("u.html"))});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, QStringLiteral("7\t2\t#譌･\n"));
    result = runTsv({QStringLiteral("--encoding=NO-SUCH"), dir.filePath(QStringLiteral("u.html"))});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_TRUE(result.err.contains(QStringLiteral("NO-SUCH")));
}

// Detected by default: a UTF-8 page without a declaration, with Japanese link text, anchor and file name.
TEST(CheckCommand, DetectsTheEncodingOfAUtf8PageWithJapaneseNames)
{
    QTemporaryDir dir;
    writeFile(dir.filePath(QStringLiteral("ファイル.html")), "<a name=x>");
    const QString page = QStringLiteral("<html><body><a name=\"目次\">目次</a>\r\n<a href=\"#目次\">目次へ</a>\r\n"
                                        "<a href=\"ファイル.html\">ファイル</a>\r\n<a "
                                        "href=\"%E3%83%95%E3%82%A1%E3%82%A4%E3%83%AB.html#x\">エスケープ</a>\r\n"
                                        "<a href=\"ない.html\">ない</a>\r\n</body></html>\r\n");
    writeFile(dir.filePath(QStringLiteral("目次.html")), page.toUtf8());
    const QString expected =
        QStringLiteral("34\t2\t#目次\n57\t1\tファイル.html\n"
                       "87\t1\t%E3%83%95%E3%82%A1%E3%82%A4%E3%83%AB.html#x\n152\t101\tない.html\n");
    for (const QStringList& options :
         {QStringList(), QStringList{QStringLiteral("--encoding"), QStringLiteral("auto")}}) {
        const CommandResult result = runTsv(options + QStringList{dir.filePath(QStringLiteral("目次.html"))});
        EXPECT_EQ(result.exitCode, 1) << result.err.toStdString();
        EXPECT_EQ(result.out, expected);
        EXPECT_TRUE(result.err.isEmpty()) << result.err.toStdString();
    }
    // The link to the missing file aside, everything is OK.
    writeFile(dir.filePath(QStringLiteral("ない.html")), "");
    EXPECT_EQ(runTsv({dir.filePath(QStringLiteral("目次.html"))}).exitCode, 0);
}

TEST(CheckCommand, UnreadableDocumentsAndBadArguments)
{
    QTemporaryDir dir;
    CommandResult result = runTsv({dir.filePath(QStringLiteral("missing.html"))});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_TRUE(result.err.contains(QStringLiteral("could not be read")));
    EXPECT_EQ(runTsv({dir.path()}).exitCode, 2);
    result = runCheck({QStringLiteral("--frobnicate"), QStringLiteral("x.html")});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_TRUE(result.err.contains(QStringLiteral("frobnicate")));
    EXPECT_EQ(runCheck({}).exitCode, 2);
    result = runCheck({QStringLiteral("--help")});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_TRUE(result.out.contains(QStringLiteral("START<TAB>CODE<TAB>VALUE")));
}

TEST(CheckCommand, OpensADocumentByUrl)
{
    if (const QString missing = LoopbackServers::missingPrerequisite(); !missing.isEmpty())
        GTEST_SKIP() << missing.toStdString();
    LoopbackServers servers;
    ASSERT_TRUE(servers.isReady()) << servers.errorText().toStdString();
    const QString url = servers.url(QStringLiteral("127.0.0.1"), QStringLiteral("/document/doc.html"));
    CommandResult result = runTsv({url});
    EXPECT_EQ(result.exitCode, 1) << result.err.toStdString();
    const QStringList lines = result.out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 4) << result.out.toStdString();
    EXPECT_TRUE(lines[0].endsWith(QStringLiteral("\t2\t#top")));
    EXPECT_TRUE(lines[1].endsWith(QStringLiteral("\t-1\t../ok/relative.html")));
    EXPECT_TRUE(lines[2].endsWith(QStringLiteral("\t100\t../missing/gone.html")));
    EXPECT_TRUE(lines[3].contains(QStringLiteral("\t-1\thttp://127.0.0.1:")));
    EXPECT_EQ(servers.requestCount(QStringLiteral("127.0.0.1"), QStringLiteral("GET /missing/gone.html")), 1);
    // A page the server does not have is no document.
    result = runTsv({servers.url(QStringLiteral("127.0.0.1"), QStringLiteral("/missing/doc.html"))});
    EXPECT_EQ(result.exitCode, 2);
}

} // namespace
