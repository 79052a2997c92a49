#include "web/CurlMulti.h"
#include "LoopbackTest.h"

#include <QCoreApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <map>

namespace {

constexpr int WaitMs = 20000;

// Collects every finished() of one CurlMulti, counting duplicates.
class Finishes {
public:
    explicit Finishes(CurlMulti& multi)
    {
        QObject::connect(&multi, &CurlMulti::finished, [this](quint64 id, const TransferResult& result) {
            ++m_counts[id];
            m_results[id] = result;
        });
    }
    int count(quint64 id) const { return m_counts.count(id) ? m_counts.at(id) : 0; }
    const TransferResult& result(quint64 id) const { return m_results.at(id); }
    size_t size() const { return m_results.size(); }

private:
    std::map<quint64, int> m_counts;
    std::map<quint64, TransferResult> m_results;
};

TransferRequest requestFor(const QString& url, qint64 maxBodyBytes = TransferRequest().maxBodyBytes)
{
    TransferRequest request;
    request.url = url;
    request.maxBodyBytes = maxBodyBytes;
    request.connectTimeoutMs = 5000;
    request.stallSeconds = 5;
    return request;
}

using CurlMultiLoopback = LoopbackTest;

TEST_F(CurlMultiLoopback, ConcurrentTransfersFinishIndependently)
{
    CurlMulti multi;
    Finishes finishes(multi);
    std::map<quint64, QByteArray> expected; // id -> text its body must contain
    for (int i = 0; i < 6; ++i) {
        const QString path = QStringLiteral("/ok/page%1.html").arg(i);
        expected[multi.start(requestFor(httpUrl(path)))] = ("ok " + path).toUtf8();
    }
    const QString soft = servers().url(SoftNotFoundHost, QStringLiteral("/ok/page0.html"));
    expected[multi.start(requestFor(soft))] = "Everything is here.";
    expected[multi.start(requestFor(httpUrl(QStringLiteral("/gzip/packed.html"))))] = "gzip /gzip/packed.html";
    expected[multi.start(requestFor(ftpUrl(QStringLiteral("/small.txt"))))] = "small file served over FTP";
    const QString elsewhere = httpUrl(QStringLiteral("/redirect-to/%1/moved.html").arg(PlainNotFoundHost));
    const quint64 redirected = multi.start(requestFor(elsewhere));
    expected[redirected] = "<h1>Not Found</h1>";
    const quint64 big = multi.start(requestFor(httpUrl(QStringLiteral("/big/tool.exe")), 256 * 1024));
    const quint64 stalled = multi.start(requestFor(httpUrl(QStringLiteral("/stall/forever.html"))));
    // The stalled one is cancelled from a slot as soon as the big one is done.
    QObject::connect(&multi, &CurlMulti::finished, [&](quint64 id, const TransferResult&) {
        if (id == big)
            multi.cancel(stalled);
    });

    ASSERT_TRUE(QTest::qWaitFor([&] { return multi.activeCount() == 0; }, WaitMs));
    EXPECT_EQ(finishes.size(), expected.size() + 2);
    for (const auto& [id, text] : expected) {
        EXPECT_EQ(finishes.count(id), 1);
        const TransferResult& result = finishes.result(id);
        EXPECT_EQ(result.outcome, TransferResult::Outcome::Completed) << result.errorText.toStdString();
        EXPECT_TRUE(result.body.contains(text)) << text.constData() << " not in " << result.body.left(200).constData();
    }
    EXPECT_EQ(finishes.result(redirected).status, 404);
    EXPECT_EQ(finishes.result(redirected).host, NormalHost);
    EXPECT_EQ(finishes.result(redirected).finalUrl, servers().url(PlainNotFoundHost, QStringLiteral("/moved.html")));
    EXPECT_EQ(finishes.result(big).outcome, TransferResult::Outcome::Completed);
    EXPECT_TRUE(finishes.result(big).truncated);
    EXPECT_EQ(finishes.result(big).body.size(), 256 * 1024);
    EXPECT_EQ(finishes.result(big).header(QStringLiteral("content-type")), QStringLiteral("application/octet-stream"));
    EXPECT_EQ(finishes.count(stalled), 1);
    EXPECT_EQ(finishes.result(stalled).outcome, TransferResult::Outcome::Cancelled);
}

TEST_F(CurlMultiLoopback, CancelFromABlockSlotIsQueuedAndFinalOnce)
{
    CurlMulti multi;
    Finishes finishes(multi);
    const quint64 id = multi.start(requestFor(httpUrl(QStringLiteral("/big/cancelled.html"))));
    int blocks = 0;
    QObject::connect(&multi, &CurlMulti::blockArrived, [&](quint64 blockId) {
        ++blocks;
        multi.cancel(blockId);
        // Still running until the queued cancel is processed; cancelling again changes nothing.
        EXPECT_EQ(finishes.count(blockId), 0);
        QCoreApplication::processEvents();
        multi.cancel(blockId);
    });
    ASSERT_TRUE(QTest::qWaitFor([&] { return finishes.count(id) > 0; }, WaitMs));
    QCoreApplication::processEvents();
    EXPECT_EQ(blocks, 1);
    EXPECT_EQ(finishes.count(id), 1);
    EXPECT_EQ(finishes.result(id).outcome, TransferResult::Outcome::Cancelled);
    EXPECT_TRUE(finishes.result(id).body.startsWith("0123456789abcdef"));
}

TEST(CurlMulti, InvalidUrlFinishesOnTheNextTurnOfTheEventLoop)
{
    CurlMulti multi;
    Finishes finishes(multi);
    const quint64 id = multi.start(requestFor(QStringLiteral("http://exa mple.invalid/")));
    EXPECT_EQ(finishes.count(id), 0) << "finished() came before the caller had the id";
    ASSERT_TRUE(QTest::qWaitFor([&] { return finishes.count(id) > 0; }, WaitMs));
    EXPECT_EQ(finishes.result(id).outcome, TransferResult::Outcome::Failed);
    EXPECT_TRUE(finishes.result(id).errorText.contains(QStringLiteral("invalid URL")));
    EXPECT_EQ(multi.activeCount(), 0);
}

} // namespace
