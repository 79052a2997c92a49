#include "StoreTestSupport.h"
#include "store/EncodingSetting.h"
#include "store/IniLocation.h"

#include <gtest/gtest.h>

namespace {

QProcessEnvironment environment(const QString& home, const QString& configHome)
{
    QProcessEnvironment env;
    if (!home.isNull())
        env.insert(QStringLiteral("HOME"), home);
    if (!configHome.isNull())
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome);
    return env;
}

TEST(IniFileLocation, BesideAWritableExecutableNamedAfterIt)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("portable 版"));
    QDir().mkpath(folder);
    EXPECT_EQ(iniFileLocation(folder + QStringLiteral("/tarnwick"), environment(QStringLiteral("/h"), QString())),
              folder + QStringLiteral("/tarnwick.INI"));
    EXPECT_EQ(iniFileLocation(folder + QStringLiteral("/tarnwick.v2.bin"), QProcessEnvironment()),
              folder + QStringLiteral("/tarnwick.v2.INI"));
}

TEST(IniFileLocation, OtherwiseInTheUsersConfigurationFolder)
{
    const QString installed = QStringLiteral("/nonexistent-folder/bin/tarnwick");
    EXPECT_EQ(iniFileLocation(installed, environment(QStringLiteral("/home/u"), QStringLiteral("/cfg"))),
              QStringLiteral("/cfg/tarnwick/tarnwick.INI"));
    EXPECT_EQ(iniFileLocation(installed, environment(QStringLiteral("/home/u"), QString())),
              QStringLiteral("/home/u/.config/tarnwick/tarnwick.INI"));
    // Relative values are not places.
    EXPECT_EQ(iniFileLocation(installed, environment(QStringLiteral("/home/u"), QStringLiteral("cfg"))),
              QStringLiteral("/home/u/.config/tarnwick/tarnwick.INI"));
    EXPECT_EQ(iniFileLocation(QString(), environment(QStringLiteral("home"), QString())), QString());
}

TEST(DocumentEncodingSetting, DefaultsToCp932AndRejectsUnknownNames)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.INI"));
    DocumentEncoding encoding = readDocumentEncoding(path);
    EXPECT_EQ(encoding.name, QStringLiteral("CP932"));
    EXPECT_TRUE(encoding.warning.isEmpty());

    writeBytes(path, "[settings]\nencoding = EUC-JP\n");
    EXPECT_EQ(readDocumentEncoding(path).name, QStringLiteral("EUC-JP"));

    writeBytes(path, "[Settings]\nEncoding=NO-SUCH-CODE-PAGE\n");
    encoding = readDocumentEncoding(path);
    EXPECT_EQ(encoding.name, QStringLiteral("CP932"));
    EXPECT_TRUE(encoding.warning.contains(QStringLiteral("NO-SUCH-CODE-PAGE")));
}

} // namespace
