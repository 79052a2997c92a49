#include "window/HistoryList.h"
#include "common/RunState.h"
#include "store/History.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class HistoryListTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QFile ini(dir.filePath(QStringLiteral("t.INI")));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write("[History]\nCount=3\nFile0=/web/a.html\nFile1=C:\\old\\b.html\nFile2=/web/c.html\n");
        ini.close();
        ASSERT_TRUE(history.readHistoryData());
        combo.resize(200, 24);
        list.fill();
    }

    QStringList items() const
    {
        QStringList texts;
        for (int i = 0; i < combo.count(); ++i)
            texts.append(combo.itemText(i));
        return texts;
    }

    QTemporaryDir dir;
    History history{dir.filePath(QStringLiteral("t.INI"))};
    RunState run;
    QComboBox combo;
    bool discardEdits = true;
    int guardAsked = 0;
    QStringList opened;
    HistoryList list{history, &combo, run,
                     [this] {
                         ++guardAsked;
                         return discardEdits;
                     },
                     [this](const QString& path) { opened.append(path); }};
};

TEST_F(HistoryListTest, StartsWithTheTitlesAndTheNewestSelected)
{
    EXPECT_EQ(items(), (QStringList{"a.html", "b.html", "c.html"}));
    EXPECT_EQ(combo.currentIndex(), 0);
    EXPECT_EQ(combo.view()->minimumWidth(), 0); // not adjusted at start-up
    EXPECT_TRUE(opened.isEmpty());
}

TEST_F(HistoryListTest, AChangeRefillsTheListAndWidensItsDropDown)
{
    combo.setCurrentIndex(2);
    const QString longName = QStringLiteral("とても長い名前のファイル、ドロップダウンより広い.html");
    history.setHistoryData(QStringLiteral("/web/") + longName);
    EXPECT_EQ(items(), (QStringList{longName, "a.html", "b.html", "c.html"}));
    EXPECT_EQ(combo.currentIndex(), 0);
    const int wanted = QFontMetrics(combo.view()->font()).horizontalAdvance(QStringLiteral(" ") + longName);
    EXPECT_GT(wanted, combo.width());
    EXPECT_EQ(combo.view()->minimumWidth(), wanted);
    EXPECT_TRUE(opened.isEmpty()); // the program's own selection opens nothing

    history.setHistoryData(QStringLiteral("/web/a.html")); // the long title is listed still, further down
    EXPECT_EQ(combo.view()->minimumWidth(), wanted);
}

TEST_F(HistoryListTest, PickingAnEntryAsksTheGuardAndOpensItsFullPath)
{
    combo.setFocus();
    QTest::keyClick(&combo, Qt::Key_Down);
    EXPECT_EQ(guardAsked, 1);
    EXPECT_EQ(opened, QStringList{QStringLiteral("C:\\old\\b.html")});

    discardEdits = false;
    QTest::keyClick(&combo, Qt::Key_Down);
    EXPECT_EQ(guardAsked, 2);
    EXPECT_EQ(opened.size(), 1);
    EXPECT_EQ(combo.currentIndex(), 2); // the list keeps showing the picked entry

    run.isBusy = true;
    QTest::keyClick(&combo, Qt::Key_Up);
    EXPECT_EQ(guardAsked, 2);
    EXPECT_EQ(opened.size(), 1);
}

} // namespace
