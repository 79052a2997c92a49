#include "web/WebCheck.h"

#include "FullCheckHarness.h"
#include "SlowHostsTest.h"
#include "WebRunning.h"

#include <QTimer>

#include <gtest/gtest.h>

namespace {

class WebCheckRunTest : public SlowHostsTest {
protected:
    static QString url(const QString& host, const QString& path) { return s_servers->url(host, path); }
    static int gets(const QString& host, const QString& path)
    {
        return s_servers->requestCount(host, QStringLiteral("GET ") + path);
    }
    static int getsStartingWith(const QString& host, const QString& pathStart)
    {
        int count = 0;
        const QJsonObject requests = s_servers->stats().value(host).toObject();
        for (auto it = requests.begin(); it != requests.end(); ++it)
            count += it.key().startsWith(QStringLiteral("GET ") + pathStart) ? it.value().toInt() : 0;
        return count;
    }

    static QString document(const QStringList& hrefs)
    {
        QString text = QStringLiteral("<html><body>\r\n");
        for (const QString& href : hrefs)
            text += QStringLiteral("<a href=\"%1\">x</a>\r\n").arg(href);
        return text + QStringLiteral("</body></html>");
    }
};

TEST_F(WebCheckRunTest, KeepsToTheLimitsAndProbesEachHostOnce)
{
    QStringList hrefs;
    for (int i = 0; i < 24; ++i)
        hrefs.append(url(i % 2 ? SlowHostB : SlowHostA, QStringLiteral("/delay/300/ok/p%1.html").arg(i)));
    fetchJson(url(PageHost, QStringLiteral("/__inflight"))); // the servers' peaks start afresh
    FullCheckHarness harness;
    ASSERT_TRUE(harness.check(document(hrefs), QStringLiteral("/nowhere"), true));
    EXPECT_EQ(harness.codes(), QList<int>(24, toCode(LinkResult::OkWeb)));

    EXPECT_EQ(harness.web.scheduler().peakRunningToOneHost(), 4);
    EXPECT_EQ(harness.web.scheduler().peakRunning(), 8);
    const QJsonObject seen = fetchJson(url(PageHost, QStringLiteral("/__inflight")));
    EXPECT_GE(seen.value(QStringLiteral("all")).toInt(), 2);
    EXPECT_LE(seen.value(QStringLiteral("hosts")).toObject().value(SlowHostA).toInt(), 4);
    EXPECT_LE(seen.value(QStringLiteral("hosts")).toObject().value(SlowHostB).toInt(), 4);
    // The first link of each host probes; the others find the host cached.
    EXPECT_EQ(gets(SlowHostA, QStringLiteral("/delay/300/ok/p0.html......")), 1);
    EXPECT_EQ(gets(SlowHostB, QStringLiteral("/delay/300/ok/p1.html......")), 1);
    EXPECT_EQ(getsStartingWith(SlowHostA, QStringLiteral("/delay/300/ok/")), 12 + 1);
    EXPECT_EQ(getsStartingWith(SlowHostB, QStringLiteral("/delay/300/ok/")), 12 + 1);
}

TEST_F(WebCheckRunTest, AStopCancelsEveryRequestAtOnceAndLeavesTheLinksUndecided)
{
    QStringList hrefs;
    for (int i = 0; i < 30; ++i)
        hrefs.append(url(StallHost, QStringLiteral("/stall/stop%1.html").arg(i)));
    FullCheckHarness harness(TransferScheduler::Limits{16, 16});
    TransferRequest patient;
    patient.stallSeconds = 60;
    harness.web.setTransferLimits(patient);
    QTimer::singleShot(500, [&] { harness.job->cancel(); });
    // Without the stop each stalled link would take a minute.
    EXPECT_FALSE(harness.check(document(hrefs), QStringLiteral("/nowhere"), true));

    EXPECT_EQ(harness.web.scheduler().runningCount(), 0);
    EXPECT_EQ(harness.web.scheduler().queuedCount(), 0);
    EXPECT_EQ(columnOf(harness.job->table(), [](const LinkEntry& e) { return e.decided; }), QList<bool>(30, false));
    EXPECT_EQ(harness.reports->waitedFor, QStringList{hrefs.first()});
    // Only the sixteen that ran ever reached the server.
    EXPECT_LE(getsStartingWith(StallHost, QStringLiteral("/stall/stop")), 16);
}

TEST_F(WebCheckRunTest, ProgressAdvancesLinkByLink)
{
    const QStringList hrefs{url(PageHost, QStringLiteral("/ok/progress1.html")), QStringLiteral("#nowhere"),
                            url(SlowHostA, QStringLiteral("/delay/200/ok/progress2.html")),
                            url(PageHost, QStringLiteral("/missing/progress3.html"))};
    FullCheckHarness harness;
    ASSERT_TRUE(harness.check(document(hrefs), QStringLiteral("/nowhere"), true));
    EXPECT_EQ(harness.codes(), (QList<int>{toCode(LinkResult::OkWeb), toCode(LinkResult::NgPage),
                                           toCode(LinkResult::OkWeb), toCode(LinkResult::NgWeb)}));
    const QList<int>& values = harness.reports->values;
    EXPECT_TRUE(std::is_sorted(values.cbegin(), values.cend()));
    EXPECT_EQ(values.last(), 4); // all four decided
    // The web links are waited for in order; the slow one while the link before it is decided.
    EXPECT_EQ(harness.reports->waitedFor.mid(0, 2), hrefs.mid(0, 1) + hrefs.mid(2, 1));
}

// While a slow first link holds up the decisions, the bar counts the later links whose answers arrived,
// and the strip keeps printing the link still being waited for.
TEST_F(WebCheckRunTest, ProgressMovesOnWhileASlowLinkIsAwaited)
{
    QStringList hrefs{url(SlowHostA, QStringLiteral("/delay/1500/ok/slow-first.html"))};
    for (int i = 0; i < 5; ++i)
        hrefs.append(url(PageHost, QStringLiteral("/ok/fast%1.html").arg(i)));
    FullCheckHarness harness;
    ASSERT_TRUE(harness.check(document(hrefs), QStringLiteral("/nowhere"), true));
    EXPECT_EQ(harness.codes(), QList<int>(6, toCode(LinkResult::OkWeb)));
    const CheckReports& reports = *harness.reports;
    bool aheadWhileFirstAwaited = false;
    for (qsizetype i = 0; i < reports.values.size(); ++i)
        aheadWhileFirstAwaited |= reports.values[i] >= 5 && reports.waitingAtValue[i] == hrefs.first();
    EXPECT_TRUE(aheadWhileFirstAwaited);
}

// Runs share the scheduler: the window's single check and a site's run go on side by side, each with its
// own verdicts and its own document's not-found cache.
TEST_F(WebCheckRunTest, RunsOfTwoDocumentsGoOnSideBySide)
{
    WebCheck web;
    DocumentWebCheck first(web, {}), second(web, {});
    QList<WebVerdict> slow;
    WebRunCallbacks callbacks;
    callbacks.decided = [&](int, const WebVerdict& verdict) { slow.append(verdict); };
    const auto slowRun = first.start({url(SlowHostA, QStringLiteral("/delay/800/ok/side.html"))}, callbacks);
    EXPECT_TRUE(checkOne(second, url(PageHost, QStringLiteral("/ok/single.html"))).exists);
    EXPECT_TRUE(slow.isEmpty()); // the quick run ended first
    EXPECT_EQ(gets(PageHost, QStringLiteral("/ok/single.html")), 1);
    EXPECT_EQ(gets(PageHost, QStringLiteral("/ok/single.html......")), 1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !slow.isEmpty(); }, 10000));
    ASSERT_EQ(slow.size(), 1);
    EXPECT_TRUE(slow.first().exists);
    EXPECT_EQ(first.notFoundCache().size(), 1);
    EXPECT_EQ(second.notFoundCache().size(), 1);
}

} // namespace
