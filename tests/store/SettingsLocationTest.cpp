#include "StoreTestSupport.h"
#include "store/EncodingSetting.h"
#include "store/IniLocation.h"

#include <gtest/gtest.h>

namespace {

QProcessEnvironment environment(const char* home, const char* configHome = nullptr)
{
    QProcessEnvironment env;
    env.insert(QStringLiteral("HOME"), QString::fromUtf8(home));
    if (configHome)
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), QString::fromUtf8(configHome));
    return env;
}

TEST(IniFileLocation, BesideAWritableExecutableElseInTheConfigurationFolder)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("portable 版"));
    QDir().mkpath(folder);
    EXPECT_EQ(iniFileLocation(folder + QStringLiteral("/tarnwick"), environment("/h")),
              folder + QStringLiteral("/tarnwick.INI"));
    EXPECT_EQ(iniFileLocation(folder + QStringLiteral("/tarnwick.v2.bin"), environment("/h")),
              folder + QStringLiteral("/tarnwick.v2.INI"));

    const QString installed = QStringLiteral("/nonexistent-folder/bin/tarnwick");
    EXPECT_EQ(iniFileLocation(installed, environment("/home/u", "/cfg")), QStringLiteral("/cfg/tarnwick/tarnwick.INI"));
    EXPECT_EQ(iniFileLocation(installed, environment("/home/u", "cfg")), // a relative value is no place
              QStringLiteral("/home/u/.config/tarnwick/tarnwick.INI"));
    EXPECT_EQ(iniFileLocation(QString(), environment("home")), QString());
}

TEST(EncodingSettingTest, DefaultsToCp932AndRejectsUnknownNames)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.INI"));
    EXPECT_EQ(readEncodingSetting(path).name, QStringLiteral("CP932"));
    writeBytes(path, "[settings]\nencoding = EUC-JP\n");
    EXPECT_EQ(readEncodingSetting(path).name, QStringLiteral("EUC-JP"));
    EXPECT_TRUE(readEncodingSetting(path).unknownName.isEmpty());
    writeBytes(path, "[Settings]\nEncoding=NO-SUCH-CODE-PAGE\n");
    EXPECT_EQ(readEncodingSetting(path).name, QStringLiteral("CP932"));
    EXPECT_TRUE(readEncodingSetting(path).unknownName == QStringLiteral("NO-SUCH-CODE-PAGE"));
}

} // namespace
