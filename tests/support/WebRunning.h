#pragma once

#include "links/WebLinkCheck.h"

#include <QList>
#include <QStringList>
#include <QTest>

#include <gtest/gtest.h>

// Runs a web check of URLs to its end, or for at most timeoutMs: the verdicts in order, the ones not
// reached default.
inline QList<WebVerdict> checkAll(WebLinkCheck& web, const QStringList& urls, int timeoutMs = 120000)
{
    QList<WebVerdict> verdicts(urls.size());
    int decided = 0;
    WebRunCallbacks callbacks;
    callbacks.decided = [&](int index, const WebVerdict& verdict) {
        verdicts[index] = verdict;
        ++decided;
    };
    const auto run = web.start(urls, std::move(callbacks));
    EXPECT_TRUE(QTest::qWaitFor([&] { return decided == urls.size(); }, timeoutMs)) << "web check unfinished";
    return verdicts;
}

inline WebVerdict checkOne(WebLinkCheck& web, const QString& url)
{
    return checkAll(web, {url}).front();
}
