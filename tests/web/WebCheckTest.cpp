#include "web/WebCheck.h"
#include "LoopbackTest.h"
#include "ScopedEnvironment.h"
#include "common/CodePage.h"
#include "common/RunState.h"

#include <QTimer>

namespace {

// A web check against the loopback servers, one link after the other as the single-link check makes them.
class WebCheckTest : public LoopbackTest {
protected:
    void SetUp() override
    {
        LoopbackTest::SetUp();
        TransferRequest limits;
        limits.connectTimeoutMs = 5000;
        limits.stallSeconds = 3;
        web.setTransferLimits(limits);
    }

    int gets(const QString& host, const QString& path) const
    {
        return servers().requestCount(host, QStringLiteral("GET ") + path);
    }

    RunState run;
    WebCheck web{run.abort};
};

TEST_F(WebCheckTest, ExistingPageIsOkAndItsHostProbedOnce)
{
    const WebVerdict first = web.checkWebLink(httpUrl(QStringLiteral("/ok/one.html")));
    EXPECT_TRUE(first.exists);
    EXPECT_EQ(first.reason, WebReason::Answered);
    EXPECT_EQ(first.status, 200);
    EXPECT_TRUE(web.checkWebLink(httpUrl(QStringLiteral("/ok/two.html"))).exists);
    EXPECT_EQ(gets(NormalHost, QStringLiteral("/ok/one.html......")), 1);
    EXPECT_EQ(gets(NormalHost, QStringLiteral("/ok/two.html......")), 0);
    EXPECT_EQ(web.notFoundCache().size(), 1);
}

TEST_F(WebCheckTest, MissingPagesAreNgOnEveryKindOfHostAndSayWhy)
{
    const auto expectNg = [this](const QString& url, WebReason reason, long status) {
        const WebVerdict verdict = web.checkWebLink(url);
        EXPECT_FALSE(verdict.exists) << url.toStdString();
        EXPECT_EQ(verdict.reason, reason) << url.toStdString();
        EXPECT_EQ(verdict.status, status) << url.toStdString();
    };
    expectNg(httpUrl(QStringLiteral("/missing/first.html")), WebReason::HttpError, 404);
    // Later links on an echoing host are compared with the first link's cached answer.
    expectNg(httpUrl(QStringLiteral("/missing/second.html")), WebReason::HttpError, 404);
    expectNg(servers().url(PlainNotFoundHost, QStringLiteral("/ok/a.html")), WebReason::HttpError, 404);
    // A host answering every path alike: the page equals its not-found answer.
    expectNg(servers().url(SoftNotFoundHost, QStringLiteral("/ok/a.html")), WebReason::SameAsNotFound, 200);
    expectNg(httpUrl(QStringLiteral("/noheaders/a.html")), WebReason::MissingHeaders, 200);
    expectNg(httpUrl(QStringLiteral("/redirect/missing/a.html")), WebReason::HttpError, 404);
}

TEST_F(WebCheckTest, RedirectsAndHttpsAreFollowed)
{
    const ScopedEnvironment ca("CURL_CA_BUNDLE", servers().caFile().toLocal8Bit());
    const WebVerdict redirected = web.checkWebLink(httpUrl(QStringLiteral("/redirect/ok/target.html")));
    EXPECT_TRUE(redirected.exists);
    EXPECT_TRUE(redirected.finalUrl.endsWith(QStringLiteral("/ok/target.html"))) << redirected.finalUrl.toStdString();
    EXPECT_TRUE(web.checkWebLink(httpsUrl(QStringLiteral("/ok/secure.html"))).exists);
    EXPECT_TRUE(web.checkWebLink(httpUrl(QStringLiteral("/gzip/packed.html"))).exists);
}

TEST_F(WebCheckTest, LargeBodiesAreJudgedOnWhatArrivedAndExeLinksAreCut)
{
    EXPECT_TRUE(web.checkWebLink(httpUrl(QStringLiteral("/big/data.bin"))).exists);
    const WebVerdict exe = web.checkWebLink(httpUrl(QStringLiteral("/big/setup.EXE")));
    EXPECT_TRUE(exe.exists);
    EXPECT_EQ(exe.reason, WebReason::CutWhileStreaming);
    // The .EXE link's probe was made and cached like any other.
    EXPECT_EQ(web.notFoundCache().size(), 1);
}

TEST_F(WebCheckTest, FtpLinks)
{
    EXPECT_TRUE(web.checkWebLink(ftpUrl(QStringLiteral("/small.txt"))).exists);
    EXPECT_EQ(web.checkWebLink(ftpUrl(QStringLiteral("/big.bin"))).reason, WebReason::CutWhileStreaming);
    const WebVerdict missing = web.checkWebLink(ftpUrl(QStringLiteral("/nothere.txt")));
    EXPECT_FALSE(missing.exists);
    EXPECT_EQ(missing.failure, WebFailure::RemoteFileNotFound);
    // An FTP probe brings nothing back, so nothing is cached for the host.
    EXPECT_EQ(web.notFoundCache().size(), 0);
}

TEST_F(WebCheckTest, EntitiesAreDecodedAndTheFragmentLookedUpWithoutChangingTheVerdict)
{
    EXPECT_TRUE(web.checkWebLink(httpUrl(QStringLiteral("/echo-request/q?a=1&amp;b=2"))).exists);
    EXPECT_EQ(gets(NormalHost, QStringLiteral("/echo-request/q?a=1&b=2")), 1);
    const WebVerdict fragment = web.checkWebLink(httpUrl(QStringLiteral("/ok/page.html#nosuchfragment")));
    EXPECT_TRUE(fragment.exists);
    EXPECT_EQ(fragment.fragmentFound, false);
    EXPECT_EQ(gets(NormalHost, QStringLiteral("/ok/page.html")), 1);
    EXPECT_EQ(web.checkWebLink(httpUrl(QStringLiteral("/document/doc.html#TOP"))).fragmentFound, true);
    EXPECT_FALSE(web.checkWebLink(httpUrl(QStringLiteral("/ok/plain.html"))).fragmentFound.has_value());
}

// A server that ignores query values it does not know answers a probe that keeps the query with the
// link's own page: the probe asks for the path with the full stops, without the query.
TEST_F(WebCheckTest, ALinkWithAQueryIsProbedWithoutIt)
{
    EXPECT_TRUE(web.checkWebLink(httpUrl(QStringLiteral("/query/page.php?id=5"))).exists);
    EXPECT_EQ(gets(NormalHost, QStringLiteral("/query/page.php......")), 1);
    EXPECT_EQ(gets(NormalHost, QStringLiteral("/query/page.php?id=5......")), 0);
    // Without a query, the probe is the URL with the full stops, as always.
    EXPECT_TRUE(web.checkWebLink(servers().url(SoftNotFoundHost, QStringLiteral("/ok/a.html"))).reason ==
                WebReason::SameAsNotFound);
    EXPECT_EQ(servers().requestCount(SoftNotFoundHost, QStringLiteral("GET /ok/a.html......")), 1);
}

TEST_F(WebCheckTest, UnreachableTargetsSayWhy)
{
    const int closed = LoopbackServers::closedLoopbackPort();
    const WebVerdict refused = web.checkWebLink(QStringLiteral("http://127.0.0.1:%1/a.html").arg(closed));
    EXPECT_FALSE(refused.exists);
    EXPECT_EQ(refused.reason, WebReason::NoAnswer);
    EXPECT_EQ(refused.failure, WebFailure::ConnectionRefused);
    EXPECT_EQ(web.checkWebLink(httpUrl(QStringLiteral("/stall/a.html"))).failure, WebFailure::Stalled);
    EXPECT_EQ(web.checkWebLink(QStringLiteral("gopher://127.0.0.1/x")).failure, WebFailure::ProtocolNotAllowed);
    EXPECT_EQ(web.checkWebLink(httpUrl(QStringLiteral("/redirect-file/x"))).failure, WebFailure::ProtocolNotAllowed);
    const ScopedEnvironment noCa("CURL_CA_BUNDLE", {});
    const ScopedEnvironment noCertFile("SSL_CERT_FILE", {});
    EXPECT_EQ(web.checkWebLink(httpsUrl(QStringLiteral("/ok/untrusted.html"))).failure, WebFailure::TlsUntrusted);
}

TEST_F(WebCheckTest, ABusyServerIsAskedOnceMoreAfterItsRetryAfter)
{
    const WebVerdict retried = web.checkWebLink(httpUrl(QStringLiteral("/busy/503/1/ok/busy.html")));
    EXPECT_TRUE(retried.exists);
    EXPECT_EQ(gets(NormalHost, QStringLiteral("/busy/503/1/ok/busy.html")), 2);
    EXPECT_TRUE(web.checkWebLink(httpUrl(QStringLiteral("/busy/429/0/ok/many.html"))).exists);
    // A longer wait than the program takes is an answer of its own.
    const WebVerdict tooLong = web.checkWebLink(httpUrl(QStringLiteral("/busy/503/30/ok/later.html")));
    EXPECT_FALSE(tooLong.exists);
    EXPECT_EQ(tooLong.status, 503);
    EXPECT_EQ(gets(NormalHost, QStringLiteral("/busy/503/30/ok/later.html")), 1);
}

TEST_F(WebCheckTest, StopRequestEndsTheRunningCheck)
{
    QTimer::singleShot(200, [this] { run.abort.request(); });
    TransferRequest patient;
    patient.stallSeconds = 60;
    web.setTransferLimits(patient);
    const WebVerdict stopped = web.checkWebLink(httpUrl(QStringLiteral("/stall/stopped.html")));
    EXPECT_FALSE(stopped.exists);
    EXPECT_EQ(stopped.failure, WebFailure::Cancelled);
    EXPECT_TRUE(run.abort.isRequested());
}

TEST_F(WebCheckTest, FetchDocumentReadsTheWholeBodyUnlessItIsAnError)
{
    const auto page = web.fetchDocument(QStringLiteral("  ") + httpUrl(QStringLiteral("/ok/doc.html")) + u' ');
    ASSERT_TRUE(page);
    EXPECT_TRUE(page->body.contains("/ok/doc.html"));
    EXPECT_EQ(page->contentType, QStringLiteral("text/html"));
    const auto large = web.fetchDocument(httpUrl(QStringLiteral("/big/large.html")));
    ASSERT_TRUE(large);
    EXPECT_EQ(large->body.size(), 20 * 1024 * 1024);
    EXPECT_FALSE(web.fetchDocument(httpUrl(QStringLiteral("/missing/doc.html"))));
    EXPECT_FALSE(web.fetchDocument(servers().url(SoftNotFoundHost, QStringLiteral("/ok/doc.html"))));
    EXPECT_FALSE(web.fetchDocument(QStringLiteral("http://127.0.0.1:%1/").arg(LoopbackServers::closedLoopbackPort())));
}

// Twenty-two hosts: the not-found answers of the first twenty are cached, later hosts probe every time.
TEST(WebCheckCache, HoldsTwentyHostsThenProbesEveryTime)
{
    if (const QString missing = LoopbackServers::missingPrerequisite(); !missing.isEmpty())
        GTEST_SKIP() << missing.toStdString();
    LoopbackServerOptions options;
    options.hosts.clear();
    for (int i = 1; i <= 22; ++i)
        options.hosts.append(QStringLiteral("127.0.0.%1").arg(i));
    LoopbackServers servers(options);
    ASSERT_TRUE(servers.isReady()) << servers.errorText().toStdString();

    RunState run;
    WebCheck web(run.abort);
    for (const QString& host : options.hosts)
        EXPECT_TRUE(web.checkWebLink(servers.url(host, QStringLiteral("/ok/first.html"))).exists);
    EXPECT_EQ(web.notFoundCache().size(), 20);
    EXPECT_TRUE(web.checkWebLink(servers.url(QStringLiteral("127.0.0.20"), QStringLiteral("/ok/again.html"))).exists);
    EXPECT_TRUE(web.checkWebLink(servers.url(QStringLiteral("127.0.0.21"), QStringLiteral("/ok/again.html"))).exists);
    EXPECT_EQ(servers.requestCount(QStringLiteral("127.0.0.20"), QStringLiteral("GET /ok/again.html......")), 0);
    EXPECT_EQ(servers.requestCount(QStringLiteral("127.0.0.21"), QStringLiteral("GET /ok/again.html......")), 1);

    web.clearNotFoundCache();
    EXPECT_EQ(web.notFoundCache().size(), 0);
}

} // namespace
