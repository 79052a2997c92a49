#pragma once

#include "LoopbackServers.h"

#include <gtest/gtest.h>

#include <memory>

// The fixture Base with the loopback servers started before each test; a test is skipped where they
// cannot run (python3 without what they need).
template <typename Base>
class WithLoopbackServers : public Base {
protected:
    void SetUp() override
    {
        Base::SetUp();
        if (const QString missing = LoopbackServers::missingPrerequisite(); !missing.isEmpty())
            GTEST_SKIP() << missing.toStdString();
        servers = std::make_unique<LoopbackServers>();
        ASSERT_TRUE(servers->isReady()) << servers->errorText().toStdString();
    }

    std::unique_ptr<LoopbackServers> servers;
};
