#include "InetTestFixture.h"

#include <gtest/gtest.h>

namespace {

using InetHttp = InetTest;

TEST_F(InetHttp, GetGivesBodyStatusHeadersAndHost)
{
    const QByteArray body = control.OpenURL(httpUrl(QStringLiteral("/ok/page.html")));
    EXPECT_TRUE(body.contains("ok /ok/page.html")) << body.constData();
    EXPECT_EQ(control.ResponseCode(), 200);
    EXPECT_EQ(control.GetHeader(QStringLiteral("server")), QStringLiteral("LoopbackTest/1.0"));
    EXPECT_EQ(control.GetHeader(QStringLiteral("LAST-modified")), QStringLiteral("Wed, 01 Jan 2020 00:00:00 GMT"));
    EXPECT_FALSE(control.GetHeader(QStringLiteral("Date")).isEmpty());
    EXPECT_TRUE(control.GetHeader(QStringLiteral("X-Not-Sent")).isEmpty());
    EXPECT_EQ(control.RemoteHost(), NormalHost);
    EXPECT_FALSE(control.StillExecuting());
}

TEST_F(InetHttp, NotFoundGivesStatusAndBody)
{
    const QByteArray body = control.OpenURL(httpUrl(QStringLiteral("/missing/gone.html")));
    EXPECT_EQ(control.ResponseCode(), 404);
    EXPECT_TRUE(body.contains("/missing/gone.html")) << body.constData();
}

TEST_F(InetHttp, AbsentHeadersAreEmpty)
{
    const QByteArray body = control.OpenURL(httpUrl(QStringLiteral("/noheaders/bare.html")));
    EXPECT_TRUE(body.contains("/noheaders/bare.html"));
    EXPECT_EQ(control.ResponseCode(), 200);
    EXPECT_EQ(control.GetHeader(QStringLiteral("Content-Type")), QStringLiteral("text/html"));
    EXPECT_TRUE(control.GetHeader(QStringLiteral("Server")).isEmpty());
    EXPECT_TRUE(control.GetHeader(QStringLiteral("Date")).isEmpty());
    EXPECT_TRUE(control.GetHeader(QStringLiteral("Last-Modified")).isEmpty());
}

TEST_F(InetHttp, RedirectIsFollowedAndOnlyFinalHeadersRemain)
{
    const QByteArray body = control.OpenURL(httpUrl(QStringLiteral("/redirect/redirect/ok/target.html")));
    EXPECT_TRUE(body.contains("ok /ok/target.html")) << body.constData();
    EXPECT_EQ(control.ResponseCode(), 200);
    // Only the 301 answers carried Location.
    EXPECT_TRUE(control.GetHeader(QStringLiteral("Location")).isEmpty());
    EXPECT_EQ(control.GetHeader(QStringLiteral("Last-Modified")), QStringLiteral("Wed, 01 Jan 2020 00:00:00 GMT"));
}

TEST_F(InetHttp, RemoteHostIsTheRequestedOneAfterARedirectElsewhere)
{
    const QByteArray body =
        control.OpenURL(httpUrl(QStringLiteral("/redirect-to/%1/page.html").arg(PlainNotFoundHost)));
    EXPECT_EQ(control.ResponseCode(), 404);
    EXPECT_FALSE(body.contains("page.html"));
    EXPECT_EQ(control.RemoteHost(), NormalHost);
}

TEST_F(InetHttp, RedirectToLocalFileFails)
{
    const auto error = openExpectingError(httpUrl(QStringLiteral("/redirect-file/secret")));
    ASSERT_TRUE(error);
    EXPECT_FALSE(error->isCancelled());
    // Local files are read from disk, never through the transfer layer.
    EXPECT_TRUE(openExpectingError(QStringLiteral("file:///etc/passwd")));
}

TEST_F(InetHttp, RedirectLimitIsExact)
{
    TransferRequest request = quickRequest();
    request.maxRedirects = 2;
    control.setRequestTemplate(request);
    EXPECT_NO_THROW(control.OpenURL(httpUrl(QStringLiteral("/redirect/redirect/ok/two.html"))));
    const auto error = openExpectingError(httpUrl(QStringLiteral("/redirect/redirect/redirect/ok/three.html")));
    ASSERT_TRUE(error);
    EXPECT_FALSE(error->isCancelled());
}

// No test resolves an unknown name: that would send a query to the machine's name server.
TEST_F(InetHttp, RefusedConnectionFailsAndHostIsLowerCase)
{
    const int port = LoopbackServers::closedLoopbackPort();
    ASSERT_GT(port, 0);
    const auto error = openExpectingError(QStringLiteral("http://LocalHost:%1/page.html").arg(port));
    ASSERT_TRUE(error);
    EXPECT_FALSE(error->isCancelled());
    EXPECT_FALSE(error->reason().isEmpty());
    EXPECT_EQ(control.RemoteHost(), QStringLiteral("localhost"));
    EXPECT_EQ(control.ResponseCode(), 0);
}

TEST_F(InetHttp, InvalidUrlFailsCleanly)
{
    for (const QString& url : {QStringLiteral("http://exa mple.invalid/"), QString()}) {
        const auto error = openExpectingError(url);
        ASSERT_TRUE(error) << url.toStdString();
        EXPECT_FALSE(error->isCancelled());
        EXPECT_TRUE(error->reason().contains(QStringLiteral("invalid URL"))) << error->what();
    }
}

TEST_F(InetHttp, StalledServerFails)
{
    TransferRequest request = quickRequest();
    request.stallSeconds = 2;
    control.setRequestTemplate(request);
    const auto error = openExpectingError(httpUrl(QStringLiteral("/stall/never.html")));
    ASSERT_TRUE(error);
    EXPECT_FALSE(error->isCancelled());
}

TEST_F(InetHttp, ByteCapTruncatesOrFails)
{
    TransferRequest request = quickRequest();
    request.maxBodyBytes = 100000;
    control.setRequestTemplate(request);
    const QByteArray body = control.OpenURL(httpUrl(QStringLiteral("/big/huge.html")));
    EXPECT_EQ(body.size(), 100000);
    EXPECT_TRUE(body.startsWith("0123456789abcdef"));

    request.failOverLimit = true;
    control.setRequestTemplate(request);
    const auto error = openExpectingError(httpUrl(QStringLiteral("/big/huge.html")));
    ASSERT_TRUE(error);
    EXPECT_FALSE(error->isCancelled());
    EXPECT_TRUE(error->reason().contains(QStringLiteral("too large"))) << error->what();
    // A body within the cap is no error.
    EXPECT_TRUE(control.OpenURL(httpUrl(QStringLiteral("/ok/small.html"))).contains("/ok/small.html"));
}

TEST_F(InetHttp, GzipBodyIsDecoded)
{
    const QByteArray body = control.OpenURL(httpUrl(QStringLiteral("/gzip/packed.html")));
    EXPECT_EQ(control.GetHeader(QStringLiteral("Content-Encoding")), QStringLiteral("gzip"));
    EXPECT_TRUE(body.startsWith("<html><body><p>gzip /gzip/packed.html")) << body.left(80).constData();
    EXPECT_EQ(body.count("gzip /gzip/packed.html"), 50);
}

TEST_F(InetHttp, CompressionBombIsBoundedByTheDecodedCap)
{
    const qint64 cap = TransferRequest().maxBodyBytes;
    const QByteArray body = control.OpenURL(httpUrl(QStringLiteral("/bomb/boom.html")));
    EXPECT_EQ(body.size(), cap);
    EXPECT_EQ(body.count('\0'), cap);

    TransferRequest request = quickRequest();
    request.failOverLimit = true;
    control.setRequestTemplate(request);
    const auto error = openExpectingError(httpUrl(QStringLiteral("/bomb/boom.html")));
    ASSERT_TRUE(error);
    EXPECT_TRUE(error->reason().contains(QStringLiteral("too large"))) << error->what();
}

TEST_F(InetHttp, UrlIsSentPercentEncodedAndOtherwiseAsWritten)
{
    const QString written = httpUrl(QStringLiteral("/echo-request/a b/\u00FC%2F?x=1&amp;y=2&z=3"));
    const QByteArray echoed = control.OpenURL(written);
    const QByteArray requestLine = echoed.left(echoed.indexOf("\r\n"));
    EXPECT_EQ(requestLine, QByteArray("GET /echo-request/a%20b/%C3%BC%2F?x=1&amp;y=2&z=3 HTTP/1.1"));
    EXPECT_TRUE(echoed.contains("User-Agent: Mozilla/5.0 (compatible; Tarnwick/1.0)\n")) << echoed.constData();
    EXPECT_TRUE(echoed.contains("gzip")) << "no Accept-Encoding offered: " << echoed.constData();
}

} // namespace
