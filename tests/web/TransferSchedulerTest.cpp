#include "web/TransferScheduler.h"

#include "SlowHostsTest.h"
#include "TransferFetch.h"

#include <QCoreApplication>
#include <QDeadlineTimer>

#include <gtest/gtest.h>

namespace {

constexpr int WaitMs = 30000;

// Hosts that all serve every path, so that slow answers can come from several at once; stalled
// requests get a host of their own.
class TransferSchedulerTest : public SlowHostsTest {
public:
    static inline const QStringList Hosts{PageHost, SlowHostA, SlowHostB};

protected:
    void SetUp() override
    {
        SlowHostsTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        inFlight(); // the peaks start afresh for this test
    }

    static TransferRequest request(const QString& host, const QString& path, int stallSeconds = 5)
    {
        TransferRequest request;
        request.url = s_servers->url(host, path);
        request.connectTimeoutMs = 5000;
        request.stallSeconds = stallSeconds;
        return request;
    }

    // Processes events until every ticket has an outcome; false when that takes unreasonably long.
    static bool waitForAll(const TransferScheduler& scheduler, const QList<TransferScheduler::Ticket>& tickets)
    {
        const QDeadlineTimer deadline(WaitMs);
        const auto allEnded = [&] {
            return std::all_of(tickets.cbegin(), tickets.cend(), [&](auto t) { return scheduler.outcome(t); });
        };
        while (!allEnded() && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 100);
        return allEnded();
    }

    // The servers' peaks of requests in progress at once since the last call.
    static QJsonObject inFlight() { return fetchJson(s_servers->url(Hosts.first(), QStringLiteral("/__inflight"))); }

    static int requests(const QString& host, const QString& path)
    {
        return s_servers->requestCount(host, QStringLiteral("GET ") + path);
    }
};

TEST_F(TransferSchedulerTest, KeepsToTheLimitsInAllAndPerHost)
{
    TransferScheduler scheduler({5, 2});
    QList<TransferScheduler::Ticket> tickets;
    for (int i = 0; i < 12; ++i) {
        const QString path = QStringLiteral("/delay/400/ok/limits%1.html").arg(i);
        tickets.append(scheduler.add(request(Hosts[i % 3], path), quint64(i), false));
    }
    // Three hosts with two places each, five places in all.
    EXPECT_EQ(scheduler.runningCount(), 5);
    EXPECT_EQ(scheduler.queuedCount(), 7);
    ASSERT_TRUE(waitForAll(scheduler, tickets));
    for (const auto ticket : tickets)
        EXPECT_EQ(scheduler.outcome(ticket)->result.status, 200);
    EXPECT_EQ(scheduler.peakRunning(), 5);
    EXPECT_EQ(scheduler.peakRunningToOneHost(), 2);

    // What the servers saw: never more at once than allowed, and really more than one at a time.
    const QJsonObject seen = inFlight();
    EXPECT_LE(seen.value(QStringLiteral("all")).toInt(), 5);
    EXPECT_GE(seen.value(QStringLiteral("all")).toInt(), 2);
    for (const QString& host : Hosts)
        EXPECT_LE(seen.value(QStringLiteral("hosts")).toObject().value(host).toInt(), 2) << host.toStdString();
}

TEST_F(TransferSchedulerTest, StartsByRankAndPassesBusyHosts)
{
    TransferScheduler scheduler({2, 1});
    QList<TransferScheduler::Ticket> ended;
    QObject::connect(&scheduler, &TransferScheduler::ended, [&](auto ticket) { ended.append(ticket); });

    const auto first = scheduler.add(request(Hosts[0], QStringLiteral("/delay/300/ok/first.html")), 50, false);
    // Host 1 is busy: its next request waits, and the other host's request goes ahead of it.
    const auto late = scheduler.add(request(Hosts[0], QStringLiteral("/ok/late.html")), 9, false);
    const auto early = scheduler.add(request(Hosts[0], QStringLiteral("/ok/early.html")), 1, false);
    const auto other = scheduler.add(request(Hosts[1], QStringLiteral("/delay/300/ok/other.html")), 20, false);
    EXPECT_EQ(scheduler.runningCount(), 2);
    EXPECT_EQ(scheduler.queuedCount(), 2);
    ASSERT_TRUE(waitForAll(scheduler, {first, late, early, other}));
    // Once the first one ends, host 1 takes its queued requests lowest rank first.
    EXPECT_LT(ended.indexOf(first), ended.indexOf(early));
    EXPECT_LT(ended.indexOf(early), ended.indexOf(late));
}

TEST_F(TransferSchedulerTest, FtpRequestsGoToAHostOneAtATime)
{
    TransferScheduler scheduler({16, 4});
    const auto ftp = [](const QString& path) {
        TransferRequest request = TransferSchedulerTest::request(Hosts[0], QString());
        request.url = s_servers->url(Hosts[0], path, LoopbackServers::Scheme::Ftp);
        return request;
    };
    QList<TransferScheduler::Ticket> tickets;
    for (const char* path : {"/small.txt", "/nothere.txt", "/small.txt"})
        tickets.append(scheduler.add(ftp(QString::fromLatin1(path)), quint64(tickets.size()), false));
    // HTTP requests to the same host still share its places with the one FTP request.
    for (int i = 0; i < 2; ++i) {
        const QString path = QStringLiteral("/delay/200/ok/beside-ftp%1.html").arg(i);
        tickets.append(scheduler.add(request(Hosts[0], path), quint64(tickets.size()), false));
    }
    EXPECT_EQ(scheduler.runningCount(), 3);
    EXPECT_EQ(scheduler.queuedCount(), 2);
    ASSERT_TRUE(waitForAll(scheduler, tickets));
    EXPECT_EQ(scheduler.outcome(tickets[0])->result.body, QByteArray("small file served over FTP\n"));
    EXPECT_EQ(scheduler.outcome(tickets[1])->result.outcome, TransferResult::Outcome::Failed);
    EXPECT_EQ(scheduler.outcome(tickets[2])->result.outcome, TransferResult::Outcome::Completed);
    EXPECT_EQ(scheduler.peakRunningToOneHost(), 3);
}

TEST_F(TransferSchedulerTest, CutsStreamingTransfersOnlyWhenAsked)
{
    TransferScheduler scheduler({16, 4});
    TransferRequest bigExe = request(Hosts[0], QStringLiteral("/big/setup.exe"));
    const auto cut = scheduler.add(bigExe, 0, true);
    bigExe.maxBodyBytes = 256 * 1024;
    const auto capped = scheduler.add(bigExe, 1, false);
    const auto small = scheduler.add(request(Hosts[1], QStringLiteral("/ok/tool.exe")), 2, true);
    ASSERT_TRUE(waitForAll(scheduler, {cut, capped, small}));

    const TransferScheduler::Outcome* cutOutcome = scheduler.outcome(cut);
    EXPECT_TRUE(cutOutcome->cut);
    EXPECT_EQ(cutOutcome->result.outcome, TransferResult::Outcome::Cancelled);
    EXPECT_GT(cutOutcome->result.body.size(), 0);
    EXPECT_LT(cutOutcome->result.body.size(), 4 * 1024 * 1024);

    EXPECT_FALSE(scheduler.outcome(capped)->cut);
    EXPECT_EQ(scheduler.outcome(capped)->result.outcome, TransferResult::Outcome::Completed);
    EXPECT_TRUE(scheduler.outcome(capped)->result.truncated);
    // A short answer ends before the rule cuts it.
    EXPECT_FALSE(scheduler.outcome(small)->cut);
    EXPECT_EQ(scheduler.outcome(small)->result.outcome, TransferResult::Outcome::Completed);
}

TEST_F(TransferSchedulerTest, CancelledRequestsEndAtOnceUnreportedAndFreeTheirPlaces)
{
    TransferScheduler scheduler({3, 3});
    int endedSignals = 0;
    QObject::connect(&scheduler, &TransferScheduler::ended, [&] { ++endedSignals; });
    QSet<TransferScheduler::Ticket> tickets;
    for (int i = 0; i < 6; ++i)
        tickets.insert(scheduler.add(request(StallHost, QStringLiteral("/stall/cancel%1.html").arg(i), 60), i, false));
    const auto kept = scheduler.add(request(Hosts[1], QStringLiteral("/delay/300/ok/kept.html")), 9, false);
    EXPECT_EQ(scheduler.runningCount(), 3);

    scheduler.cancel(tickets);
    // The request that was queued behind them starts in their place.
    EXPECT_EQ(scheduler.runningCount(), 1);
    EXPECT_EQ(scheduler.queuedCount(), 0);
    for (const auto ticket : tickets)
        EXPECT_EQ(scheduler.outcome(ticket), nullptr);
    // The handles leave curl on the next turns of the event loop; nothing cancelled is reported.
    ASSERT_TRUE(waitForAll(scheduler, {kept}));
    EXPECT_EQ(endedSignals, 1);
    for (int i = 3; i < 6; ++i)
        EXPECT_EQ(requests(StallHost, QStringLiteral("/stall/cancel%1.html").arg(i)), 0);
}

// More large bodies at once than the memory budget holds: the transfers past it wait their turn, and every
// one still ends with its whole capped body.
TEST_F(TransferSchedulerTest, LargeBodiesBeyondTheMemoryBudgetAllEnd)
{
    constexpr int Bodies = 48;
    TransferScheduler scheduler({Bodies, Bodies / 3});
    QList<TransferScheduler::Ticket> tickets;
    // Each body pauses after 3 MiB, so that all of them would be in flight at once.
    for (int i = 0; i < Bodies; ++i)
        tickets.append(
            scheduler.add(request(Hosts[i % 3], QStringLiteral("/bigpause/budget%1.html").arg(i)), i, false));
    ASSERT_TRUE(waitForAll(scheduler, tickets));
    for (const auto ticket : tickets) {
        EXPECT_EQ(scheduler.outcome(ticket)->result.outcome, TransferResult::Outcome::Completed);
        EXPECT_EQ(scheduler.outcome(ticket)->result.body.size(), TransferRequest().maxBodyBytes);
    }
    // 48 bodies of 3 MiB and more would take 144 MiB and more; the budget keeps them near its limit: past it only
    // the leader's body and each transfer's allowance, each up to twice over as buffers grow ahead of the bytes.
    const qint64 bound =
        BodyBudget::DefaultLimit + 2 * (TransferRequest().maxBodyBytes + Bodies * BodyBudget::Allowance);
    EXPECT_LE(scheduler.peakBufferedBytes(), bound);
    EXPECT_GT(scheduler.peakBufferedBytes(), BodyBudget::DefaultLimit / 2); // the measure measures
}

// curl never calls back a transfer paused for want of memory, so it cannot keep that transfer's deadline:
// behind a leader that falls silent, the paused transfers still end by theirs, with what had arrived.
TEST_F(TransferSchedulerTest, PausedTransfersEndByTheirDeadline)
{
    TransferScheduler scheduler({8, 8, 1}); // past its allowance, every body waits for the leader
    // All start at once; the others answer a second later, when the leader has passed its allowance.
    const auto leader = scheduler.add(request(Hosts[0], QStringLiteral("/bigstall/leader.html"), 60), 0, false);
    QList<TransferScheduler::Ticket> waiting;
    for (int i = 0; i < 3; ++i) {
        TransferRequest paused = request(Hosts[1], QStringLiteral("/delay/1000/big/paused%1.html").arg(i), 60);
        paused.deadlineSeconds = 3;
        waiting.append(scheduler.add(paused, 1 + i, false));
    }
    // The leader stays silent for a minute: a paused transfer that waited for it would not end in time.
    ASSERT_TRUE(waitForAll(scheduler, waiting));
    for (const auto ticket : waiting) {
        const TransferResult& result = scheduler.outcome(ticket)->result;
        // Cut at the deadline, but the wait was the budget's: judged on what arrived, not as a trickle.
        EXPECT_EQ(result.outcome, TransferResult::Outcome::Completed);
        EXPECT_TRUE(result.truncated);
        EXPECT_FALSE(result.pastDeadline);
        EXPECT_GE(result.body.size(), 1);
        EXPECT_LT(result.body.size(), TransferRequest().maxBodyBytes);
    }
    EXPECT_FALSE(scheduler.outcome(leader));
    scheduler.cancel({leader});
}

// With one place in all, the host with the most request time ahead of it goes first: before any answer
// of theirs, the host with more requests.
TEST_F(TransferSchedulerTest, TheLongestQueueStartsFirst)
{
    TransferScheduler scheduler({1, 1});
    QList<TransferScheduler::Ticket> ended;
    QObject::connect(&scheduler, &TransferScheduler::ended, [&](auto ticket) { ended.append(ticket); });
    const auto busy = scheduler.add(request(Hosts[2], QStringLiteral("/delay/200/ok/busy.html")), 0, false);
    const auto lone = scheduler.add(request(Hosts[0], QStringLiteral("/ok/lone.html")), 1, false);
    QList<TransferScheduler::Ticket> queue;
    for (int i = 0; i < 3; ++i)
        queue.append(
            scheduler.add(request(Hosts[1], QStringLiteral("/ok/queue%1.html").arg(i)), quint64(2 + i), false));
    ASSERT_TRUE(waitForAll(scheduler, QList{busy, lone} + queue));
    EXPECT_EQ(ended.mid(0, 2), (QList{busy, queue[0]}));
}

// The request waited for goes before the others, whatever their hosts' queues.
TEST_F(TransferSchedulerTest, AHurriedRequestStartsFirst)
{
    TransferScheduler scheduler({1, 1});
    QList<TransferScheduler::Ticket> ended;
    QObject::connect(&scheduler, &TransferScheduler::ended, [&](auto ticket) { ended.append(ticket); });
    const auto busy = scheduler.add(request(Hosts[2], QStringLiteral("/delay/200/ok/busy2.html")), 0, false);
    QList<TransferScheduler::Ticket> queue;
    for (int i = 0; i < 3; ++i)
        queue.append(scheduler.add(request(Hosts[1], QStringLiteral("/ok/hq%1.html").arg(i)), quint64(1 + i), false));
    const auto awaited = scheduler.add(request(Hosts[0], QStringLiteral("/ok/awaited.html")), 9, false);
    scheduler.hurry(awaited);
    ASSERT_TRUE(waitForAll(scheduler, QList{busy, awaited} + queue));
    EXPECT_EQ(ended.mid(0, 2), (QList{busy, awaited}));
}

// A 503 with a short Retry-After is asked once more after the wait, and the host's other requests wait too.
TEST_F(TransferSchedulerTest, ARetryAfterPausesTheHostAndAsksOnceMore)
{
    TransferScheduler scheduler({4, 4});
    const auto busy = scheduler.add(request(Hosts[0], QStringLiteral("/busy/503/1/ok/paused.html")), 0, false);
    // The first answer sends the request back to the queue for a second.
    const QDeadlineTimer deadline(WaitMs);
    while (scheduler.runningCount() > 0 && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 50);
    ASSERT_EQ(scheduler.queuedCount(), 1);
    const auto behind = scheduler.add(request(Hosts[0], QStringLiteral("/ok/behind-pause.html")), 1, false);
    EXPECT_EQ(scheduler.runningCount(), 0); // the host is paused
    const auto otherHost = scheduler.add(request(Hosts[1], QStringLiteral("/ok/not-paused.html")), 2, false);
    EXPECT_EQ(scheduler.runningCount(), 1);
    ASSERT_TRUE(waitForAll(scheduler, {busy, behind, otherHost}));
    EXPECT_EQ(scheduler.outcome(busy)->result.status, 200);
    EXPECT_EQ(requests(Hosts[0], QStringLiteral("/busy/503/1/ok/paused.html")), 2);
    EXPECT_EQ(scheduler.outcome(behind)->result.status, 200);
}

} // namespace
