// The check settings the window reads from the INI file's [Check] section: every key, and what a wrong
// value leaves as it was.

#include "window/CheckSettingsFile.h"
#include "TestFiles.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

CheckSettings settingsFrom(const QByteArray& ini)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("tarnwick.INI"));
    writeFile(path, ini);
    return readCheckSettings(path);
}

TEST(CheckSettingsFile, ReadsTheFilterAndRequestKeys)
{
    const CheckSettings settings = settingsFrom("[Check]\r\nExclude=example\\.org|/old/\r\nInclude=/old/keep\r\n"
                                                "Offline=1\r\nTimeout=15\r\nUserAgent=SiteBot/2\r\n"
                                                "Header1=intra.example=Authorization: Basic eDp5\r\n"
                                                "Header2=Intra.Example=X-Team: web\r\nHeader4=other=X-Lost: 1\r\n"
                                                "Accept=403, 999\r\n");
    ASSERT_EQ(settings.filter.exclude.size(), 1);
    EXPECT_EQ(settings.filter.exclude[0].pattern(), QStringLiteral("example\\.org|/old/"));
    ASSERT_EQ(settings.filter.include.size(), 1);
    EXPECT_TRUE(settings.filter.offline);
    EXPECT_EQ(settings.request.deadlineSeconds, 15);
    EXPECT_EQ(settings.request.userAgent, QStringLiteral("SiteBot/2"));
    // Numbered from 1 up to the first number missing; host names compare without letter case.
    EXPECT_EQ(settings.request.headersFor(QStringLiteral("https://INTRA.example/a")),
              (QList<QByteArray>{"Authorization: Basic eDp5", "X-Team: web"}));
    EXPECT_TRUE(settings.request.headersFor(QStringLiteral("https://other/")).isEmpty());
    EXPECT_EQ(settings.request.acceptedStatuses, (QSet<long>{403, 999}));

    // A wrong value keeps the default: no pattern, the usual deadline, no header that would break a request.
    const CheckSettings wrong = settingsFrom("[Check]\r\nExclude=(unclosed\r\nTimeout=0\r\n"
                                             "Header1=intra=Bad Name: x\r\nAccept=40x\r\n");
    EXPECT_TRUE(wrong.filter.exclude.isEmpty());
    EXPECT_EQ(wrong.request.deadlineSeconds, WebLimits::DeadlineSeconds);
    EXPECT_TRUE(wrong.request.headers.isEmpty());
    EXPECT_TRUE(wrong.request.acceptedStatuses.isEmpty());
}

} // namespace
