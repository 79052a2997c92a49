#include "web/Site.h"
#include "WindowFixture.h"
#include "WithLoopbackServers.h"

#include <QAction>
#include <QProcess>
#include <QTableView>

namespace {

// A folder opened as a site: its pages checked in one run, opened painted without asking the web again.
class SiteWindow : public WithLoopbackServers<WindowFixture> {
protected:
    void SetUp() override
    {
        WithLoopbackServers<WindowFixture>::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        web = servers->url(QStringLiteral("127.0.0.1"), QStringLiteral("/ok/shared.html"));
        const QByteArray link = "<a href=\"" + web.toUtf8() + "\">w</a>";
        writeDocument(QStringLiteral("site/index.html"),
                      "<html><a href=/sub/p.html#intro>in</a><a href=/sub/p.html#gone>gone</a>" + link);
        writeDocument(QStringLiteral("site/sub/p.html"), "<html><p id=intro><a href=../index.html>up</a>" + link);
        writeDocument(QStringLiteral("site/sub/clean.htm"), "<html><a href=p.html>p</a>");
        writeDocument(QStringLiteral("site/.hidden/x.html"), "<html><a href=nowhere.html>");
        site = folder.filePath(QStringLiteral("site"));
        prompter.fileNames = {site};
        control<QAction>("openFolderAction")->trigger();
        waitUntilIdle();
    }

    int webRequests() const
    {
        return servers->requestCount(QStringLiteral("127.0.0.1"), QStringLiteral("GET /ok/shared.html"));
    }
    QTableView* table() { return control<QTableView>("siteTable"); }
    QString cell(int row, int column) { return table()->model()->index(row, column).data().toString(); }

    QString web;
    QString site;
};

TEST_F(SiteWindow, EveryPageIsCheckedOnceWithSharedAnswers)
{
    ASSERT_EQ(table()->model()->rowCount(), 3) << "hidden folders are passed over";
    // Rows as listed: the page, its links, then its NG links of each class.
    const QStringList rows[] = {
        {"index.html", "3", "0", "1", "0"}, {"sub/clean.htm", "1", "0", "0", "0"}, {"sub/p.html", "2", "0", "0", "0"}};
    for (int row = 0; row < 3; ++row) {
        QStringList cells;
        for (int column = 0; column < 5; ++column)
            cells.append(cell(row, column));
        EXPECT_EQ(cells, rows[row]);
    }
    EXPECT_EQ(webRequests(), 1) << "a URL is asked once per run";
    EXPECT_EQ(control<QLabel>("siteCountLabel")->text(), QStringLiteral("3 / 3 ページ"));
    expectUnlocked();

    // The command agrees with the window on the same folder.
    QProcess command;
    command.start(QStringLiteral(TARNWICK_CHECK_BINARY), {QStringLiteral("-r"), QStringLiteral("--format=tsv"), site});
    ASSERT_TRUE(command.waitForFinished(60000));
    const QString out = QString::fromUtf8(command.readAllStandardOutput());
    EXPECT_EQ(out.count(QStringLiteral("\t101\t")), 1) << out.toStdString();
    EXPECT_EQ(out.count(QStringLiteral("\t1\t")) + out.count(QStringLiteral("\t-1\t")), 5) << out.toStdString();
}

TEST_F(SiteWindow, APageOpensPaintedWithoutNewRequestsAndItsRowFollowsItsChecks)
{
    // The next NG page from the top is the only one with a failed link.
    control<QAction>("nextFailedPageAction")->trigger();
    waitUntilIdle();
    EXPECT_EQ(window.document().docPath, site + QStringLiteral("/index.html"));
    EXPECT_EQ(shownResults(), (QList<LinkResult>{LinkResult::OkFile, LinkResult::NgFile, LinkResult::OkWeb}));
    EXPECT_EQ(webRequests(), 1);
    control<QAction>("nextFailedPageAction")->trigger();
    EXPECT_EQ(messages(), QStringList{QStringLiteral("見つかりませんでした。")});

    // The page is fixed on disk: checking it again (F5) asks the web again and its row follows.
    writeDocument(QStringLiteral("site/sub/p.html"), "<html><p id=intro><p id=gone>");
    clickAndWait("checkAllLinksButton");
    EXPECT_EQ(shownResults(), (QList<LinkResult>{LinkResult::OkFile, LinkResult::OkFile, LinkResult::OkWeb}));
    EXPECT_EQ(webRequests(), 2);
    EXPECT_EQ(cell(0, 3), QStringLiteral("0"));

    // The site's report holds every page's links.
    const QString csv = folder.filePath(QStringLiteral("site.csv"));
    prompter.fileNames = {csv};
    control<QPushButton>("saveSiteCsvButton")->click();
    QFile report(csv);
    ASSERT_TRUE(report.open(QIODevice::ReadOnly));
    EXPECT_EQ(report.readAll().count("\r\n"), 1 + 3 + 1 + 2);
}

TEST_F(SiteWindow, AStopKeepsThePagesDecided)
{
    // A second run, of the folder given as the program's argument, stopped at once: the pages decided stay.
    window.openAtStart(site);
    EXPECT_TRUE(window.runState().isBusy);
    button("exitButton")->click();
    waitUntilIdle();
    expectUnlocked();
    EXPECT_EQ(table()->model()->rowCount(), 3);
}

} // namespace
