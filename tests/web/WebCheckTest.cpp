#include "LoopbackTest.h"
#include "ScopedEnvironment.h"
#include "common/CodePage.h"
#include "common/DocumentState.h"
#include "web/SFrm_Inet.h"
#include "web/WebCheck.h"

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
        session = std::make_unique<InetSession>(state, web);
    }

    int gets(const QString& host, const QString& path) const
    {
        return servers().requestCount(host, QStringLiteral("GET ") + path);
    }

    DocumentState state;
    CodePage codePage;
    WebCheck web{state, codePage};
    std::unique_ptr<InetSession> session;
};

TEST_F(WebCheckTest, ExistingPageIsOkAndItsHostProbedOnce)
{
    EXPECT_TRUE(web.Fnc_CheckWebLink(httpUrl(QStringLiteral("/ok/one.html"))));
    EXPECT_TRUE(web.Fnc_CheckWebLink(httpUrl(QStringLiteral("/ok/two.html"))));
    EXPECT_EQ(gets(NormalHost, QStringLiteral("/ok/one.html......")), 1);
    EXPECT_EQ(gets(NormalHost, QStringLiteral("/ok/two.html......")), 0);
    EXPECT_EQ(web.NotFoundCount(), 1);
}

TEST_F(WebCheckTest, MissingPagesAreNgOnEveryKindOfHost)
{
    EXPECT_FALSE(web.Fnc_CheckWebLink(httpUrl(QStringLiteral("/missing/first.html"))));
    // Later links on an echoing host are compared with the first link's cached answer.
    EXPECT_FALSE(web.Fnc_CheckWebLink(httpUrl(QStringLiteral("/missing/second.html"))));
    EXPECT_FALSE(web.Fnc_CheckWebLink(servers().url(PlainNotFoundHost, QStringLiteral("/ok/a.html"))));
    // A host answering every path alike: the page equals its not-found answer.
    EXPECT_FALSE(web.Fnc_CheckWebLink(servers().url(SoftNotFoundHost, QStringLiteral("/ok/a.html"))));
    EXPECT_FALSE(web.Fnc_CheckWebLink(httpUrl(QStringLiteral("/noheaders/a.html"))));
    EXPECT_FALSE(web.Fnc_CheckWebLink(httpUrl(QStringLiteral("/redirect/missing/a.html"))));
    EXPECT_FALSE(web.Fnc_CheckWebLink(httpUrl(QStringLiteral("/redirect-file/x"))));
}

TEST_F(WebCheckTest, RedirectsAndHttpsAreFollowed)
{
    const ScopedEnvironment ca("CURL_CA_BUNDLE", servers().caFile().toLocal8Bit());
    EXPECT_TRUE(web.Fnc_CheckWebLink(httpUrl(QStringLiteral("/redirect/ok/target.html"))));
    EXPECT_TRUE(web.Fnc_CheckWebLink(httpsUrl(QStringLiteral("/ok/secure.html"))));
    EXPECT_TRUE(web.Fnc_CheckWebLink(httpUrl(QStringLiteral("/gzip/packed.html"))));
}

TEST_F(WebCheckTest, LargeBodiesAreJudgedOnWhatArrivedAndExeLinksAreCut)
{
    EXPECT_TRUE(web.Fnc_CheckWebLink(httpUrl(QStringLiteral("/big/data.bin"))));
    EXPECT_TRUE(web.Fnc_CheckWebLink(httpUrl(QStringLiteral("/big/setup.EXE"))));
    // The .EXE link's probe was made and cached like any other.
    EXPECT_EQ(web.NotFoundCount(), 1);
}

TEST_F(WebCheckTest, FtpLinks)
{
    EXPECT_TRUE(web.Fnc_CheckWebLink(ftpUrl(QStringLiteral("/small.txt"))));
    EXPECT_TRUE(web.Fnc_CheckWebLink(ftpUrl(QStringLiteral("/big.bin"))));
    EXPECT_FALSE(web.Fnc_CheckWebLink(ftpUrl(QStringLiteral("/nothere.txt"))));
    // An FTP probe brings nothing back, so nothing is cached for the host.
    EXPECT_EQ(web.NotFoundCount(), 0);
}

TEST_F(WebCheckTest, EntitiesAreDecodedAndTheFragmentDropped)
{
    EXPECT_TRUE(web.Fnc_CheckWebLink(httpUrl(QStringLiteral("/echo-request/q?a=1&amp;b=2"))));
    EXPECT_EQ(gets(NormalHost, QStringLiteral("/echo-request/q?a=1&b=2")), 1);
    EXPECT_TRUE(web.Fnc_CheckWebLink(httpUrl(QStringLiteral("/ok/page.html#nosuchfragment"))));
    EXPECT_EQ(gets(NormalHost, QStringLiteral("/ok/page.html")), 1);
}

TEST_F(WebCheckTest, UnreachableAndStalledTargetsAreNg)
{
    const int closed = LoopbackServers::closedLoopbackPort();
    EXPECT_FALSE(web.Fnc_CheckWebLink(QStringLiteral("http://127.0.0.1:%1/a.html").arg(closed)));
    EXPECT_FALSE(web.Fnc_CheckWebLink(httpUrl(QStringLiteral("/stall/a.html"))));
    EXPECT_FALSE(web.Fnc_CheckWebLink(QStringLiteral("gopher://127.0.0.1/x")));
}

TEST_F(WebCheckTest, StopRequestEndsTheRunningCheck)
{
    QTimer::singleShot(200, [this] { state.AbortRequested = true; });
    TransferRequest patient;
    patient.stallSeconds = 60;
    web.setTransferLimits(patient);
    EXPECT_FALSE(web.Fnc_CheckWebLink(httpUrl(QStringLiteral("/stall/stopped.html"))));
    EXPECT_TRUE(state.AbortRequested);
}

TEST_F(WebCheckTest, NoRequestWithoutTheTransferWindow)
{
    session.reset();
    EXPECT_FALSE(state.InetReady);
    EXPECT_FALSE(web.Fnc_CheckWebLink(httpUrl(QStringLiteral("/ok/nowindow.html"))));
    EXPECT_EQ(gets(NormalHost, QStringLiteral("/ok/nowindow.html")), 0);
}

TEST_F(WebCheckTest, ReadWebDocumentReadsTheWholeBody)
{
    EXPECT_TRUE(web.Fnc_ReadWebDocument(QStringLiteral("  ") + httpUrl(QStringLiteral("/ok/doc.html")) + u' '));
    EXPECT_TRUE(state.HtmlData.contains(QStringLiteral("/ok/doc.html")));
    EXPECT_TRUE(web.Fnc_ReadWebDocument(httpUrl(QStringLiteral("/big/large.html"))));
    EXPECT_EQ(state.HtmlData.size(), 20 * 1024 * 1024);
    EXPECT_FALSE(web.Fnc_ReadWebDocument(httpUrl(QStringLiteral("/missing/doc.html"))));
    EXPECT_TRUE(state.HtmlData.isEmpty());
    EXPECT_FALSE(web.Fnc_ReadWebDocument(servers().url(SoftNotFoundHost, QStringLiteral("/ok/doc.html"))));
    EXPECT_FALSE(web.Fnc_ReadWebDocument(QStringLiteral("http://127.0.0.1:%1/").arg(LoopbackServers::closedLoopbackPort())));
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

    DocumentState state;
    CodePage codePage;
    WebCheck web(state, codePage);
    const InetSession session(state, web);
    for (const QString& host : options.hosts)
        EXPECT_TRUE(web.Fnc_CheckWebLink(servers.url(host, QStringLiteral("/ok/first.html"))));
    EXPECT_EQ(web.NotFoundCount(), 20);
    EXPECT_TRUE(web.Fnc_CheckWebLink(servers.url(QStringLiteral("127.0.0.20"), QStringLiteral("/ok/again.html"))));
    EXPECT_TRUE(web.Fnc_CheckWebLink(servers.url(QStringLiteral("127.0.0.21"), QStringLiteral("/ok/again.html"))));
    EXPECT_EQ(servers.requestCount(QStringLiteral("127.0.0.20"), QStringLiteral("GET /ok/again.html......")), 0);
    EXPECT_EQ(servers.requestCount(QStringLiteral("127.0.0.21"), QStringLiteral("GET /ok/again.html......")), 1);

    web.Fnc_ClearNotFoundCache();
    EXPECT_EQ(web.NotFoundCount(), 0);
}

} // namespace
