// tarnwick-check --jobs: the one-at-a-time check with 1, the parallel one otherwise, the same output.

#include "LoopbackTest.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct CommandResult {
    int exitCode = -1;
    QString out;
    QString err;
};

// The command is built beside the test programs: build/src next to build/tests.
QString checkCommand()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/../src/tarnwick-check");
}

CommandResult runCheck(const QStringList& arguments)
{
    QProcess process;
    process.start(checkCommand(), QStringList{QStringLiteral("--format=tsv")} + arguments);
    EXPECT_TRUE(process.waitForFinished(60000)) << process.errorString().toStdString();
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

using CheckJobsOption = LoopbackTest;

TEST_F(CheckJobsOption, EveryNumberOfJobsPrintsTheSameResults)
{
    ASSERT_TRUE(QFileInfo(checkCommand()).isExecutable()) << checkCommand().toStdString();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("doc.html"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    QString text = QStringLiteral("<html><body>\n");
    for (int i = 0; i < 12; ++i) {
        const QString path = QStringLiteral("/%1/p%2.html").arg(i % 3 == 2 ? "missing" : "ok").arg(i);
        const QString& host = i % 2 ? NormalHost : SoftNotFoundHost;
        text += QStringLiteral("<a href=\"%1\">%2</a>\n").arg(servers().url(host, path)).arg(i);
    }
    text += QStringLiteral("<a href=\"%1\">ftp</a>\n").arg(ftpUrl(QStringLiteral("/small.txt")));
    file.write(text.toUtf8());
    file.close();

    const CommandResult oneAtATime = runCheck({QStringLiteral("--jobs"), QStringLiteral("1"), path});
    EXPECT_EQ(oneAtATime.exitCode, 1) << oneAtATime.err.toStdString();
    // Four pages exist; the FTP file is judged against the host's cached HTTP not-found page, and fails.
    EXPECT_EQ(oneAtATime.out.count(QStringLiteral("\t-1\t")), 4) << oneAtATime.out.toStdString();
    for (const QStringList& jobs :
         {QStringList{}, QStringList{QStringLiteral("--jobs=3"), QStringLiteral("--per-host=1")}}) {
        const CommandResult parallel = runCheck(jobs + QStringList{path});
        EXPECT_EQ(parallel.exitCode, oneAtATime.exitCode);
        EXPECT_EQ(parallel.out, oneAtATime.out) << jobs.join(u' ').toStdString();
    }
}

TEST(CheckJobsOptionValues, CountsBelowOneOrNotNumbersAreRefused)
{
    for (const char* bad : {"--jobs=0", "--jobs=many", "--per-host=0", "--per-host=-2"}) {
        const CommandResult result = runCheck({QString::fromLatin1(bad), QStringLiteral("doc.html")});
        EXPECT_EQ(result.exitCode, 2) << bad;
        EXPECT_TRUE(result.err.contains(QStringLiteral("--jobs"))) << bad;
    }
    EXPECT_TRUE(runCheck({QStringLiteral("--help")}).out.contains(QStringLiteral("--jobs <N>")));
}

} // namespace
