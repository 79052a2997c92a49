#include "WindowFixture.h"
#include "dialogs/SFrm_ColorHelp.h"
#include "window/MessageBoxPrompter.h"

#include <QApplication>
#include <QCheckBox>
#include <QMenuBar>
#include <QTest>

namespace {

using MainWindow = WindowFixture;

TEST_F(MainWindow, StartsEmptyWithTheEightLinkKinds)
{
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Tarnwick"));
    auto* kinds = control<QComboBox>("Cmb2");
    ASSERT_EQ(kinds->count(), 8);
    EXPECT_EQ(kinds->currentText(), QStringLiteral("次のリンク"));
    EXPECT_EQ(kinds->itemText(7), QStringLiteral("未調査リンク"));
    EXPECT_TRUE(control<QPlainTextEdit>("Text1")->toPlainText().isEmpty());
    EXPECT_TRUE(window.editor().text().isEmpty());
    EXPECT_FALSE(control<QProgressBar>("ProgressBar1")->isVisibleTo(&window));
    EXPECT_TRUE(control<QCheckBox>("Check1")->isChecked());
    EXPECT_EQ(button("Command3_0")->text(), QStringLiteral("単一調査(I)"));
    EXPECT_FALSE(window.state().DocLoaded);
    expectUnlocked();
}

TEST_F(MainWindow, MenusCarryTheirCaptions)
{
    QStringList titles;
    for (QAction* action : window.menuBar()->actions())
        titles.append(action->text());
    EXPECT_EQ(titles, (QStringList{QStringLiteral("ファイル(&F)"), QStringLiteral("ヘルプ(&H)")}));
    for (const auto& [name, caption] : {std::pair{"MENU_OPEN", "開く(&O)"}, std::pair{"MENU_END", "終了(&X)"},
                                        std::pair{"MENU_COLOR", "リンク文字列の色(&C)"},
                                        std::pair{"MENU_Version", "バージョン情報(&A)"}}) {
        auto* action = window.findChild<QAction*>(QString::fromLatin1(name));
        ASSERT_NE(action, nullptr) << name;
        EXPECT_EQ(action->text(), QString::fromUtf8(caption));
    }
}

TEST_F(MainWindow, LayoutFollowsTheWindowAndKeepsAPositiveEditorHeight)
{
    window.show();
    auto* editorArea = control<QWidget>("Picture1");
    auto* strip = control<QWidget>("Picture2");
    auto* editor = control<QPlainTextEdit>("RTextB");
    window.resize(900, 700);
    QCoreApplication::processEvents();
    const int inner = window.centralWidget()->height();
    EXPECT_EQ(strip->y() + strip->height(), inner);
    EXPECT_EQ(strip->width(), window.centralWidget()->width());
    EXPECT_EQ(editorArea->y() + editorArea->height(), strip->y());
    EXPECT_EQ(editor->size(), editorArea->size());
    const int lastHeight = editorArea->height();
    window.resize(200, 60);
    QCoreApplication::processEvents();
    EXPECT_EQ(editorArea->height(), lastHeight);
    EXPECT_GT(editor->height(), 0);
}

TEST_F(MainWindow, EnterInThePathBoxDoesNothing)
{
    auto* path = control<QPlainTextEdit>("Text1");
    path->setPlainText(writeDocument(QStringLiteral("a.html"), "<html>"));
    path->moveCursor(QTextCursor::End);
    QTest::keyClick(path, Qt::Key_Return);
    QTest::keyClick(path, Qt::Key_Enter);
    EXPECT_FALSE(path->toPlainText().contains(u'\n'));
    EXPECT_FALSE(window.state().DocLoaded);
    EXPECT_TRUE(prompter.asked.isEmpty());
}

TEST_F(MainWindow, ExitButtonClosesAnIdleWindow)
{
    window.show();
    button("Cmd1_0")->click();
    EXPECT_FALSE(window.isVisible());
}

TEST(MessageBoxPrompterFilter, TurnsPairsIntoQtFilters)
{
    EXPECT_EQ(MessageBoxPrompter::toQtFilter(QStringLiteral("HTMLファイル (*.HTM;*.HTML)|*.HTM;*HTML|すべてのファイル|*.*")),
              QStringLiteral("HTMLファイル (*.HTM *HTML);;すべてのファイル (*.*)"));
}

} // namespace

namespace {

TEST_F(MainWindow, HelpMenuOpensTheLegendWhichClosesWithTheWindow)
{
    window.show();
    window.findChild<QAction*>(QStringLiteral("MENU_COLOR"))->trigger();
    window.findChild<QAction*>(QStringLiteral("MENU_COLOR"))->trigger();
    QWidget* legend = nullptr;
    int legends = 0;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (qobject_cast<SFrm_ColorHelp*>(top) && top->isVisible()) {
            legend = top;
            ++legends;
        }
    }
    ASSERT_EQ(legends, 1);
    window.close();
    QCoreApplication::processEvents();
    EXPECT_FALSE(legend->isVisible());
}

} // namespace
