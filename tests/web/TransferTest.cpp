#include "LoopbackTest.h"
#include "ScopedEnvironment.h"
#include "TransferFetch.h"

#include <gtest/gtest.h>

namespace {

using Transfer = LoopbackTest;

TransferRequest quick()
{
    TransferRequest request;
    request.connectTimeoutMs = 5000;
    request.stallSeconds = 5;
    return request;
}

TEST_F(Transfer, GetGivesBodyStatusHeadersAndHost)
{
    const TransferResult result = fetchResult(httpUrl(QStringLiteral("/ok/page.html")));
    ASSERT_EQ(result.outcome, TransferResult::Outcome::Completed) << result.errorText.toStdString();
    EXPECT_EQ(result.failure, WebFailure::None);
    EXPECT_TRUE(result.body.contains("ok /ok/page.html")) << result.body.constData();
    EXPECT_EQ(result.status, 200);
    EXPECT_EQ(result.header(QStringLiteral("server")), QStringLiteral("LoopbackTest/1.0"));
    EXPECT_EQ(result.header(QStringLiteral("LAST-modified")), QStringLiteral("Wed, 01 Jan 2020 00:00:00 GMT"));
    EXPECT_FALSE(result.header(QStringLiteral("Date")).isEmpty());
    EXPECT_TRUE(result.header(QStringLiteral("X-Not-Sent")).isEmpty());
    EXPECT_EQ(result.host, NormalHost);
}

TEST_F(Transfer, AnErrorStatusIsStillAnAnswerWithItsBody)
{
    const TransferResult result = fetchResult(httpUrl(QStringLiteral("/missing/gone.html")));
    EXPECT_EQ(result.outcome, TransferResult::Outcome::Completed);
    EXPECT_EQ(result.status, 404);
    EXPECT_TRUE(result.body.contains("/missing/gone.html")) << result.body.constData();

    const TransferResult bare = fetchResult(httpUrl(QStringLiteral("/noheaders/bare.html")));
    EXPECT_EQ(bare.header(QStringLiteral("Content-Type")), QStringLiteral("text/html"));
    EXPECT_TRUE(bare.header(QStringLiteral("Server")).isEmpty());
    EXPECT_TRUE(bare.header(QStringLiteral("Date")).isEmpty());
}

TEST_F(Transfer, RedirectsAreFollowedUpToTheLimitAndOnlyFinalHeadersRemain)
{
    const TransferResult result = fetchResult(httpUrl(QStringLiteral("/redirect/ok/target.html")));
    EXPECT_TRUE(result.body.contains("ok /ok/target.html")) << result.body.constData();
    EXPECT_TRUE(result.header(QStringLiteral("Location")).isEmpty());
    EXPECT_EQ(result.redirects, 1);
    EXPECT_TRUE(result.finalUrl.endsWith(QStringLiteral("/ok/target.html"))) << result.finalUrl.toStdString();

    // The host is the one requested, whatever the redirect reached.
    const TransferResult elsewhere =
        fetchResult(httpUrl(QStringLiteral("/redirect-to/%1/page.html").arg(PlainNotFoundHost)));
    EXPECT_EQ(elsewhere.status, 404);
    EXPECT_EQ(elsewhere.host, NormalHost);

    TransferRequest two = quick();
    two.maxRedirects = 2;
    EXPECT_EQ(fetchResult(httpUrl(QStringLiteral("/redirect/redirect/ok/two.html")), two).status, 200);
    const TransferResult three = fetchResult(httpUrl(QStringLiteral("/redirect/redirect/redirect/ok/three.html")), two);
    EXPECT_EQ(three.outcome, TransferResult::Outcome::Failed);
    EXPECT_EQ(three.failure, WebFailure::TooManyRedirects);
}

// A link moved for good is one whose every redirect was permanent: one temporary hop on the way, and the
// place it leads to may move again.
// A request with headers of its own for its host goes on without them where a redirect leaves that host: one
// answer still, counting every redirect and whether each was permanent.
TEST_F(Transfer, ARedirectIsPermanentOnlyWhenEveryHopIs)
{
    const struct {
        const char* path;
        bool permanent;
        int redirects;
        bool ownHeader = false;
    } cases[] = {
        {"/ok/still.html", false, 0},
        {"/moved/301/ok/a.html", true, 1},
        {"/moved/308/ok/a.html", true, 1},
        {"/moved/302/ok/a.html", false, 1},
        {"/moved/307/ok/a.html", false, 1},
        {"/moved/301/moved/308/ok/a.html", true, 2},
        {"/moved/301/moved/302/ok/a.html", false, 2},
        {"/moved/302/moved/301/ok/a.html", false, 2},
        {"/redirect-ftp/small.txt", true, 1},
        {"/moved/301/redirect-to/127.0.0.2/a.html", true, 2, true},
        {"/moved/302/redirect-to/127.0.0.2/a.html", false, 2, true},
    };
    for (const auto& c : cases) {
        TransferRequest request = quick();
        if (c.ownHeader)
            request.headers = {"X-Token: secret"};
        const TransferResult result = fetchResult(httpUrl(QString::fromLatin1(c.path)), request);
        EXPECT_EQ(result.outcome, TransferResult::Outcome::Completed) << c.path;
        EXPECT_EQ(result.permanentRedirect, c.permanent) << c.path;
        EXPECT_EQ(result.redirects, c.redirects) << c.path;
        EXPECT_EQ(result.host, NormalHost) << c.path;
    }
}

TEST_F(Transfer, OnlyHttpHttpsAndFtpAreAllowedAlsoAfterARedirect)
{
    const TransferResult redirected = fetchResult(httpUrl(QStringLiteral("/redirect-file/secret")));
    EXPECT_EQ(redirected.outcome, TransferResult::Outcome::Failed);
    EXPECT_EQ(redirected.failure, WebFailure::ProtocolNotAllowed);
    // Local files are read from disk, never through the transfer layer.
    EXPECT_EQ(fetchResult(QStringLiteral("file:///etc/passwd")).failure, WebFailure::ProtocolNotAllowed);
}

// No test resolves an unknown name: that would send a query to the machine's name server.
TEST_F(Transfer, FailuresSayWhy)
{
    const int port = LoopbackServers::closedLoopbackPort();
    ASSERT_GT(port, 0);
    const TransferResult refused = fetchResult(QStringLiteral("http://LocalHost:%1/page.html").arg(port));
    EXPECT_EQ(refused.failure, WebFailure::ConnectionRefused);
    EXPECT_FALSE(refused.errorText.isEmpty());
    EXPECT_EQ(refused.host, QStringLiteral("localhost"));
    EXPECT_EQ(refused.status, 0);

    for (const QString& url : {QStringLiteral("http://exa mple.invalid/"), QString()})
        EXPECT_EQ(fetchResult(url).failure, WebFailure::InvalidUrl) << url.toStdString();

    // Each way a server can fail to give an answer is named as what happened.
    TransferRequest bounded = quick();
    bounded.stallSeconds = 3;
    bounded.connectTimeoutMs = 2000;
    // A TLS handshake that nobody answers: the time-out of the connection, not a stall.
    const SilentListener silent;
    ASSERT_GT(silent.port(), 0);
    const QString silentTls = QStringLiteral("https://127.0.0.1:%1/tls.html").arg(silent.port());
    const std::tuple<QString, WebFailure, int> cases[] = {
        {httpUrl(QStringLiteral("/stall/never.html")), WebFailure::Stalled, 3},
        {silentTls, WebFailure::ConnectTimeout, 2},
        {httpUrl(QStringLiteral("/slowerbody/trickle.txt")), WebFailure::TooSlow, 3},
        {httpUrl(QStringLiteral("/http09/old.html")), WebFailure::NotHttp, 0},
        {httpUrl(QStringLiteral("/badstatus/odd.html")), WebFailure::NotHttp, 0},
        {httpUrl(QStringLiteral("/hugeheader/big.html")), WebFailure::HeadersTooLarge, 0},
    };
    for (const auto& [url, failure, seconds] : cases) {
        const TransferResult result = fetchResult(url, bounded);
        EXPECT_EQ(result.failure, failure) << url.toStdString() << ": " << result.errorText.toStdString();
        EXPECT_EQ(result.limitSeconds, seconds) << url.toStdString();
    }
}

TEST_F(Transfer, ByteCapTruncatesOrFails)
{
    TransferRequest capped = quick();
    capped.maxBodyBytes = 100000;
    const TransferResult truncated = fetchResult(httpUrl(QStringLiteral("/big/huge.html")), capped);
    EXPECT_EQ(truncated.outcome, TransferResult::Outcome::Completed);
    EXPECT_TRUE(truncated.truncated);
    EXPECT_EQ(truncated.body.size(), 100000);
    EXPECT_TRUE(truncated.body.startsWith("0123456789abcdef"));

    capped.failOverLimit = true;
    EXPECT_EQ(fetchResult(httpUrl(QStringLiteral("/big/huge.html")), capped).failure, WebFailure::TooLarge);
    // A body within the cap is no error.
    EXPECT_TRUE(fetchResult(httpUrl(QStringLiteral("/ok/small.html")), capped).body.contains("/ok/small.html"));
}

// A server that trickles a byte a second never trips the stall time-out; the deadline ends it, and the
// answer is judged on what arrived, as at the byte cap.
TEST_F(Transfer, TheDeadlineEndsATricklingAnswer)
{
    TransferRequest trickle = quick();
    trickle.deadlineSeconds = 2;
    const TransferResult result = fetchResult(httpUrl(QStringLiteral("/slowbody/trickle.txt")), trickle);
    EXPECT_EQ(result.outcome, TransferResult::Outcome::Completed) << result.errorText.toStdString();
    EXPECT_TRUE(result.truncated);
    EXPECT_EQ(result.status, 200);
    EXPECT_GE(result.body.size(), 1);
    EXPECT_LT(result.body.size(), 10);

    EXPECT_TRUE(result.pastDeadline);
    EXPECT_EQ(result.limitSeconds, 2);

    trickle.failOverLimit = true;
    const TransferResult failed = fetchResult(httpUrl(QStringLiteral("/slowbody/trickle2.txt")), trickle);
    EXPECT_EQ(failed.failure, WebFailure::NoCompleteAnswer);
    EXPECT_EQ(failed.limitSeconds, 2);
}

TEST_F(Transfer, CompressedBodiesAreDecodedAndBombsBoundedByTheDecodedCap)
{
    const TransferResult packed = fetchResult(httpUrl(QStringLiteral("/gzip/packed.html")));
    EXPECT_EQ(packed.header(QStringLiteral("Content-Encoding")), QStringLiteral("gzip"));
    EXPECT_EQ(packed.body.count("gzip /gzip/packed.html"), 50);

    const qint64 cap = TransferRequest().maxBodyBytes;
    const TransferResult bomb = fetchResult(httpUrl(QStringLiteral("/bomb/boom.html")));
    EXPECT_EQ(bomb.body.size(), cap);
    EXPECT_EQ(bomb.body.count('\0'), cap);
    TransferRequest strict = quick();
    strict.failOverLimit = true;
    EXPECT_EQ(fetchResult(httpUrl(QStringLiteral("/bomb/boom.html")), strict).failure, WebFailure::TooLarge);
}

TEST_F(Transfer, UrlIsSentPercentEncodedAndOtherwiseAsWritten)
{
    const QString written = httpUrl(QStringLiteral("/echo-request/a b/\u00FC%2F?x=1&amp;y=2&z=3"));
    const QByteArray echoed = fetchResult(written).body;
    const QByteArray requestLine = echoed.left(echoed.indexOf("\r\n"));
    EXPECT_EQ(requestLine, QByteArray("GET /echo-request/a%20b/%C3%BC%2F?x=1&amp;y=2&z=3 HTTP/1.1"));
    EXPECT_TRUE(echoed.contains("User-Agent: Mozilla/5.0 (compatible; Tarnwick/1.0)\n")) << echoed.constData();
    EXPECT_TRUE(echoed.contains("gzip")) << "no Accept-Encoding offered: " << echoed.constData();
}

TEST_F(Transfer, HttpsIsVerifiedAgainstTheCaFromEitherVariable)
{
    {
        ScopedEnvironment bundle("CURL_CA_BUNDLE", servers().caFile().toLocal8Bit());
        ScopedEnvironment certFile("SSL_CERT_FILE", {});
        EXPECT_EQ(fetchResult(httpsUrl(QStringLiteral("/ok/secure.html"))).status, 200);
    }
    {
        ScopedEnvironment bundle("CURL_CA_BUNDLE", {});
        ScopedEnvironment certFile("SSL_CERT_FILE", servers().caFile().toLocal8Bit());
        EXPECT_TRUE(fetchResult(httpsUrl(QStringLiteral("/ok/secure2.html"))).body.contains("ok /ok/secure2.html"));
    }
    ScopedEnvironment bundle("CURL_CA_BUNDLE", {});
    ScopedEnvironment certFile("SSL_CERT_FILE", {});
    const TransferResult untrusted = fetchResult(httpsUrl(QStringLiteral("/ok/untrusted.html")));
    EXPECT_EQ(untrusted.failure, WebFailure::TlsUntrusted) << untrusted.errorText.toStdString();
    EXPECT_EQ(servers().requestCount(NormalHost, QStringLiteral("GET /ok/untrusted.html")), 0);
}

TEST_F(Transfer, FtpFilesHaveNoStatusOrHeaders)
{
    const TransferResult small = fetchResult(ftpUrl(QStringLiteral("/small.txt")));
    EXPECT_EQ(small.body, QByteArray("small file served over FTP\n"));
    EXPECT_EQ(small.status, 0);
    EXPECT_EQ(small.host, NormalHost);
    EXPECT_EQ(fetchResult(ftpUrl(QStringLiteral("/nothere.txt"))).failure, WebFailure::RemoteFileNotFound);

    const TransferResult redirected = fetchResult(httpUrl(QStringLiteral("/redirect-ftp/small.txt")));
    EXPECT_EQ(redirected.body, QByteArray("small file served over FTP\n"));
    EXPECT_EQ(redirected.status, 0);
    EXPECT_TRUE(redirected.header(QStringLiteral("Location")).isEmpty());
}

} // namespace
