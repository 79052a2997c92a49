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

struct SettingCase {
    const char* name;
    QByteArray ini; // the INI file; null: no file
    QString setting;
    QString unknown;
    friend void PrintTo(const SettingCase& c, std::ostream* out) { *out << c.name; }
};

class EncodingSettingTest : public ::testing::TestWithParam<SettingCase> {};

TEST_P(EncodingSettingTest, DetectsUnlessACodePageIsNamed)
{
    const SettingCase& c = GetParam();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.INI"));
    if (!c.ini.isNull())
        writeBytes(path, c.ini);
    const EncodingSetting setting = readEncodingSetting(path);
    EXPECT_EQ(setting.name, c.setting);
    EXPECT_EQ(setting.unknownName, c.unknown);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, EncodingSettingTest,
    ::testing::Values(SettingCase{"NoFile", QByteArray(), "auto", ""},
                      SettingCase{"Blank", "[Settings]\nEncoding=  \n", "auto", ""},
                      SettingCase{"Auto", "[Settings]\nEncoding=AUTO\n", "AUTO", ""},
                      SettingCase{"CodePage", "[settings]\nencoding = EUC-JP\n", "EUC-JP", ""},
                      SettingCase{"Label", "[Settings]\nEncoding=Shift_JIS\n", "Shift_JIS", ""},
                      SettingCase{"Unknown", "[Settings]\nEncoding=NO-SUCH-CODE-PAGE\n", "auto", "NO-SUCH-CODE-PAGE"}),
    [](const ::testing::TestParamInfo<SettingCase>& info) { return std::string(info.param.name); });

TEST(EncodingSettingName, TheCheckerAcceptsWhatTheSettingAccepts)
{
    for (const char* name : {"auto", "Auto", " utf-8 ", "sjis", "CP932", "ISO-2022-JP", "windows-1252"})
        EXPECT_TRUE(isUsableEncodingSetting(QString::fromLatin1(name))) << name;
    for (const char* name : {"", "automatic", "NO-SUCH"})
        EXPECT_FALSE(isUsableEncodingSetting(QString::fromLatin1(name))) << name;
}

} // namespace
