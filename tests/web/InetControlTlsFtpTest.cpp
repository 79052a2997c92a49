#include "InetTestFixture.h"
#include "ScopedEnvironment.h"

#include <gtest/gtest.h>

namespace {

using InetTlsFtp = InetTest;

TEST_F(InetTlsFtp, HttpsSucceedsWithTheTestCaFromEitherVariable)
{
    {
        ScopedEnvironment bundle("CURL_CA_BUNDLE", servers().caFile().toLocal8Bit());
        ScopedEnvironment certFile("SSL_CERT_FILE", {});
        EXPECT_TRUE(control.OpenURL(httpsUrl(QStringLiteral("/ok/secure.html"))).contains("ok /ok/secure.html"));
        EXPECT_EQ(control.ResponseCode(), 200);
    }
    ScopedEnvironment bundle("CURL_CA_BUNDLE", {});
    ScopedEnvironment certFile("SSL_CERT_FILE", servers().caFile().toLocal8Bit());
    EXPECT_TRUE(control.OpenURL(httpsUrl(QStringLiteral("/ok/secure2.html"))).contains("ok /ok/secure2.html"));
}

TEST_F(InetTlsFtp, HttpsFailsWithoutTrustingTheTestCa)
{
    ScopedEnvironment bundle("CURL_CA_BUNDLE", {});
    ScopedEnvironment certFile("SSL_CERT_FILE", {});
    const auto error = openExpectingError(httpsUrl(QStringLiteral("/ok/untrusted.html")));
    ASSERT_TRUE(error);
    EXPECT_FALSE(error->isCancelled());
    EXPECT_EQ(servers().requestCount(NormalHost, QStringLiteral("GET /ok/untrusted.html")), 0);
}

TEST_F(InetTlsFtp, FtpSmallFile)
{
    const QByteArray body = control.OpenURL(ftpUrl(QStringLiteral("/small.txt")));
    EXPECT_EQ(body, QByteArray("small file served over FTP\n"));
    EXPECT_EQ(control.ResponseCode(), 0);
    EXPECT_EQ(control.RemoteHost(), NormalHost);
}

TEST_F(InetTlsFtp, RedirectToFtpEndsWithoutHttpStatusOrHeaders)
{
    const QByteArray body = control.OpenURL(httpUrl(QStringLiteral("/redirect-ftp/small.txt")));
    EXPECT_EQ(body, QByteArray("small file served over FTP\n"));
    EXPECT_EQ(control.ResponseCode(), 0);
    EXPECT_TRUE(control.GetHeader(QStringLiteral("Location")).isEmpty());
    EXPECT_TRUE(control.GetHeader(QStringLiteral("Server")).isEmpty());
}

TEST_F(InetTlsFtp, FtpBigFileArrivesInSeveralBlocks)
{
    constexpr qint64 fileBytes = 5 * 1024 * 1024;
    TransferRequest request = quickRequest();
    request.maxBodyBytes = 2 * fileBytes;
    control.setRequestTemplate(request);
    int blockReports = 0;
    QObject::connect(&control, &InetControl::StateChanged,
                     [&](int state) { blockReports += state == InetControl::StateBlockArrived; });
    const QByteArray body = control.OpenURL(ftpUrl(QStringLiteral("/big.bin")));
    EXPECT_EQ(body.size(), fileBytes);
    EXPECT_GE(blockReports, fileBytes / CURL_MAX_WRITE_SIZE);
}

TEST_F(InetTlsFtp, FtpFileOverTheCapIsTruncated)
{
    const QByteArray body = control.OpenURL(ftpUrl(QStringLiteral("/big.bin")));
    EXPECT_EQ(body.size(), TransferRequest().maxBodyBytes);
}

TEST_F(InetTlsFtp, FtpMissingFileFails)
{
    const auto error = openExpectingError(ftpUrl(QStringLiteral("/missing.txt")));
    ASSERT_TRUE(error);
    EXPECT_FALSE(error->isCancelled());
}

} // namespace
