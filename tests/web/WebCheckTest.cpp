#include "web/WebCheck.h"
#include "LoopbackTest.h"
#include "ScopedEnvironment.h"
#include "common/CodePage.h"
#include "common/Document.h"
#include "common/RunState.h"
#include "web/SFrm_Inet.h"

#include <QTimer>

#include <memory>

namespace {

// A web check with its hidden transfer window loaded, against the loopback servers.
class WebCheckTest : public LoopbackTest {
protected:
    void SetUp() override
    {
        LoopbackTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        TransferRequest limits;
        limits.connectTimeoutMs = 5000;
        limits.stallSeconds = 3;
        web.setTransferLimits(limits);
        session = std::make_unique<InetSession>(run.abort, web);
    }

    int gets(const QString& host, const QString& path) const
    {
        return servers().requestCount(host, QStringLiteral("GET ") + path);
    }

    Document document;
    RunState run;
    CodePage codePage;
    WebCheck web{document, run.abort, codePage};
    std::unique_ptr<InetSession> session;
};

TEST_F(WebCheckTest, ExistingPageIsOkAndItsHostProbedOnce)
{
    EXPECT_TRUE(web.checkWebLink(httpUrl(QStringLiteral("/ok/one.html"))));
    EXPECT_TRUE(web.checkWebLink(httpUrl(QStringLiteral("/ok/two.html"))));
    EXPECT_EQ(gets(NormalHost, QStringLiteral("/ok/one.html......")), 1);
    EXPECT_EQ(gets(NormalHost, QStringLiteral("/ok/two.html......")), 0);
    EXPECT_EQ(web.NotFoundCount(), 1);
}

TEST_F(WebCheckTest, MissingPagesAreNgOnEveryKindOfHost)
{
    EXPECT_FALSE(web.checkWebLink(httpUrl(QStringLiteral("/missing/first.html"))));
    // Later links on an echoing host are compared with the first link's cached answer.
    EXPECT_FALSE(web.checkWebLink(httpUrl(QStringLiteral("/missing/second.html"))));
    EXPECT_FALSE(web.checkWebLink(servers().url(PlainNotFoundHost, QStringLiteral("/ok/a.html"))));
    // A host answering every path alike: the page equals its not-found answer.
    EXPECT_FALSE(web.checkWebLink(servers().url(SoftNotFoundHost, QStringLiteral("/ok/a.html"))));
    EXPECT_FALSE(web.checkWebLink(httpUrl(QStringLiteral("/noheaders/a.html"))));
    EXPECT_FALSE(web.checkWebLink(httpUrl(QStringLiteral("/redirect/missing/a.html"))));
    EXPECT_FALSE(web.checkWebLink(httpUrl(QStringLiteral("/redirect-file/x"))));
}

TEST_F(WebCheckTest, RedirectsAndHttpsAreFollowed)
{
    const ScopedEnvironment ca("CURL_CA_BUNDLE", servers().caFile().toLocal8Bit());
    EXPECT_TRUE(web.checkWebLink(httpUrl(QStringLiteral("/redirect/ok/target.html"))));
    EXPECT_TRUE(web.checkWebLink(httpsUrl(QStringLiteral("/ok/secure.html"))));
    EXPECT_TRUE(web.checkWebLink(httpUrl(QStringLiteral("/gzip/packed.html"))));
}

TEST_F(WebCheckTest, LargeBodiesAreJudgedOnWhatArrivedAndExeLinksAreCut)
{
    EXPECT_TRUE(web.checkWebLink(httpUrl(QStringLiteral("/big/data.bin"))));
    EXPECT_TRUE(web.checkWebLink(httpUrl(QStringLiteral("/big/setup.EXE"))));
    // The .EXE link's probe was made and cached like any other.
    EXPECT_EQ(web.NotFoundCount(), 1);
}

TEST_F(WebCheckTest, FtpLinks)
{
    EXPECT_TRUE(web.checkWebLink(ftpUrl(QStringLiteral("/small.txt"))));
    EXPECT_TRUE(web.checkWebLink(ftpUrl(QStringLiteral("/big.bin"))));
    EXPECT_FALSE(web.checkWebLink(ftpUrl(QStringLiteral("/nothere.txt"))));
    // An FTP probe brings nothing back, so nothing is cached for the host.
    EXPECT_EQ(web.NotFoundCount(), 0);
}

TEST_F(WebCheckTest, EntitiesAreDecodedAndTheFragmentDropped)
{
    EXPECT_TRUE(web.checkWebLink(httpUrl(QStringLiteral("/echo-request/q?a=1&amp;b=2"))));
    EXPECT_EQ(gets(NormalHost, QStringLiteral("/echo-request/q?a=1&b=2")), 1);
    EXPECT_TRUE(web.checkWebLink(httpUrl(QStringLiteral("/ok/page.html#nosuchfragment"))));
    EXPECT_EQ(gets(NormalHost, QStringLiteral("/ok/page.html")), 1);
}

TEST_F(WebCheckTest, UnreachableAndStalledTargetsAreNg)
{
    const int closed = LoopbackServers::closedLoopbackPort();
    EXPECT_FALSE(web.checkWebLink(QStringLiteral("http://127.0.0.1:%1/a.html").arg(closed)));
    EXPECT_FALSE(web.checkWebLink(httpUrl(QStringLiteral("/stall/a.html"))));
    EXPECT_FALSE(web.checkWebLink(QStringLiteral("gopher://127.0.0.1/x")));
}

TEST_F(WebCheckTest, StopRequestEndsTheRunningCheck)
{
    QTimer::singleShot(200, [this] { run.abort.request(); });
    TransferRequest patient;
    patient.stallSeconds = 60;
    web.setTransferLimits(patient);
    EXPECT_FALSE(web.checkWebLink(httpUrl(QStringLiteral("/stall/stopped.html"))));
    EXPECT_TRUE(run.abort.isRequested());
}

TEST_F(WebCheckTest, NoRequestWithoutTheTransferWindow)
{
    session.reset();
    EXPECT_FALSE(web.checkWebLink(httpUrl(QStringLiteral("/ok/nowindow.html"))));
    EXPECT_EQ(gets(NormalHost, QStringLiteral("/ok/nowindow.html")), 0);
}

TEST_F(WebCheckTest, ReadWebDocumentReadsTheWholeBody)
{
    EXPECT_TRUE(web.readWebDocument(QStringLiteral("  ") + httpUrl(QStringLiteral("/ok/doc.html")) + u' '));
    EXPECT_TRUE(document.htmlData.contains(QStringLiteral("/ok/doc.html")));
    EXPECT_TRUE(web.readWebDocument(httpUrl(QStringLiteral("/big/large.html"))));
    EXPECT_EQ(document.htmlData.size(), 20 * 1024 * 1024);
    EXPECT_FALSE(web.readWebDocument(httpUrl(QStringLiteral("/missing/doc.html"))));
    EXPECT_TRUE(document.htmlData.isEmpty());
    EXPECT_FALSE(web.readWebDocument(servers().url(SoftNotFoundHost, QStringLiteral("/ok/doc.html"))));
    EXPECT_FALSE(
        web.readWebDocument(QStringLiteral("http://127.0.0.1:%1/").arg(LoopbackServers::closedLoopbackPort())));
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

    Document document;
    RunState run;
    CodePage codePage;
    WebCheck web(document, run.abort, codePage);
    const InetSession session(run.abort, web);
    for (const QString& host : options.hosts)
        EXPECT_TRUE(web.checkWebLink(servers.url(host, QStringLiteral("/ok/first.html"))));
    EXPECT_EQ(web.NotFoundCount(), 20);
    EXPECT_TRUE(web.checkWebLink(servers.url(QStringLiteral("127.0.0.20"), QStringLiteral("/ok/again.html"))));
    EXPECT_TRUE(web.checkWebLink(servers.url(QStringLiteral("127.0.0.21"), QStringLiteral("/ok/again.html"))));
    EXPECT_EQ(servers.requestCount(QStringLiteral("127.0.0.20"), QStringLiteral("GET /ok/again.html......")), 0);
    EXPECT_EQ(servers.requestCount(QStringLiteral("127.0.0.21"), QStringLiteral("GET /ok/again.html......")), 1);

    web.clearNotFoundCache();
    EXPECT_EQ(web.NotFoundCount(), 0);
}

} // namespace
