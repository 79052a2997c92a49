#include "InetTestFixture.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

namespace {

using InetStream = InetTest;

constexpr qint64 CurlBlockBytes = CURL_MAX_WRITE_SIZE; // the most one write callback delivers

TEST_F(InetStream, EveryBlockReportIsBackedByNewData)
{
    TransferRequest request = quickRequest();
    request.maxBodyBytes = 1024 * 1024;
    control.setRequestTemplate(request);
    int blockReports = 0;
    int emptyChunks = 0;
    int completions = 0;
    QByteArray taken;
    QString typeWhileRunning;
    long statusWhileRunning = 0;
    QObject::connect(&control, &InetControl::StateChanged, [&](int state) {
        if (state == InetControl::StateResponseCompleted) {
            ++completions;
            return;
        }
        ASSERT_EQ(state, InetControl::StateBlockArrived);
        if (++blockReports == 1) {
            typeWhileRunning = control.GetHeader(QStringLiteral("Content-Type"));
            statusWhileRunning = control.ResponseCode();
        }
        // Each report stands for at least one new byte, so taking one byte per report never comes up empty.
        const QByteArray chunk = control.GetChunk(1);
        emptyChunks += chunk.isEmpty();
        taken += chunk;
    });
    const QByteArray rest = control.OpenURL(httpUrl(QStringLiteral("/big/stream.html")));
    EXPECT_EQ(emptyChunks, 0);
    EXPECT_EQ(completions, 1);
    // The response's status and headers are readable while its body streams in.
    EXPECT_EQ(typeWhileRunning, QStringLiteral("text/html"));
    EXPECT_EQ(statusWhileRunning, 200);
    // No report stands for more than one callback's worth of data.
    EXPECT_GE(blockReports, request.maxBodyBytes / CurlBlockBytes);
    EXPECT_EQ(taken.size(), blockReports);
    EXPECT_EQ(taken.size() + rest.size(), request.maxBodyBytes);
    EXPECT_TRUE((taken + rest).startsWith("0123456789abcdef"));
}

TEST_F(InetStream, HandlerTakesAChunkAndCutsAfterTheFifthRepeat)
{
    int repeats = 0;
    int depth = 0;
    int deepest = 0;
    bool cutDone = false;
    QByteArray chunk;
    QObject::connect(&control, &InetControl::StateChanged, [&](int state) {
        if (state != InetControl::StateBlockArrived)
            return;
        ++depth;
        deepest = std::max(deepest, depth);
        QCoreApplication::processEvents();
        if (++repeats == 5) {
            chunk = control.GetChunk(32765);
            cutDone = true;
            control.Cancel();
        }
        --depth;
    });
    const auto error = openExpectingError(httpUrl(QStringLiteral("/big/cut.html")));
    ASSERT_TRUE(error);
    EXPECT_TRUE(error->isCancelled()) << error->what();
    EXPECT_TRUE(cutDone);
    EXPECT_EQ(repeats, 5) << "a block was reported after the cancel";
    EXPECT_EQ(deepest, 1) << "the handler was re-entered while it processed events";
    EXPECT_FALSE(chunk.isEmpty());
    EXPECT_LE(chunk.size(), 32765);
    EXPECT_TRUE(chunk.startsWith("0123456789abcdef"));
    EXPECT_FALSE(control.StillExecuting());

    // The control is idle again and serves the next request normally.
    QObject::disconnect(&control, &InetControl::StateChanged, nullptr, nullptr);
    EXPECT_TRUE(control.OpenURL(httpUrl(QStringLiteral("/ok/after-cut.html"))).contains("/ok/after-cut.html"));
}

TEST_F(InetStream, SecondRequestFromAHandlerIsRefusedWhileOneRuns)
{
    std::optional<InetError> nestedError;
    bool tried = false;
    QObject::connect(&control, &InetControl::StateChanged, [&](int state) {
        if (state != InetControl::StateBlockArrived || tried)
            return;
        tried = true;
        EXPECT_TRUE(control.StillExecuting());
        try {
            control.OpenURL(httpUrl(QStringLiteral("/ok/nested.html")));
        } catch (const InetError& error) {
            nestedError = error;
        }
    });
    const QByteArray body = control.OpenURL(httpUrl(QStringLiteral("/ok/outer.html")));
    EXPECT_TRUE(body.contains("/ok/outer.html"));
    ASSERT_TRUE(nestedError);
    EXPECT_FALSE(nestedError->isCancelled());
}

TEST_F(InetStream, HandlerMayDestroyTheControl)
{
    // A close request handled during a request can take the control away; OpenURL must still return.
    auto* doomed = new InetControl;
    doomed->setRequestTemplate(quickRequest());
    QObject::connect(doomed, &InetControl::StateChanged, [&doomed](int) {
        QCoreApplication::processEvents();
        delete doomed;
        doomed = nullptr;
    });
    try {
        doomed->OpenURL(httpUrl(QStringLiteral("/big/closed.html")));
        ADD_FAILURE() << "OpenURL returned a body from a destroyed control";
    } catch (const InetError& error) {
        EXPECT_TRUE(error.isCancelled()) << error.what();
    }
    EXPECT_EQ(doomed, nullptr);
}

TEST_F(InetStream, AbortCheckStopsARequestThatReceivesNothing)
{
    TransferRequest request = quickRequest();
    request.stallSeconds = 60; // the stall limit must not be what ends it
    control.setRequestTemplate(request);
    int polls = 0;
    control.setAbortCheck([&] { return ++polls >= 3; });
    const auto error = openExpectingError(httpUrl(QStringLiteral("/stall/silent.html")));
    ASSERT_TRUE(error);
    EXPECT_TRUE(error->isCancelled()) << error->what();
    EXPECT_EQ(polls, 3);
    EXPECT_FALSE(control.StillExecuting());
}

} // namespace
