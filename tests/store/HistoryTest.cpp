#include "StoreTestSupport.h"
#include "store/History.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

struct ReadCase {
    const char* name;
    QByteArray ini;
    int maxCount;
    QStringList paths;
};

void PrintTo(const ReadCase& c, std::ostream* out)
{
    *out << c.name;
}

class HistoryRead : public ::testing::TestWithParam<ReadCase> {};

TEST_P(HistoryRead, FollowsTheCountAndMaxCountRules)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.INI"));
    writeBytes(path, GetParam().ini);
    History history(path);
    EXPECT_TRUE(history.Fnc_ReadHistoryData());
    EXPECT_EQ(history.HistoryMaxCount(), GetParam().maxCount);
    EXPECT_EQ(history.HistoryPaths(), GetParam().paths);
    EXPECT_EQ(history.HistoryCount(), GetParam().paths.size());
}

const QByteArray TwoFiles = "[History]\nFile0=/a.html\nFile1=/b.html\nFile2=/c.html\n";

INSTANTIATE_TEST_SUITE_P(
    Files, HistoryRead,
    ::testing::Values(
        ReadCase{"Empty", "", 50, {}},
        ReadCase{"TwoEntries", TwoFiles + "Count=2", 50, {"/a.html", "/b.html"}},
        ReadCase{"MissingFileKeysAreEmpty", "[History]\nCount=3\nFile1=/b.html\n", 50, {"", "/b.html", ""}},
        ReadCase{"CountHalvesToEven", TwoFiles + "Count=2.5", 50, {"/a.html", "/b.html"}},
        ReadCase{"CountRoundsUp", TwoFiles + "Count=2.51", 50, {"/a.html", "/b.html", "/c.html"}},
        ReadCase{"CountBeyond32Bits", TwoFiles + "Count=99999999999", 50, {}},
        ReadCase{"CountNegative", TwoFiles + "Count=-1", 50, {}},
        ReadCase{"CountHalfRoundsToZero", TwoFiles + "Count=0.5", 50, {}},
        ReadCase{"CountNotANumber", TwoFiles + "Count=abc", 50, {}},
        ReadCase{"CountNotLimitedByMaxCount", TwoFiles + "Count=3\nMaxCount=1", 1, {"/a.html", "/b.html", "/c.html"}},
        ReadCase{"MaxCountNotANumber", "[History]\nMaxCount=abc", 50, {}},
        ReadCase{"MaxCountZero", "[History]\nMaxCount=0", 50, {}},
        ReadCase{"MaxCountAboveLimit", "[History]\nMaxCount=30001", 50, {}},
        ReadCase{"MaxCountAtLimit", "[History]\nMaxCount=30000", 30000, {}},
        ReadCase{"MaxCountHalvesToEven", "[History]\nMaxCount=2.5", 2, {}},
        ReadCase{"MaxCountExponent", "[History]\nMaxCount=1e3", 1000, {}},
        ReadCase{"DuplicatesFirstWins", "[history]\nfile0=/a\nFILE0=/b\ncount=1\nmaxcount=3\n[HISTORY]\nCount=5",
                 3, {"/a"}},
        ReadCase{"OtherSectionIgnored", "[Other]\nCount=1\nFile0=/x\n", 50, {}}),
    [](const ::testing::TestParamInfo<ReadCase>& info) { return std::string(info.param.name); });

TEST(HistoryReadBounds, AHugeCountReadsNoMoreThanTheLimit)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.INI"));
    writeBytes(path, "[History]\nCount=2147483647\nFile0=/first.html\n");
    History history(path);
    EXPECT_TRUE(history.Fnc_ReadHistoryData());
    ASSERT_EQ(history.HistoryCount(), History::MaxCountLimit);
    EXPECT_EQ(history.HistoryPaths().first(), QStringLiteral("/first.html"));
    EXPECT_EQ(history.HistoryPaths().last(), QString());
}

TEST(HistoryReadBounds, AnUnreadableFileGivesTheDefaults)
{
    QTemporaryDir dir;
    History history(dir.path());  // a folder where the file should be
    EXPECT_FALSE(history.Fnc_ReadHistoryData());
    EXPECT_EQ(history.HistoryCount(), 0);
    EXPECT_EQ(history.HistoryMaxCount(), History::DefaultMaxCount);
}

class HistorySet : public ::testing::Test {
protected:
    // Reads a history of the given entries from a hand-written INI file.
    void start(const QStringList& paths, const QByteArray& maxCount = QByteArray(), const QByteArray& extra = QByteArray())
    {
        QByteArray ini = "; my notes\n[History]\n";
        if (!maxCount.isEmpty())
            ini += "MaxCount=" + maxCount + "\n";
        for (qsizetype i = 0; i < paths.size(); ++i)
            ini += "File" + QByteArray::number(i) + "=" + paths[i].toUtf8() + "\n";
        ini += "Count=" + QByteArray::number(paths.size()) + "\n" + extra;
        writeBytes(path, ini);
        ASSERT_TRUE(history.Fnc_ReadHistoryData());
    }
    QStringList reread() const
    {
        History again(path);
        again.Fnc_ReadHistoryData();
        return again.HistoryPaths();
    }

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.INI"));
    History history{path};
};

TEST_F(HistorySet, MovesAKnownPathToTheFront)
{
    start({"/0", "/1", "/2", "/3", "/4"});
    QSignalSpy titles(&history, &History::titlesChanged);
    EXPECT_TRUE(history.Fnc_SetHistoryData(QStringLiteral("/3")));
    EXPECT_EQ(history.HistoryPaths(), (QStringList{"/3", "/0", "/1", "/2", "/4"}));
    EXPECT_EQ(reread(), history.HistoryPaths());
    ASSERT_EQ(titles.count(), 1);
    EXPECT_EQ(titles.at(0).at(0).toStringList(), (QStringList{"3", "0", "1", "2", "4"}));

    EXPECT_TRUE(history.Fnc_SetHistoryData(QStringLiteral("/3")));  // already first: order kept, file rewritten
    EXPECT_EQ(history.HistoryPaths(), (QStringList{"/3", "/0", "/1", "/2", "/4"}));
    EXPECT_EQ(titles.count(), 2);
}

TEST_F(HistorySet, LetterCaseMakesAnotherEntry)
{
    start({"/a.html"});
    history.Fnc_SetHistoryData(QStringLiteral("/A.html"));
    EXPECT_EQ(history.HistoryPaths(), (QStringList{"/A.html", "/a.html"}));
}

TEST_F(HistorySet, AFullListDropsItsOldestEntryAndLeavesStaleKeys)
{
    start({"/a", "/b", "/c"}, "3", "File3=/stale\n");
    history.Fnc_SetHistoryData(QStringLiteral("/new"));
    EXPECT_EQ(history.HistoryPaths(), (QStringList{"/new", "/a", "/b"}));
    EXPECT_EQ(readBytes(path), QByteArray("; my notes\n[History]\nMaxCount=3\nFile0=/new\nFile1=/a\nFile2=/b\n"
                                          "Count=3\nFile3=/stale\n"));
}

TEST_F(HistorySet, MaxCountOneKeepsOneEntry)
{
    start({}, "1");
    history.Fnc_SetHistoryData(QStringLiteral("/a"));
    history.Fnc_SetHistoryData(QStringLiteral("/b"));
    EXPECT_EQ(history.HistoryPaths(), QStringList{"/b"});
    EXPECT_EQ(reread(), QStringList{"/b"});
}

TEST_F(HistorySet, AListReadLongerThanTheMaximumKeepsItsLength)
{
    start({"/a", "/b", "/c", "/d"}, "2");
    history.Fnc_SetHistoryData(QStringLiteral("/new"));
    EXPECT_EQ(history.HistoryPaths(), (QStringList{"/new", "/a", "/b", "/c"}));
}

TEST_F(HistorySet, FirstRunCreatesTheFile)
{
    QFile::remove(path);
    ASSERT_TRUE(history.Fnc_ReadHistoryData());
    EXPECT_TRUE(history.Fnc_SetHistoryData(QStringLiteral("/home/u/日本 語.v2.html")));
    EXPECT_EQ(readBytes(path), QByteArray("[History]\nFile0=/home/u/日本 語.v2.html\nCount=1\n"));
}

TEST_F(HistorySet, AWriteThatFailsStillChangesTheList)
{
    start({"/a"});
    const QByteArray before = readBytes(path);
    QFile::setPermissions(path, QFileDevice::ReadOwner);
    EXPECT_FALSE(history.Fnc_SetHistoryData(QStringLiteral("/b")));
    EXPECT_EQ(history.HistoryPaths(), (QStringList{"/b", "/a"}));
    // A path that would break the file into lines of its own is never stored.
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    EXPECT_FALSE(history.Fnc_SetHistoryData(QStringLiteral("/x\n[History]\nCount=0")));
    EXPECT_EQ(readBytes(path), before);
}

struct TitleCase {
    const char* path;
    const char* title;
};

void PrintTo(const TitleCase& c, std::ostream* out)
{
    *out << '"' << c.path << '"';
}

class FileTitle : public ::testing::TestWithParam<TitleCase> {};

TEST_P(FileTitle, IsTheTextAfterTheLastSeparator)
{
    EXPECT_EQ(Fnc_GetFileTitle(QString::fromUtf8(GetParam().path)), QString::fromUtf8(GetParam().title));
}

INSTANTIATE_TEST_SUITE_P(Paths, FileTitle,
                         ::testing::Values(TitleCase{"C:\\web\\a.html", "a.html"}, TitleCase{"/home/u/b.html", "b.html"},
                                           TitleCase{"/x\\y/c.html", "y/c.html"}, TitleCase{"C:d.html", "d.html"},
                                           TitleCase{"e.html", "e.html"}, TitleCase{"/dir/", ""},
                                           TitleCase{"", ""}));

} // namespace
