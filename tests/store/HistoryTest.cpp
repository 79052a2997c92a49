#include "store/History.h"
#include "StoreTestSupport.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

struct ReadCase {
    const char* name;
    QByteArray ini;
    int maxCount;
    QStringList paths;
    friend void PrintTo(const ReadCase& c, std::ostream* out) { *out << c.name; }
};

class HistoryRead : public ::testing::TestWithParam<ReadCase> {};

TEST_P(HistoryRead, FollowsTheCountAndMaxCountRules)
{
    QTemporaryDir dir;
    writeBytes(dir.filePath(QStringLiteral("t.INI")), GetParam().ini);
    History history(dir.filePath(QStringLiteral("t.INI")));
    EXPECT_TRUE(history.readHistoryData());
    EXPECT_EQ(history.historyMaxCount(), GetParam().maxCount);
    EXPECT_EQ(history.historyPaths(), GetParam().paths);
}

const QByteArray Files = "[History]\nFile0=/a\nFile1=/b\nFile2=/c\n";

INSTANTIATE_TEST_SUITE_P(
    Files, HistoryRead,
    ::testing::Values(
        ReadCase{"Empty", "", 50, {}}, ReadCase{"Two", Files + "Count=2", 50, {"/a", "/b"}},
        ReadCase{"MissingKeys", "[History]\nCount=3\nFile1=/b\n", 50, {"", "/b", ""}},
        ReadCase{"CountHalvesToEven", Files + "Count=2.5", 50, {"/a", "/b"}},
        ReadCase{"CountRounds", Files + "Count=2.51", 50, {"/a", "/b", "/c"}},
        ReadCase{"CountBeyond32Bits", Files + "Count=99999999999", 50, {}},
        ReadCase{"CountNegative", Files + "Count=-1", 50, {}}, ReadCase{"CountNotANumber", Files + "Count=abc", 50, {}},
        ReadCase{"CountOverMaxCount", Files + "Count=3\nMaxCount=1", 1, {"/a", "/b", "/c"}},
        ReadCase{"MaxCountNotANumber", "[History]\nMaxCount=abc", 50, {}},
        ReadCase{"MaxCountZero", "[History]\nMaxCount=0", 50, {}},
        ReadCase{"MaxCountAboveLimit", "[History]\nMaxCount=30001", 50, {}},
        ReadCase{"MaxCountAtLimit", "[History]\nMaxCount=30000", 30000, {}},
        ReadCase{"MaxCountHalvesToEven", "[History]\nMaxCount=2.5", 2, {}},
        ReadCase{"Duplicates", "[history]\nfile0=/a\nFILE0=/b\ncount=1\nmaxcount=3\n[HISTORY]\nCount=5", 3, {"/a"}},
        ReadCase{"OtherSection", "[Other]\nCount=1\nFile0=/x\n", 50, {}}),
    [](const ::testing::TestParamInfo<ReadCase>& info) { return std::string(info.param.name); });

TEST(HistoryReadBounds, AHugeCountReadsNoMoreThanTheLimitAndAFolderReadsAsNothing)
{
    QTemporaryDir dir;
    writeBytes(dir.filePath(QStringLiteral("t.INI")), "[History]\nCount=2147483647\nFile0=/first.html\n");
    History history(dir.filePath(QStringLiteral("t.INI")));
    EXPECT_TRUE(history.readHistoryData());
    ASSERT_EQ(history.historyCount(), History::MaxCountLimit);
    EXPECT_EQ(history.historyPaths().first(), QStringLiteral("/first.html"));

    History unreadable(dir.path());
    EXPECT_FALSE(unreadable.readHistoryData());
    EXPECT_EQ(unreadable.historyCount(), 0);
    EXPECT_EQ(unreadable.historyMaxCount(), History::DefaultMaxCount);
}

struct SetCase {
    const char* name;
    QStringList before;
    const char* maxCount;
    QString path;
    QStringList after;
    friend void PrintTo(const SetCase& c, std::ostream* out) { *out << c.name; }
};

class HistorySet : public ::testing::TestWithParam<SetCase> {};

TEST_P(HistorySet, PutsThePathFirstAndSavesTheList)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.INI"));
    QByteArray ini = "[History]\nMaxCount=" + QByteArray(GetParam().maxCount) + "\n";
    for (qsizetype i = 0; i < GetParam().before.size(); ++i)
        ini += "File" + QByteArray::number(i) + "=" + GetParam().before[i].toUtf8() + "\n";
    writeBytes(path, ini + "Count=" + QByteArray::number(GetParam().before.size()) + "\n");
    History history(path);
    history.readHistoryData();
    QSignalSpy titles(&history, &History::titlesChanged);

    EXPECT_TRUE(history.setHistoryData(GetParam().path));
    EXPECT_EQ(history.historyPaths(), GetParam().after);
    ASSERT_EQ(titles.count(), 1);
    EXPECT_EQ(titles.at(0).at(0).toStringList(), history.titles());
    History reread(path);
    reread.readHistoryData();
    EXPECT_EQ(reread.historyPaths(), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(
    Changes, HistorySet,
    ::testing::Values(
        SetCase{"MovesToFront", {"/0", "/1", "/2", "/3", "/4"}, "9", "/3", {"/3", "/0", "/1", "/2", "/4"}},
        SetCase{"AlreadyFirst", {"/0", "/1"}, "9", "/0", {"/0", "/1"}},
        SetCase{"Grows", {"/0"}, "9", "/new", {"/new", "/0"}},
        SetCase{"CaseMakesAnotherEntry", {"/a.html"}, "9", "/A.html", {"/A.html", "/a.html"}},
        SetCase{"FullDropsOldest", {"/0", "/1", "/2"}, "3", "/new", {"/new", "/0", "/1"}},
        SetCase{"MaxCountOne", {"/0"}, "1", "/new", {"/new"}},
        SetCase{"ReadLongerKeepsLength", {"/0", "/1", "/2", "/3"}, "2", "/new", {"/new", "/0", "/1", "/2"}},
        SetCase{"FirstEntry", {}, "9", "/home/u/日本 語.v2", {"/home/u/日本 語.v2"}}),
    [](const ::testing::TestParamInfo<SetCase>& info) { return std::string(info.param.name); });

TEST(HistoryFile, KeepsWhatItDoesNotWriteAndReportsFailedWrites)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.INI"));
    writeBytes(path, "; my notes\n[History]\nMaxCount=3\nFile0=/a\nFile1=/b\nFile2=/c\nFile3=/stale\nCount=3\n");
    History history(path);
    history.readHistoryData();
    EXPECT_TRUE(history.setHistoryData(QStringLiteral("/new")));
    const QByteArray written =
        "; my notes\n[History]\nMaxCount=3\nFile0=/new\nFile1=/a\nFile2=/b\nFile3=/stale\nCount=3\n";
    EXPECT_EQ(readBytes(path), written);

    // A path that would add lines of its own is never stored; the list in memory changes all the same.
    EXPECT_FALSE(history.setHistoryData(QStringLiteral("/x\n[History]\nCount=0")));
    QFile::setPermissions(path, QFileDevice::ReadOwner);
    EXPECT_FALSE(history.setHistoryData(QStringLiteral("/d")));
    // What the file holds comes before what only this list held.
    EXPECT_EQ(history.historyPaths(), (QStringList{"/d", "/new", "/a"}));
    EXPECT_EQ(readBytes(path), written);
}

// Two windows change one history: each change merges what the other wrote, newest first.
TEST(HistoryFile, TwoWindowsKeepEachOthersEntries)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.INI"));
    writeBytes(path, "[History]\nMaxCount=4\nFile0=/old\nCount=1\n");
    History first(path);
    History second(path);
    first.readHistoryData();
    second.readHistoryData();
    first.setHistoryData(QStringLiteral("/first"));
    second.setHistoryData(QStringLiteral("/second"));
    first.setHistoryData(QStringLiteral("/first-again"));
    const QStringList expected{"/first-again", "/second", "/first", "/old"};
    EXPECT_EQ(first.historyPaths(), expected);
    History reread(path);
    reread.readHistoryData();
    EXPECT_EQ(reread.historyPaths(), expected);
}

// A path whose bytes are not UTF-8 (a Latin-1 file name) is written back as the same bytes.
TEST(HistoryFile, EntriesThatAreNotUtf8KeepTheirBytes)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.INI"));
    writeBytes(path, "[History]\nFile0=/caf\xe9.html\nCount=1\n");
    History history(path);
    history.readHistoryData();
    EXPECT_EQ(history.titles(), QStringList{QStringLiteral("caf\uFFFD.html")});
    history.setHistoryData(QStringLiteral("/new.html"));
    EXPECT_EQ(readBytes(path), QByteArray("[History]\nFile0=/new.html\nCount=2\nFile1=/caf\xe9.html\n"));
}

TEST(FileTitle, IsTheTextAfterTheLastSeparator)
{
    const char* const cases[][2] = {{"C:\\web\\a.html", "a.html"}, {"/home/u/b.html", "b.html"}, {"/x\\y/c", "y/c"},
                                    {"C:d.html", "d.html"},        {"e.html", "e.html"},         {"/dir/", ""}};
    for (const auto& [path, title] : cases)
        EXPECT_EQ(getFileTitle(QString::fromUtf8(path)), QString::fromUtf8(title)) << path;
}

} // namespace
