#include "dialogs/ColorLegendWindow.h"

#include "common/PromptText.h"
#include "editor/Contrast.h"
#include "editor/RichTextBox.h"
#include "links/ReasonText.h"
#include "window/WindowTexts.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>

#include <gtest/gtest.h>

namespace {

const QString LegendText = QStringLiteral("Webにリンクしています。(OK：Webリンク)\r\n"
                                          "Fileにリンクしています。(OK：Fileリンク)\r\n"
                                          "ページ内でリンクしています。(OK：ページリンク)\r\n"
                                          "Webでリンク先が見つかりません。(NG：Webリンク)\r\n"
                                          "Fileが見つかりません。(NG：Fileリンク)\r\n"
                                          "ページ内でリンク先が見つかりません。(NG：ページリンク)\r\n"
                                          "リンク確認を行いません。(未調査リンク)");

const QColor LineColors[] = {{0, 0, 255},   {0, 128, 128}, {0, 64, 0},     {255, 0, 0},
                             {255, 0, 255}, {192, 64, 0},  {136, 136, 136}};

// A main window whose close request can be refused, as the save question can refuse it.
class MainWindow : public QWidget {
public:
    bool refuseClose = false;

protected:
    void closeEvent(QCloseEvent* event) override { event->setAccepted(!refuseClose); }
};

class ColorHelpTest : public ::testing::Test {
protected:
    void SetUp() override { mainWindow.show(); }
    void TearDown() override
    {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (qobject_cast<ColorLegendWindow*>(window))
                window->close();
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    static QTextEdit* textBox(QWidget* legend) { return legend->findChild<QTextEdit*>(QStringLiteral("legendText")); }
    static QPushButton* okButton(QWidget* legend)
    {
        return legend->findChild<QPushButton*>(QStringLiteral("okButton"));
    }

    // The legend as the main window shows it: one line per display class.
    ColorLegendWindow* showLegend()
    {
        QList<ColorLegendWindow::Line> lines;
        for (const LinkClass linkClass : AllLinkClasses)
            lines.append({linkClassSentence(linkClass), linkClassLabel(linkClass), colorOf(linkClass)});
        return ColorLegendWindow::showFor(&mainWindow, lines);
    }

    MainWindow mainWindow;
};

TEST_F(ColorHelpTest, ShowsTheSevenLinesSeparatedByCrLf)
{
    QWidget* legend = showLegend();
    EXPECT_EQ(legend->windowTitle(), QStringLiteral("リンク文字列の色"));
    EXPECT_EQ(legend->findChild<QLabel*>(QStringLiteral("headingLabel"))->text(),
              QStringLiteral("リンク文字列の色と意味"));
    EXPECT_EQ(okButton(legend)->text(), QStringLiteral("OK(&O)"));
    EXPECT_EQ(RichTextBox(textBox(legend)->document()).text(), LegendText);
}

// Each line is written in its colour; on a dark palette, in a variant of it that reads well there.
TEST_F(ColorHelpTest, EveryCharacterTakesItsLinesColour)
{
    QWidget* window = showLegend();
    const QTextDocument* legend = textBox(window)->document();
    ASSERT_EQ(legend->blockCount(), 7);
    for (QTextBlock line = legend->begin(); line.isValid(); line = line.next()) {
        for (auto it = line.begin(); !it.atEnd(); ++it)
            EXPECT_EQ(it.fragment().charFormat().foreground().color(), LineColors[line.blockNumber()])
                << "line " << line.blockNumber() + 1;
    }
    QPalette dark;
    dark.setColor(QPalette::Base, QColor(0x23, 0x26, 0x29));
    dark.setColor(QPalette::Text, QColor(0xef, 0xf0, 0xf1));
    window->setPalette(dark);
    for (QTextBlock line = legend->begin(); line.isValid(); line = line.next())
        EXPECT_GE(contrastRatio(line.begin().fragment().charFormat().foreground().color(), dark.color(QPalette::Base)),
                  ReadableContrast)
            << "line " << line.blockNumber() + 1;
}

TEST_F(ColorHelpTest, OpensWithTheCaretAtTheStartInTheBoldGothicFaceAndNoScrolling)
{
    QTextEdit* text = textBox(showLegend());
    QApplication::processEvents();
    EXPECT_EQ(text->textCursor().position(), 0);
    EXPECT_FALSE(text->textCursor().hasSelection());
    const QFontInfo face(text->font());
    EXPECT_EQ(face.family(), QStringLiteral("IPAPGothic"));
    EXPECT_TRUE(face.bold());
    EXPECT_DOUBLE_EQ(text->font().pointSizeF(), 11.25);
    EXPECT_EQ(text->horizontalScrollBar()->maximum(), 0);
    EXPECT_EQ(text->verticalScrollBar()->maximum(), 0);
}

// Where the main window leaves room, the legend opens beside it, level with its top, and never off the screen.
TEST_F(ColorHelpTest, OpensBesideTheMainWindowWithinTheScreen)
{
    const QRect screen = mainWindow.screen()->availableGeometry();
    const QSize third(screen.width() / 3, screen.height() / 2);
    for (const auto& [name, geometry, roomBeside] :
         {std::tuple{"at the left", QRect(screen.topLeft() + QPoint(20, 40), third), true},
          std::tuple{"at the right", QRect(screen.topRight() - QPoint(third.width() + 20, -40), third), true},
          std::tuple{"over the whole screen", screen, false}}) {
        mainWindow.setGeometry(geometry);
        QWidget* legend = showLegend();
        const QRect legendFrame = legend->frameGeometry();
        EXPECT_TRUE(screen.contains(legendFrame)) << name;
        if (roomBeside) {
            EXPECT_FALSE(legendFrame.intersects(mainWindow.frameGeometry())) << name;
            EXPECT_EQ(legendFrame.top(), mainWindow.frameGeometry().top()) << name;
        }
        legend->close();
    }
}

TEST_F(ColorHelpTest, TheKeyboardFocusNeverStaysInTheText)
{
    QWidget* legend = showLegend();
    legend->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(legend));
    QTextEdit* text = textBox(legend);
    QPushButton* ok = okButton(legend);
    EXPECT_EQ(QApplication::focusWidget(), ok);

    QTest::mouseClick(text->viewport(), Qt::LeftButton, {}, QPoint(30, 10));
    EXPECT_EQ(QApplication::focusWidget(), ok);
    QTest::keyClick(ok, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), ok);
    QTest::keyClicks(text, QStringLiteral("typed"));
    QTest::keyClick(text, Qt::Key_Delete);
    EXPECT_EQ(RichTextBox(text->document()).text(), LegendText);
}

TEST_F(ColorHelpTest, OpeningTwiceBringsUpTheOneWindowAsItIs)
{
    ColorLegendWindow* first = showLegend();
    QTextCursor selection = textBox(first)->textCursor();
    selection.setPosition(5, QTextCursor::KeepAnchor);
    textBox(first)->setTextCursor(selection);

    EXPECT_EQ(showLegend(), first);
    EXPECT_EQ(textBox(first)->textCursor().selectionEnd(), 5);
    int open = 0;
    for (QWidget* window : QApplication::topLevelWidgets())
        open += qobject_cast<ColorLegendWindow*>(window) && window->isVisible();
    EXPECT_EQ(open, 1);
}

TEST_F(ColorHelpTest, OkClosesItAndTheNextOpeningBuildsItAnew)
{
    QPointer<ColorLegendWindow> first = showLegend();
    okButton(first)->click();
    EXPECT_FALSE(first->isVisible());
    // Reopened before the closed one has been deleted.
    ColorLegendWindow* second = showLegend();
    EXPECT_NE(second, first.data());
    EXPECT_TRUE(second->isVisible());
    EXPECT_EQ(RichTextBox(textBox(second)->document()).text(), LegendText);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(first.isNull());
}

TEST_F(ColorHelpTest, ClosingTheMainWindowClosesIt)
{
    QPointer<ColorLegendWindow> legend = showLegend();
    mainWindow.close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(legend.isNull());
}

TEST_F(ColorHelpTest, ARefusedCloseOfTheMainWindowLeavesItOpen)
{
    QPointer<ColorLegendWindow> legend = showLegend();
    mainWindow.refuseClose = true;
    mainWindow.close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_FALSE(legend.isNull());
    EXPECT_TRUE(legend->isVisible());
}

TEST_F(ColorHelpTest, MinimisingTheMainWindowLeavesItOpen)
{
    QPointer<ColorLegendWindow> legend = showLegend();
    mainWindow.showMinimized(); // the window system reports a minimised window as hidden
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_FALSE(legend.isNull());
    EXPECT_TRUE(legend->isVisible());
}

} // namespace
