#pragma once

#include "LoopbackServers.h"

#include <gtest/gtest.h>

#include <memory>

// Servers on four addresses, started once per test suite: 1 for ordinary pages, 4 and 5 for slow
// answers from two hosts at once, 6 for stalled requests (they stay in progress at the server long
// after a test). A test is skipped only when the servers cannot run here.
class SlowHostsTest : public ::testing::Test {
public:
    static inline const QString PageHost = QStringLiteral("127.0.0.1");
    static inline const QString SlowHostA = QStringLiteral("127.0.0.4");
    static inline const QString SlowHostB = QStringLiteral("127.0.0.5");
    static inline const QString StallHost = QStringLiteral("127.0.0.6");

    static void SetUpTestSuite()
    {
        if (!LoopbackServers::missingPrerequisite().isEmpty())
            return;
        LoopbackServerOptions options;
        options.hosts = QStringList{PageHost, SlowHostA, SlowHostB, StallHost};
        s_servers = std::make_unique<LoopbackServers>(options);
    }
    static void TearDownTestSuite() { s_servers.reset(); }

protected:
    void SetUp() override
    {
        if (const QString missing = LoopbackServers::missingPrerequisite(); !missing.isEmpty())
            GTEST_SKIP() << missing.toStdString();
        ASSERT_TRUE(s_servers && s_servers->isReady()) << (s_servers ? s_servers->errorText().toStdString() : "");
    }

    static inline std::unique_ptr<LoopbackServers> s_servers;
};
