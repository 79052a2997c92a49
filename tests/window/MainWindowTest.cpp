#include "WindowFixture.h"
#include "dialogs/ColorLegendWindow.h"
#include "window/MessageBoxPrompter.h"

#include <QApplication>
#include <QCheckBox>
#include <QMenuBar>
#include <QScreen>
#include <QTest>

namespace {

using MainWindowTest = WindowFixture;

TEST_F(MainWindowTest, StartsEmptyWithTheNineLinkKinds)
{
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Tarnwick"));
    auto* kinds = control<QComboBox>("moveKindCombo");
    ASSERT_EQ(kinds->count(), 9);
    EXPECT_EQ(kinds->currentText(), QStringLiteral("次のリンク"));
    EXPECT_EQ(kinds->itemText(8), QStringLiteral("未調査リンク"));
    EXPECT_TRUE(control<QPlainTextEdit>("pathEdit")->toPlainText().isEmpty());
    EXPECT_TRUE(window.editor().text().isEmpty());
    EXPECT_FALSE(control<QProgressBar>("progressBar")->isVisibleTo(&window));
    EXPECT_TRUE(control<QCheckBox>("backupCheckBox")->isChecked());
    EXPECT_EQ(button("checkOneLinkButton")->text(), QStringLiteral("単一調査(I)"));
    EXPECT_FALSE(window.document().docLoaded);
    expectUnlocked();
}

TEST_F(MainWindowTest, MenusCarryTheirCaptions)
{
    QStringList titles;
    for (QAction* action : window.menuBar()->actions())
        titles.append(action->text());
    EXPECT_EQ(titles, (QStringList{QStringLiteral("ファイル(&F)"), QStringLiteral("文字コード(&E)"),
                                   QCoreApplication::translate("MainWindow", "&Search"), QStringLiteral("リンク(&K)"),
                                   QStringLiteral("表示(&V)"), QStringLiteral("ヘルプ(&H)")}));
    for (const auto& [name, caption] :
         {std::pair{"openAction", "開く(&O)"}, std::pair{"exitAction", "終了(&X)"},
          std::pair{"colorLegendAction", "リンク文字列の色(&C)"}, std::pair{"aboutAction", "バージョン情報(&A)"}}) {
        auto* action = window.findChild<QAction*>(QString::fromLatin1(name));
        ASSERT_NE(action, nullptr) << name;
        EXPECT_EQ(action->text(), QString::fromUtf8(caption));
    }
}

TEST_F(MainWindowTest, LayoutFollowsTheWindowAndKeepsAPositiveEditorHeight)
{
    window.show();
    auto* editorArea = control<QWidget>("editorArea");
    auto* strip = control<QWidget>("statusStrip");
    auto* editor = control<QPlainTextEdit>("documentEdit");
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

// On any screen, at any scale (ctest runs this on a 1000-pixel-high screen at a scale factor of 2 too), the window
// opens wholly within the screen's available area, frame and all, with the status strip in sight at its bottom.
TEST_F(MainWindowTest, OpensWhollyOnScreenWithTheStatusStripInSight)
{
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const QRect available = window.screen()->availableGeometry();
    EXPECT_TRUE(available.contains(window.frameGeometry()))
        << window.frameGeometry().height() << " high on a screen of " << available.height();
    EXPECT_EQ(control<QWidget>("statusStrip")->geometry().bottom(), window.centralWidget()->rect().bottom());
    EXPECT_GT(control<QWidget>("editorArea")->height(), 0);
}

// Counts the paints of one widget.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }
    int paints = 0;
};

TEST_F(MainWindowTest, TheProgressBarFollowsALongCheckWithoutARepaintPerLink)
{
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    constexpr int Links = 3000;
    QByteArray text = "<html><a name=a>A</a>\r\n";
    for (int i = 0; i < Links; ++i)
        text += "<a href=#a>x</a>\r\n";
    const PaintCounter bar(control<QProgressBar>("progressBar"));
    load(writeDocument(QStringLiteral("many.html"), text));
    EXPECT_EQ(window.linkSpans().count(), Links);
    EXPECT_GT(bar.paints, 0);
    // A repaint per link is what this guards against; a few every 50 ms stay far below it.
    EXPECT_LT(bar.paints, Links / 10);
}

TEST_F(MainWindowTest, EnterInThePathBoxDoesNothing)
{
    auto* path = control<QPlainTextEdit>("pathEdit");
    path->setPlainText(writeDocument(QStringLiteral("a.html"), "<html>"));
    path->moveCursor(QTextCursor::End);
    QTest::keyClick(path, Qt::Key_Return);
    QTest::keyClick(path, Qt::Key_Enter);
    EXPECT_FALSE(path->toPlainText().contains(u'\n'));
    EXPECT_FALSE(window.document().docLoaded);
    EXPECT_TRUE(prompter.asked.isEmpty());
}

TEST_F(MainWindowTest, ExitButtonClosesAnIdleWindow)
{
    window.show();
    button("exitButton")->click();
    EXPECT_FALSE(window.isVisible());
}

TEST(MessageBoxPrompterFilter, TurnsPairsIntoQtFilters)
{
    EXPECT_EQ(
        MessageBoxPrompter::toQtFilter(QStringLiteral("HTMLファイル (*.HTM;*.HTML)|*.HTM;*HTML|すべてのファイル|*.*")),
        QStringLiteral("HTMLファイル (*.HTM *HTML);;すべてのファイル (*.*)"));
}

} // namespace

namespace {

TEST_F(MainWindowTest, HelpMenuOpensTheLegendWhichClosesWithTheWindow)
{
    window.show();
    window.findChild<QAction*>(QStringLiteral("colorLegendAction"))->trigger();
    window.findChild<QAction*>(QStringLiteral("colorLegendAction"))->trigger();
    QWidget* legend = nullptr;
    int legends = 0;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (qobject_cast<ColorLegendWindow*>(top) && top->isVisible()) {
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
