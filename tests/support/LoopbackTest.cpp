#include "LoopbackTest.h"

void LoopbackTest::SetUpTestSuite()
{
    s_missing = LoopbackServers::missingPrerequisite();
    if (!s_missing.isEmpty())
        return;
    LoopbackServerOptions options;
    options.hosts = QStringList{NormalHost, SoftNotFoundHost, PlainNotFoundHost};
    options.soft404Host = SoftNotFoundHost;
    options.plain404Host = PlainNotFoundHost;
    s_servers = std::make_unique<LoopbackServers>(options);
}

void LoopbackTest::TearDownTestSuite()
{
    s_servers.reset();
}

void LoopbackTest::SetUp()
{
    if (!s_missing.isEmpty())
        GTEST_SKIP() << s_missing.toStdString();
    ASSERT_TRUE(s_servers && s_servers->isReady())
        << (s_servers ? s_servers->errorText() : QStringLiteral("servers not started")).toStdString();
}

QString LoopbackTest::httpUrl(const QString& path)
{
    return s_servers->url(NormalHost, path);
}

QString LoopbackTest::httpsUrl(const QString& path)
{
    return s_servers->url(NormalHost, path, LoopbackServers::Scheme::Https);
}

QString LoopbackTest::ftpUrl(const QString& path)
{
    return s_servers->url(NormalHost, path, LoopbackServers::Scheme::Ftp);
}
