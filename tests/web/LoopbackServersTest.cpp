#include "LoopbackTest.h"
#include "TransferFetch.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(LoopbackPrerequisites, MissingInterpreterIsNamed)
{
    const QString reason = LoopbackServers::missingPrerequisite(QStringLiteral("/nonexistent/python3"));
    EXPECT_TRUE(reason.contains(QStringLiteral("/nonexistent/python3"))) << reason.toStdString();
}

TEST(LoopbackPrerequisites, InterpreterWithoutFtpLibraryIsNamed)
{
    // An "interpreter" that fails every import, like a Python without pyftpdlib.
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile fake(dir.filePath(QStringLiteral("python3")));
    ASSERT_TRUE(fake.open(QIODevice::WriteOnly));
    fake.write("#!/bin/sh\nexit 1\n");
    fake.close();
    ASSERT_TRUE(fake.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner));
    const QString reason = LoopbackServers::missingPrerequisite(fake.fileName());
    EXPECT_TRUE(reason.contains(QStringLiteral("pyftpdlib"))) << reason.toStdString();
}

TEST(LoopbackPrerequisites, FailedStartIsAnErrorNotASkip)
{
    LoopbackServerOptions options;
    options.hosts = QStringList{QStringLiteral("192.0.2.1")}; // not loopback: the script refuses it
    if (!LoopbackServers::missingPrerequisite(options.python).isEmpty())
        GTEST_SKIP() << LoopbackServers::missingPrerequisite(options.python).toStdString();
    const LoopbackServers servers(options);
    EXPECT_FALSE(servers.isReady());
    EXPECT_TRUE(servers.errorText().contains(QStringLiteral("loopback"))) << servers.errorText().toStdString();
}

using LoopbackHarness = LoopbackTest;

TEST_F(LoopbackHarness, PortsUrlsAndCertificateAuthority)
{
    const int http = servers().port(LoopbackServers::Scheme::Http);
    const int https = servers().port(LoopbackServers::Scheme::Https);
    const int ftp = servers().port(LoopbackServers::Scheme::Ftp);
    EXPECT_GT(http, 0);
    EXPECT_NE(http, https);
    EXPECT_NE(https, ftp);
    EXPECT_EQ(servers().url(SoftNotFoundHost, QStringLiteral("/a b"), LoopbackServers::Scheme::Ftp),
              QStringLiteral("ftp://127.0.0.2:%1/a b").arg(ftp));
    EXPECT_EQ(servers().url(QStringLiteral("::1"), QStringLiteral("/x")),
              QStringLiteral("http://[::1]:%1/x").arg(http));
    EXPECT_TRUE(QFileInfo(servers().caFile()).isFile());
}

TEST_F(LoopbackHarness, StatsCountRequestsPerHostMethodAndPath)
{
    const QString path = QStringLiteral("/ok/counted.html");
    const int before = servers().requestCount(NormalHost, QStringLiteral("GET ") + path);
    fetchResult(httpUrl(path));
    fetchResult(httpUrl(path));
    fetchResult(servers().url(PlainNotFoundHost, path));
    fetchResult(ftpUrl(QStringLiteral("/small.txt")));
    EXPECT_EQ(servers().requestCount(NormalHost, QStringLiteral("GET ") + path), before + 2);
    EXPECT_EQ(servers().requestCount(PlainNotFoundHost, QStringLiteral("GET ") + path), 1);
    EXPECT_GE(servers().requestCount(NormalHost, QStringLiteral("RETR /small.txt")), 1);
    EXPECT_EQ(servers().requestCount(NormalHost, QStringLiteral("GET /never/asked.html")), 0);
}

TEST_F(LoopbackHarness, HostRolesAnswerEveryPathAlike)
{
    const TransferResult soft = fetchResult(servers().url(SoftNotFoundHost, QStringLiteral("/missing/one.html")));
    EXPECT_EQ(soft.status, 200);
    EXPECT_EQ(fetchResult(servers().url(SoftNotFoundHost, QStringLiteral("/other/two.html"))).body, soft.body);

    const TransferResult plain = fetchResult(servers().url(PlainNotFoundHost, QStringLiteral("/missing/one.html")));
    EXPECT_EQ(plain.status, 404);
    EXPECT_FALSE(plain.body.contains("one.html"));
    EXPECT_EQ(fetchResult(servers().url(PlainNotFoundHost, QStringLiteral("/ok/two.html"))).body, plain.body);
}

TEST_F(LoopbackHarness, NamesEndingWithAFullStopAreNotFound)
{
    const TransferResult probe = fetchResult(httpUrl(QStringLiteral("/ok/page.html......")));
    const QByteArray& body = probe.body;
    EXPECT_EQ(probe.status, 404);
    EXPECT_TRUE(body.contains("/ok/page.html......")) << body.constData();
}

} // namespace
