#include "web/WebCheck.h"
#include "LoadJobRunning.h"
#include "LoopbackTest.h"
#include "ScopedEnvironment.h"
#include "WebRunning.h"
#include "common/CodePage.h"
#include "links/ReasonText.h"

namespace {

// The web check of one document's links against the loopback servers, one link after the other as single
// checks make them.
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

    WebVerdict check(const QString& url) { return checkOne(documentWeb, url); }

    WebCheck web;
    DocumentWebCheck documentWeb{web, TextEncoding{QString::fromLatin1(CodePage::DefaultName)}};
};

TEST_F(WebCheckTest, ExistingPageIsOkAndItsHostProbedOnce)
{
    const WebVerdict first = check(httpUrl(QStringLiteral("/ok/one.html")));
    EXPECT_TRUE(first.exists);
    EXPECT_EQ(first.reason, WebReason::Answered);
    EXPECT_EQ(first.status, 200);
    EXPECT_TRUE(check(httpUrl(QStringLiteral("/ok/two.html"))).exists);
    EXPECT_EQ(gets(NormalHost, QStringLiteral("/ok/one.html......")), 1);
    EXPECT_EQ(gets(NormalHost, QStringLiteral("/ok/two.html......")), 0);
    EXPECT_EQ(documentWeb.notFoundCache().size(), 1);
}

TEST_F(WebCheckTest, MissingPagesAreNgOnEveryKindOfHostAndSayWhy)
{
    const auto expectNg = [this](const QString& url, WebReason reason, long status) {
        const WebVerdict verdict = check(url);
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
    const WebVerdict redirected = check(httpUrl(QStringLiteral("/redirect/ok/target.html")));
    EXPECT_TRUE(redirected.exists);
    EXPECT_TRUE(redirected.finalUrl.endsWith(QStringLiteral("/ok/target.html"))) << redirected.finalUrl.toStdString();
    EXPECT_TRUE(check(httpsUrl(QStringLiteral("/ok/secure.html"))).exists);
    EXPECT_TRUE(check(httpUrl(QStringLiteral("/gzip/packed.html"))).exists);
}

TEST_F(WebCheckTest, LargeBodiesAreJudgedOnWhatArrivedAndExeLinksAreCut)
{
    EXPECT_TRUE(check(httpUrl(QStringLiteral("/big/data.bin"))).exists);
    const WebVerdict exe = check(httpUrl(QStringLiteral("/big/setup.EXE")));
    EXPECT_TRUE(exe.exists);
    EXPECT_EQ(exe.reason, WebReason::CutWhileStreaming);
    // The .EXE link's probe was made and cached like any other.
    EXPECT_EQ(documentWeb.notFoundCache().size(), 1);
}

TEST_F(WebCheckTest, FtpLinks)
{
    EXPECT_TRUE(check(ftpUrl(QStringLiteral("/small.txt"))).exists);
    EXPECT_EQ(check(ftpUrl(QStringLiteral("/big.bin"))).reason, WebReason::CutWhileStreaming);
    const WebVerdict missing = check(ftpUrl(QStringLiteral("/nothere.txt")));
    EXPECT_FALSE(missing.exists);
    EXPECT_EQ(missing.failure, WebFailure::RemoteFileNotFound);
    // An FTP probe brings nothing back, so nothing is cached for the host.
    EXPECT_EQ(documentWeb.notFoundCache().size(), 0);
}

TEST_F(WebCheckTest, EntitiesAreDecodedAndTheFragmentLookedUpWithoutChangingTheVerdict)
{
    EXPECT_TRUE(check(httpUrl(QStringLiteral("/echo-request/q?a=1&amp;b=2"))).exists);
    EXPECT_EQ(gets(NormalHost, QStringLiteral("/echo-request/q?a=1&b=2")), 1);
    const WebVerdict fragment = check(httpUrl(QStringLiteral("/ok/page.html#nosuchfragment")));
    EXPECT_TRUE(fragment.exists);
    EXPECT_EQ(fragment.fragmentFound, false);
    EXPECT_EQ(gets(NormalHost, QStringLiteral("/ok/page.html")), 1);
    EXPECT_EQ(check(httpUrl(QStringLiteral("/document/doc.html#top"))).fragmentFound, true);
    // Exactly, as a browser looks for it.
    EXPECT_EQ(check(httpUrl(QStringLiteral("/document/doc.html#TOP"))).fragmentFound, false);
    EXPECT_FALSE(check(httpUrl(QStringLiteral("/ok/plain.html"))).fragmentFound.has_value());
}

// A server that ignores query values it does not know answers a probe that keeps the query with the
// link's own page: the probe asks for the path with the full stops, without the query.
TEST_F(WebCheckTest, ALinkWithAQueryIsProbedWithoutIt)
{
    EXPECT_TRUE(check(httpUrl(QStringLiteral("/query/page.php?id=5"))).exists);
    EXPECT_EQ(gets(NormalHost, QStringLiteral("/query/page.php......")), 1);
    EXPECT_EQ(gets(NormalHost, QStringLiteral("/query/page.php?id=5......")), 0);
    // Without a query, the probe is the URL with the full stops, as always.
    EXPECT_TRUE(check(servers().url(SoftNotFoundHost, QStringLiteral("/ok/a.html"))).reason ==
                WebReason::SameAsNotFound);
    EXPECT_EQ(servers().requestCount(SoftNotFoundHost, QStringLiteral("GET /ok/a.html......")), 1);
}

TEST_F(WebCheckTest, UnreachableTargetsSayWhy)
{
    const int closed = LoopbackServers::closedLoopbackPort();
    const WebVerdict refused = check(QStringLiteral("http://127.0.0.1:%1/a.html").arg(closed));
    EXPECT_FALSE(refused.exists);
    EXPECT_EQ(refused.reason, WebReason::NoAnswer);
    EXPECT_EQ(refused.failure, WebFailure::ConnectionRefused);
    EXPECT_EQ(check(httpUrl(QStringLiteral("/stall/a.html"))).failure, WebFailure::Stalled);
    EXPECT_EQ(check(QStringLiteral("gopher://127.0.0.1/x")).failure, WebFailure::ProtocolNotAllowed);
    EXPECT_EQ(check(httpUrl(QStringLiteral("/redirect-file/x"))).failure, WebFailure::ProtocolNotAllowed);
    EXPECT_EQ(check(httpUrl(QStringLiteral("/http09/x"))).failure, WebFailure::NotHttp);
    // An answer still trickling at the deadline proves nothing, so its host is not probed for a comparison.
    TransferRequest limits;
    limits.connectTimeoutMs = 5000;
    web.setTransferLimits(limits);
    RequestOptions deadline;
    deadline.deadlineSeconds = 2;
    web.setRequestOptions(deadline);
    const WebVerdict trickling = check(httpUrl(QStringLiteral("/slowbody/trickle.html")));
    EXPECT_FALSE(trickling.exists);
    EXPECT_EQ(trickling.failure, WebFailure::NoCompleteAnswer);
    EXPECT_EQ(
        reasonText(describeReason(LinkResult::NgWeb, {LinkReason::Kind::Web, {}, {}, trickling}), Wording::English),
        QStringLiteral("no complete answer within 2 s"));
    EXPECT_EQ(gets(NormalHost, QStringLiteral("/slowbody/trickle.html......")), 0);
    const ScopedEnvironment noCa("CURL_CA_BUNDLE", {});
    const ScopedEnvironment noCertFile("SSL_CERT_FILE", {});
    EXPECT_EQ(check(httpsUrl(QStringLiteral("/ok/untrusted.html"))).failure, WebFailure::TlsUntrusted);
}

TEST_F(WebCheckTest, ABusyServerIsAskedOnceMoreAfterItsRetryAfter)
{
    const WebVerdict retried = check(httpUrl(QStringLiteral("/busy/503/1/ok/busy.html")));
    EXPECT_TRUE(retried.exists);
    EXPECT_EQ(gets(NormalHost, QStringLiteral("/busy/503/1/ok/busy.html")), 2);
    EXPECT_TRUE(check(httpUrl(QStringLiteral("/busy/429/0/ok/many.html"))).exists);
    // A longer wait than the program takes is an answer of its own.
    const WebVerdict tooLong = check(httpUrl(QStringLiteral("/busy/503/30/ok/later.html")));
    EXPECT_FALSE(tooLong.exists);
    EXPECT_EQ(tooLong.status, 503);
    EXPECT_EQ(gets(NormalHost, QStringLiteral("/busy/503/30/ok/later.html")), 1);
}

TEST_F(WebCheckTest, EndingARunEndsItsRequestsAtOnce)
{
    TransferRequest patient;
    patient.stallSeconds = 60;
    web.setTransferLimits(patient);
    WebRunCallbacks callbacks;
    callbacks.decided = [](int, const WebVerdict&) { ADD_FAILURE() << "a stalled link was decided"; };
    auto run = documentWeb.start({httpUrl(QStringLiteral("/stall/stopped.html"))}, std::move(callbacks));
    ASSERT_TRUE(QTest::qWaitFor([this] { return web.scheduler().runningCount() == 1; }, 5000));
    run.reset();
    EXPECT_EQ(web.scheduler().runningCount(), 0);
    EXPECT_EQ(web.scheduler().queuedCount(), 0);
}

TEST_F(WebCheckTest, ADocumentByUrlIsReadWholeUnlessItIsAnError)
{
    const auto page = load(web, QStringLiteral("  ") + httpUrl(QStringLiteral("/ok/doc.html")) + u' ');
    ASSERT_TRUE(page->text());
    EXPECT_TRUE(page->text()->text.contains(QStringLiteral("/ok/doc.html")));
    EXPECT_EQ(page->document().docPath, httpUrl(QStringLiteral("/ok/doc.html")));
    // Its host's answer for a missing page is kept for the check of its links.
    EXPECT_TRUE(page->notFoundCache().contains(NormalHost));
    const auto large = load(web, httpUrl(QStringLiteral("/big/large.html")));
    ASSERT_TRUE(large->text());
    EXPECT_EQ(large->text()->text.size(), 20 * 1024 * 1024);
    EXPECT_FALSE(load(web, httpUrl(QStringLiteral("/missing/doc.html")))->text());
    EXPECT_FALSE(load(web, servers().url(SoftNotFoundHost, QStringLiteral("/ok/doc.html")))->text());
    EXPECT_FALSE(load(web, QStringLiteral("http://127.0.0.1:%1/").arg(LoopbackServers::closedLoopbackPort()))->text());
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

    WebCheck web;
    DocumentWebCheck documentWeb(web, TextEncoding{QString::fromLatin1(CodePage::DefaultName)});
    const auto check = [&](const QString& host, const QString& path) {
        return checkOne(documentWeb, servers.url(host, path)).exists;
    };
    for (const QString& host : options.hosts)
        EXPECT_TRUE(check(host, QStringLiteral("/ok/first.html")));
    EXPECT_EQ(documentWeb.notFoundCache().size(), 20);
    EXPECT_TRUE(check(QStringLiteral("127.0.0.20"), QStringLiteral("/ok/again.html")));
    EXPECT_TRUE(check(QStringLiteral("127.0.0.21"), QStringLiteral("/ok/again.html")));
    EXPECT_EQ(servers.requestCount(QStringLiteral("127.0.0.20"), QStringLiteral("GET /ok/again.html......")), 0);
    EXPECT_EQ(servers.requestCount(QStringLiteral("127.0.0.21"), QStringLiteral("GET /ok/again.html......")), 1);
}

} // namespace
