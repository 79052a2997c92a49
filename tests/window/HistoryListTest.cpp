#include "window/HistoryList.h"
#include "common/DocumentState.h"
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
        ASSERT_TRUE(history.Fnc_ReadHistoryData());
        Cmb1.resize(200, 24);
        list.fill();
    }

    QStringList items() const
    {
        QStringList texts;
        for (int i = 0; i < Cmb1.count(); ++i)
            texts.append(Cmb1.itemText(i));
        return texts;
    }

    QTemporaryDir dir;
    History history{dir.filePath(QStringLiteral("t.INI"))};
    DocumentState state;
    QComboBox Cmb1;
    bool discardEdits = true;
    int guardAsked = 0;
    QStringList opened;
    HistoryList list{history, &Cmb1, state,
                     [this] {
                         ++guardAsked;
                         return discardEdits;
                     },
                     [this](const QString& path) { opened.append(path); }};
};

TEST_F(HistoryListTest, StartsWithTheTitlesAndTheNewestSelected)
{
    EXPECT_EQ(items(), (QStringList{"a.html", "b.html", "c.html"}));
    EXPECT_EQ(Cmb1.currentIndex(), 0);
    EXPECT_EQ(Cmb1.view()->minimumWidth(), 0); // not adjusted at start-up
    EXPECT_TRUE(opened.isEmpty());
}

TEST_F(HistoryListTest, AChangeRefillsTheListAndWidensItsDropDown)
{
    Cmb1.setCurrentIndex(2);
    const QString longName = QStringLiteral("とても長い名前のファイル、ドロップダウンより広い.html");
    history.Fnc_SetHistoryData(QStringLiteral("/web/") + longName);
    EXPECT_EQ(items(), (QStringList{longName, "a.html", "b.html", "c.html"}));
    EXPECT_EQ(Cmb1.currentIndex(), 0);
    const int wanted = QFontMetrics(Cmb1.view()->font()).horizontalAdvance(QStringLiteral(" ") + longName);
    EXPECT_GT(wanted, Cmb1.width());
    EXPECT_EQ(Cmb1.view()->minimumWidth(), wanted);
    EXPECT_TRUE(opened.isEmpty()); // the program's own selection opens nothing

    history.Fnc_SetHistoryData(QStringLiteral("/web/a.html")); // the long title is listed still, further down
    EXPECT_EQ(Cmb1.view()->minimumWidth(), wanted);
}

TEST_F(HistoryListTest, PickingAnEntryAsksTheGuardAndOpensItsFullPath)
{
    Cmb1.setFocus();
    QTest::keyClick(&Cmb1, Qt::Key_Down);
    EXPECT_EQ(guardAsked, 1);
    EXPECT_EQ(opened, QStringList{QStringLiteral("C:\\old\\b.html")});

    discardEdits = false;
    QTest::keyClick(&Cmb1, Qt::Key_Down);
    EXPECT_EQ(guardAsked, 2);
    EXPECT_EQ(opened.size(), 1);
    EXPECT_EQ(Cmb1.currentIndex(), 2); // the list keeps showing the picked entry

    state.IsBusy = true;
    QTest::keyClick(&Cmb1, Qt::Key_Up);
    EXPECT_EQ(guardAsked, 2);
    EXPECT_EQ(opened.size(), 1);
}

} // namespace
