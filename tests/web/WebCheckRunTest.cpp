#include "web/WebCheck.h"

#include "FullCheckHarness.h"
#include "SlowHostsTest.h"

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

TEST_F(WebCheckRunTest, StopCancelsEveryRequestAtOnce)
{
    QStringList hrefs;
    for (int i = 0; i < 30; ++i)
        hrefs.append(url(StallHost, QStringLiteral("/stall/stop%1.html").arg(i)));
    FullCheckHarness harness(TransferScheduler::Limits{16, 16});
    TransferRequest patient;
    patient.stallSeconds = 60;
    harness.web.setTransferLimits(patient);
    QTimer::singleShot(500, [&] { harness.run.abort.request(); });
    // Without the stop each stalled link would take a minute.
    EXPECT_FALSE(harness.check(document(hrefs), QStringLiteral("/nowhere"), true));

    EXPECT_EQ(harness.web.scheduler().runningCount(), 0);
    EXPECT_EQ(harness.web.scheduler().queuedCount(), 0);
    // The link being decided ends NG; the scanner stops before the next one.
    const QList<int> codes = harness.codes();
    EXPECT_EQ(codes.first(), toCode(LinkResult::NgWeb));
    EXPECT_EQ(codes.count(toCode(LinkResult::Unchecked)), 29);
    EXPECT_EQ(harness.progress.shownLinks, QStringList{hrefs.first()});
    // Only the sixteen that ran ever reached the server.
    EXPECT_LE(getsStartingWith(StallHost, QStringLiteral("/stall/stop")), 16);
}

TEST_F(WebCheckRunTest, ProgressAdvancesLinkByLink)
{
    const QStringList hrefs{url(PageHost, QStringLiteral("/ok/progress1.html")), QStringLiteral("#nowhere"),
                            url(SlowHostA, QStringLiteral("/delay/200/ok/progress2.html")),
                            url(PageHost, QStringLiteral("/missing/progress3.html"))};
    FullCheckHarness harness;
    QList<int> decidedAtEachPoll;
    harness.progress.onPoll = [&](int) {
        decidedAtEachPoll.append(int(harness.codes().size() - harness.codes().count(toCode(LinkResult::Unchecked))));
    };
    ASSERT_TRUE(harness.check(document(hrefs), QStringLiteral("/nowhere"), true));
    EXPECT_EQ(harness.codes(), (QList<int>{toCode(LinkResult::OkWeb), toCode(LinkResult::NgPage),
                                           toCode(LinkResult::OkWeb), toCode(LinkResult::NgWeb)}));
    EXPECT_EQ(harness.progress.shownLinks, hrefs);
    EXPECT_EQ(harness.progress.lastValue, 4); // all four decided
    // The window handles events between the links, with each number of links decided so far.
    EXPECT_TRUE(std::is_sorted(decidedAtEachPoll.cbegin(), decidedAtEachPoll.cend()));
    for (int decided = 0; decided <= 4; ++decided)
        EXPECT_TRUE(decidedAtEachPoll.contains(decided)) << decided;
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
    const auto aheadWhileFirstAwaited = std::find_if(harness.progress.values.cbegin(), harness.progress.values.cend(),
                                                     [](const auto& shown) { return shown.first >= 5 && shown.second == 1; });
    EXPECT_NE(aheadWhileFirstAwaited, harness.progress.values.cend());
}

TEST_F(WebCheckRunTest, OutsideAnAnnouncedRunEachUrlIsARunOfItsOwn)
{
    FullCheckHarness harness;
    WebCheck& web = harness.web;

    // The single-link check: one request and its probe.
    EXPECT_TRUE(web.checkWebLink(url(PageHost, QStringLiteral("/ok/single.html"))).exists);
    EXPECT_EQ(gets(PageHost, QStringLiteral("/ok/single.html")), 1);
    EXPECT_EQ(gets(PageHost, QStringLiteral("/ok/single.html......")), 1);

    // A URL other than the one announced next ends the run; the verdicts stay right.
    const QString first = url(SlowHostA, QStringLiteral("/ok/announced-first.html"));
    const QString second = url(SlowHostB, QStringLiteral("/missing/announced-second.html"));
    web.prefetch({first, second});
    EXPECT_FALSE(web.checkWebLink(second).exists);
    EXPECT_EQ(web.scheduler().runningCount() + web.scheduler().queuedCount(), 0);
    EXPECT_TRUE(web.checkWebLink(first).exists);
}

} // namespace
