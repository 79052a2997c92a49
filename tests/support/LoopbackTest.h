#pragma once

#include "LoopbackServers.h"

#include <gtest/gtest.h>

#include <memory>

// Base fixture for tests against the loopback servers, started once per test suite on three addresses:
// NormalHost serves every path, SoftNotFoundHost answers 200 to everything, PlainNotFoundHost answers
// one constant 404. A test is skipped only when the servers cannot run here; a failed start fails it.
class LoopbackTest : public ::testing::Test {
public:
    static inline const QString NormalHost = QStringLiteral("127.0.0.1");
    static inline const QString SoftNotFoundHost = QStringLiteral("127.0.0.2");
    static inline const QString PlainNotFoundHost = QStringLiteral("127.0.0.3");

    static void SetUpTestSuite();
    static void TearDownTestSuite();

protected:
    void SetUp() override;
    static LoopbackServers& servers() { return *s_servers; }
    // Shorthands for servers().url(NormalHost, path, scheme).
    static QString httpUrl(const QString& path);
    static QString httpsUrl(const QString& path);
    static QString ftpUrl(const QString& path);

private:
    static inline std::unique_ptr<LoopbackServers> s_servers;
    static inline QString s_missing;
};
