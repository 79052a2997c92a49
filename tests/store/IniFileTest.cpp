#include "StoreTestSupport.h"
#include "store/IniFile.h"

#include <gtest/gtest.h>

namespace {

const QByteArray HandWritten = "; kept as it was\n"
                               "orphan=before any section\n"
                               "[Other]\n"
                               "File0=not the history\n"
                               "\n"
                               "[history]\n"
                               "  file0 =  \"/home/u/a b.html\"  \n"
                               "FILE0=second occurrence\n"
                               "Quoted='x'\n"
                               "Half=\"x\n"
                               "# a comment\n"
                               "\n"
                               "[HISTORY]\n"
                               "Count=7\n";

class IniFileTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.INI"));
};

TEST_F(IniFileTest, ReadsSectionsAndKeysWithoutRegardToCase)
{
    writeBytes(path, HandWritten);
    const IniFile ini(path);
    EXPECT_TRUE(ini.isReadable());
    EXPECT_EQ(ini.value(QStringLiteral("History"), QStringLiteral("File0")), QStringLiteral("/home/u/a b.html"));
    EXPECT_EQ(ini.value(QStringLiteral("HISTORY"), QStringLiteral("quoted")), QStringLiteral("x"));
    EXPECT_EQ(ini.value(QStringLiteral("History"), QStringLiteral("Half")), QStringLiteral("\"x"));
    EXPECT_EQ(ini.value(QStringLiteral("other"), QStringLiteral("file0")), QStringLiteral("not the history"));
    // The first of two sections of one name counts; keys before any section belong to none.
    EXPECT_EQ(ini.value(QStringLiteral("History"), QStringLiteral("Count")), QString());
    EXPECT_EQ(ini.value(QString(), QStringLiteral("orphan")), QString());
    EXPECT_EQ(ini.value(QStringLiteral("Missing"), QStringLiteral("File0")), QString());
    EXPECT_EQ(Fnc_ReadIniString(dir.filePath(QStringLiteral("none.INI")), QStringLiteral("History"),
                                QStringLiteral("File0")),
              QString());
}

TEST_F(IniFileTest, WritingKeepsEveryOtherLine)
{
    writeBytes(path, HandWritten);
    EXPECT_TRUE(Fnc_WriteIniString(path, QStringLiteral("HISTORY"), QStringLiteral("File0"), QStringLiteral("/n.html")));
    EXPECT_TRUE(Fnc_WriteIniString(path, QStringLiteral("History"), QStringLiteral("Count"), QStringLiteral("1")));
    EXPECT_TRUE(Fnc_WriteIniString(path, QStringLiteral("Settings"), QStringLiteral("Encoding"), QStringLiteral("CP932")));
    QByteArray expected = HandWritten;
    expected.replace("  file0 =  \"/home/u/a b.html\"  \n", "  file0 =/n.html\n");
    expected.replace("# a comment\n", "# a comment\nCount=1\n");
    expected += "[Settings]\nEncoding=CP932\n";
    EXPECT_EQ(readBytes(path), expected);
    EXPECT_EQ(folderNames(dir), QStringList{QStringLiteral("t.INI")});
}

TEST_F(IniFileTest, CreatesFileAndFolderAndFollowsTheFilesLineEnds)
{
    const QString nested = dir.filePath(QStringLiteral("tarnwick/tarnwick.INI"));
    EXPECT_TRUE(Fnc_WriteIniString(nested, QStringLiteral("History"), QStringLiteral("File0"), QStringLiteral("日本.html")));
    EXPECT_EQ(readBytes(nested), QByteArray("[History]\nFile0=日本.html\n"));

    writeBytes(path, "[History]\r\nCount=1");  // no line end after the last line
    EXPECT_TRUE(Fnc_WriteIniString(path, QStringLiteral("History"), QStringLiteral("File0"), QStringLiteral("a")));
    EXPECT_TRUE(Fnc_WriteIniString(path, QStringLiteral("New"), QStringLiteral("k"), QStringLiteral("v")));
    EXPECT_EQ(readBytes(path), QByteArray("[History]\r\nCount=1\r\nFile0=a\r\n[New]\r\nk=v\r\n"));

    writeBytes(path, "\xEF\xBB\xBF[History]\nCount=3\n");  // a byte order mark before the first section
    EXPECT_EQ(IniFile(path).value(QStringLiteral("History"), QStringLiteral("Count")), QStringLiteral("3"));
}

TEST_F(IniFileTest, RefusesWhatWouldCorruptTheFile)
{
    writeBytes(path, HandWritten);
    IniFile ini(path);
    EXPECT_FALSE(ini.setValue(QStringLiteral("History"), QStringLiteral("  "), QStringLiteral("v")));
    EXPECT_FALSE(ini.setValue(QStringLiteral("History"), QStringLiteral("a=b"), QStringLiteral("v")));
    EXPECT_FALSE(ini.setValue(QStringLiteral("History"), QStringLiteral("File0"), QStringLiteral("a\n[X]\nk=v")));
    EXPECT_FALSE(ini.setValue(QStringLiteral("His]tory"), QStringLiteral("File0"), QStringLiteral("v")));
    EXPECT_FALSE(ini.setValue(QStringLiteral("History\r"), QStringLiteral("File0"), QStringLiteral("v")));
    EXPECT_TRUE(ini.save());
    EXPECT_EQ(readBytes(path), HandWritten);
}

TEST_F(IniFileTest, ReadOnlyFileIsNotWritten)
{
    writeBytes(path, HandWritten);
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup);
    EXPECT_FALSE(Fnc_WriteIniString(path, QStringLiteral("History"), QStringLiteral("File0"), QStringLiteral("x")));
    EXPECT_EQ(readBytes(path), HandWritten);
}

TEST_F(IniFileTest, LongValuesAreCutAtTheBufferWithoutSplittingACharacter)
{
    const QByteArray value = QByteArray(IniFile::ValueBufferBytes - 2, 'a') + "日本";
    writeBytes(path, "[History]\nFile0=" + value + "\n");
    const QString read = IniFile(path).value(QStringLiteral("History"), QStringLiteral("File0"));
    EXPECT_EQ(read, QString(IniFile::ValueBufferBytes - 2, u'a'));
}

struct BadFile {
    const char* name;
    QByteArray (*bytes)();
    bool readable;
};

void PrintTo(const BadFile& c, std::ostream* out)
{
    *out << c.name;
}

class HostileIniFile : public ::testing::TestWithParam<BadFile> {};

// Whatever the file holds: no crash, no value that is not there, and a file that cannot be read is
// never replaced by a write.
TEST_P(HostileIniFile, GivesEmptyValuesAndKeepsTheFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.INI"));
    const QByteArray bytes = GetParam().bytes();
    writeBytes(path, bytes);
    IniFile ini(path);
    EXPECT_EQ(ini.isReadable(), GetParam().readable);
    EXPECT_EQ(ini.value(QStringLiteral("History"), QStringLiteral("Count")), QString());
    ASSERT_TRUE(ini.setValue(QStringLiteral("History"), QStringLiteral("Count"), QStringLiteral("1")));
    EXPECT_EQ(ini.save(), GetParam().readable);
    if (GetParam().readable) {
        EXPECT_EQ(IniFile(path).value(QStringLiteral("History"), QStringLiteral("Count")), QStringLiteral("1"));
        EXPECT_TRUE(readBytes(path).startsWith(bytes));
    } else {
        EXPECT_FALSE(ini.errorString().isEmpty());
        EXPECT_EQ(readBytes(path).size(), bytes.size());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, HostileIniFile,
    ::testing::Values(BadFile{"Empty", [] { return QByteArray(); }, true},
                      BadFile{"Binary",
                              [] {
                                  QByteArray bytes;
                                  for (int i = 0; i < 70000; ++i)
                                      bytes += char((i * 7919) % 256);
                                  return bytes.replace("[", "");  // no section at all
                              },
                              true},
                      BadFile{"HundredMegabyteLine", [] { return "[History]\nCount=" + QByteArray(100'000'000, '9'); },
                              false},
                      BadFile{"TooManyLines", [] { return QByteArray(IniFile::MaxLines + 1, '\n'); }, false}),
    [](const ::testing::TestParamInfo<BadFile>& info) { return std::string(info.param.name); });

} // namespace
