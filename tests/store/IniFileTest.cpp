#include "store/IniFile.h"
#include "StoreTestSupport.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

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

const QString History = QStringLiteral("History");

class IniFileTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.INI"));
};

TEST_F(IniFileTest, ReadsSectionsAndKeysWithoutRegardToCaseFirstOccurrenceFirst)
{
    writeBytes(path, HandWritten);
    const IniFile ini(path);
    EXPECT_EQ(ini.value(History, QStringLiteral("File0")), QStringLiteral("/home/u/a b.html"));
    EXPECT_EQ(ini.value(QStringLiteral("HISTORY"), QStringLiteral("quoted")), QStringLiteral("x"));
    EXPECT_EQ(ini.value(History, QStringLiteral("Half")), QStringLiteral("\"x"));
    EXPECT_EQ(ini.value(QStringLiteral("other"), QStringLiteral("file0")), QStringLiteral("not the history"));
    EXPECT_EQ(ini.value(History, QStringLiteral("Count")), QString()); // only in the second [HISTORY]
    EXPECT_EQ(ini.value(QString(), QStringLiteral("orphan")), QString());

    writeBytes(path, "\xEF\xBB\xBF[History]\nFile0=" + QByteArray(IniFile::ValueBufferBytes - 2, 'a') + "日本\n");
    EXPECT_EQ(IniFile(path).value(History, QStringLiteral("File0")), QString(IniFile::ValueBufferBytes - 2, u'a'));
}

TEST_F(IniFileTest, WritingKeepsEveryOtherLine)
{
    writeBytes(path, HandWritten);
    EXPECT_TRUE(writeIniString(path, QStringLiteral("HISTORY"), QStringLiteral("File0"), QStringLiteral("/n.html")));
    EXPECT_TRUE(writeIniString(path, History, QStringLiteral("Count"), QStringLiteral("1")));
    EXPECT_TRUE(writeIniString(path, QStringLiteral("Settings"), QStringLiteral("Encoding"), QStringLiteral("CP932")));
    QByteArray expected = HandWritten;
    expected.replace("  file0 =  \"/home/u/a b.html\"  \n", "  file0 =/n.html\n");
    expected.replace("# a comment\n", "# a comment\nCount=1\n"); // after the section's last non-blank line
    EXPECT_EQ(readBytes(path), expected + "[Settings]\nEncoding=CP932\n");
    EXPECT_EQ(folderNames(dir), QStringList{QStringLiteral("t.INI")});

    writeBytes(path, "[History]\r\nCount=1"); // CR LF, and no line end after the last line
    EXPECT_TRUE(writeIniString(path, History, QStringLiteral("File0"), QStringLiteral("a")));
    EXPECT_EQ(readBytes(path), QByteArray("[History]\r\nCount=1\r\nFile0=a\r\n"));
}

TEST_F(IniFileTest, CreatesFileAndFolderAndRefusesWhatWouldCorruptIt)
{
    const QString nested = dir.filePath(QStringLiteral("tarnwick/tarnwick.INI"));
    EXPECT_TRUE(writeIniString(nested, History, QStringLiteral("File0"), QStringLiteral("日本.html")));
    EXPECT_EQ(readBytes(nested), QByteArray("[History]\nFile0=日本.html\n"));

    writeBytes(path, HandWritten);
    const char* const refused[][3] = {
        {"History", "  ", "v"},      {"History", "a=b", "v"},    {"History", "File0", "a\n[X]\nk=v"},
        {"History", "[X]", "v"},     {"History", " \t[X", "v"},  {"History", "a\nb", "v"},
        {"History", "File0", "v\r"}, {"His]tory", "File0", "v"}, {"History\r", "File0", "v"},
        {"\nHistory", "File0", "v"}};
    for (const auto& [section, key, value] : refused)
        EXPECT_FALSE(
            writeIniString(path, QString::fromUtf8(section), QString::fromUtf8(key), QString::fromUtf8(value)));
    // A U+FEFF inside a file is a character like any other: a name beginning with one reads back.
    ASSERT_TRUE(writeIniString(path, QStringLiteral("\uFEFFs"), QStringLiteral("\uFEFFk"), QStringLiteral("\uFEFFv")));
    EXPECT_EQ(readIniString(path, QStringLiteral("\uFEFFs"), QStringLiteral("\uFEFFk")), QStringLiteral("\uFEFFv"));
    writeBytes(path, HandWritten);
    // A lone surrogate has no UTF-8 form: the line would not read back as written.
    const QString lone(QChar(0xD800));
    EXPECT_FALSE(writeIniString(path, History, QStringLiteral("File") + lone, QStringLiteral("v")));
    EXPECT_FALSE(writeIniString(path, History + lone, QStringLiteral("File0"), QStringLiteral("v")));
    EXPECT_FALSE(writeIniString(path, History, QStringLiteral("File0"), QStringLiteral("v") + lone));
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup);
    IniFile ini(path);
    ASSERT_TRUE(ini.setValue(History, QStringLiteral("File0"), QStringLiteral("x")));
    EXPECT_FALSE(ini.save());
    EXPECT_EQ(ini.error(), IniFile::Error::WriteFailed);
    EXPECT_EQ(ini.writeResult().failure, WriteFailure::ReadOnly);
    EXPECT_EQ(readBytes(path), HandWritten);
}

TEST_F(IniFileTest, ANewFileIsTheOwnersOnlyAndAnExistingOneKeepsItsMode)
{
    const mode_t mask = ::umask(022);
    const bool created = writeIniString(path, History, QStringLiteral("File0"), QStringLiteral("a"));
    ::umask(mask);
    ASSERT_TRUE(created);
    EXPECT_EQ(QFile::permissions(path),
              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser | QFileDevice::WriteUser);

    const auto shared = QFile::permissions(path) | QFileDevice::ReadGroup | QFileDevice::ReadOther;
    QFile::setPermissions(path, shared);
    ASSERT_TRUE(writeIniString(path, History, QStringLiteral("File0"), QStringLiteral("b")));
    EXPECT_EQ(QFile::permissions(path), shared);
}

TEST_F(IniFileTest, AByteOrderMarkIsSkippedAndKept)
{
    writeBytes(path, "\xEF\xBB\xBF[History]\r\nCount=2\r\n[Other]\r\nk=v\r\n");
    IniFile ini(path);
    EXPECT_EQ(ini.value(History, QStringLiteral("Count")), QStringLiteral("2"));
    ASSERT_TRUE(ini.setValue(History, QStringLiteral("Count"), QStringLiteral("3")));
    ASSERT_TRUE(ini.setValue(History, QStringLiteral("File0"), QStringLiteral("a")));
    ASSERT_TRUE(ini.save());
    EXPECT_EQ(readBytes(path), QByteArray("\xEF\xBB\xBF[History]\r\nCount=3\r\nFile0=a\r\n[Other]\r\nk=v\r\n"));

    // Before a key of the lines ahead of any section, too: it is no part of the key's name.
    writeBytes(path, "\xEF\xBB\xBF[History]\nCount=4\n");
    EXPECT_EQ(IniFile(path).value(QStringLiteral("history"), QStringLiteral("count")), QStringLiteral("4"));
}

// The line limit is reached by a write: what it wrote reads back, and the next line is refused unwritten.
TEST_F(IniFileTest, AFileItWroteAlwaysReadsBack)
{
    const QByteArray full = "[History]\n" + QByteArray(IniFile::MaxLines - 2, '\n');
    writeBytes(path, full);
    IniFile ini(path);
    ASSERT_TRUE(ini.isReadable());
    ASSERT_TRUE(ini.setValue(History, QStringLiteral("Count"), QStringLiteral("1")));
    ASSERT_TRUE(ini.save());
    const QByteArray written = readBytes(path);
    EXPECT_EQ(written.count('\n'), IniFile::MaxLines);
    const IniFile reread(path);
    EXPECT_TRUE(reread.isReadable());
    EXPECT_EQ(reread.value(History, QStringLiteral("Count")), QStringLiteral("1"));

    ASSERT_TRUE(ini.setValue(History, QStringLiteral("File0"), QStringLiteral("a")));
    EXPECT_FALSE(ini.save());
    EXPECT_EQ(ini.error(), IniFile::Error::TooLarge);
    EXPECT_EQ(readBytes(path), written);
}

struct LimitCase {
    const char* name;
    QByteArray (*bytes)();
    bool readable;
    friend void PrintTo(const LimitCase& c, std::ostream* out) { *out << c.name; }
};

class IniFileLimits : public ::testing::TestWithParam<LimitCase> {};

// Lines and bytes are counted as save() counts them; a last line without line end is a line.
TEST_P(IniFileLimits, ReadsWhatSaveWouldWrite)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.INI"));
    writeBytes(path, GetParam().bytes());
    EXPECT_EQ(IniFile(path).isReadable(), GetParam().readable);
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, IniFileLimits,
    ::testing::Values(LimitCase{"MaxLines", [] { return QByteArray(IniFile::MaxLines, '\n'); }, true},
                      LimitCase{"MaxLinesLastOpen", [] { return QByteArray(IniFile::MaxLines - 1, '\n') + "k=v"; },
                                true},
                      LimitCase{"OneLineMore", [] { return QByteArray(IniFile::MaxLines, '\n') + "k=v"; }, false},
                      LimitCase{"MaxBytes", [] { return QByteArray(IniFile::MaxFileBytes, 'a'); }, true},
                      LimitCase{"OneByteMore", [] { return QByteArray(IniFile::MaxFileBytes + 1, 'a'); }, false}),
    [](const ::testing::TestParamInfo<LimitCase>& info) { return std::string(info.param.name); });

struct BadFile {
    const char* name;
    QByteArray (*bytes)();
    bool readable;
    friend void PrintTo(const BadFile& c, std::ostream* out) { *out << c.name; }
};

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
    EXPECT_EQ(ini.value(History, QStringLiteral("Count")), QString());
    ASSERT_TRUE(ini.setValue(History, QStringLiteral("Count"), QStringLiteral("1")));
    EXPECT_EQ(ini.save(), GetParam().readable);
    if (GetParam().readable) {
        EXPECT_EQ(IniFile(path).value(History, QStringLiteral("Count")), QStringLiteral("1"));
        EXPECT_TRUE(readBytes(path).startsWith(bytes));
    } else {
        EXPECT_EQ(readBytes(path).size(), bytes.size());
    }
}

QByteArray binary()
{
    QByteArray bytes;
    for (int i = 0; i < 70000; ++i)
        bytes += char((i * 7919) % 256);
    return bytes.replace("[", ""); // no section at all
}

INSTANTIATE_TEST_SUITE_P(
    Files, HostileIniFile,
    ::testing::Values(BadFile{"Empty", [] { return QByteArray(); }, true}, BadFile{"Binary", binary, true},
                      BadFile{"HundredMegabyteLine", [] { return "[History]\nCount=" + QByteArray(100'000'000, '9'); },
                              false},
                      BadFile{"TooManyLines", [] { return QByteArray(IniFile::MaxLines + 1, '\n'); }, false}),
    [](const ::testing::TestParamInfo<BadFile>& info) { return std::string(info.param.name); });

} // namespace
