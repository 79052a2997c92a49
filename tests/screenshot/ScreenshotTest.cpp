#include "ScriptedPrompter.h"
#include "TestPaths.h"
#include "common/CodePage.h"
#include "editor/Colors.h"
#include "links/LinkKinds.h"
#include "window/MainWindow.h"

#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// How many pixels of the image are within a few steps of the colour.
int pixelsNear(const QImage& image, const QColor& color)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (qAbs(pixel.red() - color.red()) < 40 && qAbs(pixel.green() - color.green()) < 40 &&
                qAbs(pixel.blue() - color.blue()) < 40)
                ++count;
        }
    }
    return count;
}

// A real screenshot of the window on an X server (the test runs under Xvfb), with the sample loaded.
TEST(Screenshot, WindowShowsTheSampleWithPaintedLinks)
{
    if (QGuiApplication::platformName() != QStringLiteral("xcb"))
        GTEST_SKIP() << "needs an X server; run through run_screenshot_test.sh";
    ScriptedPrompter prompter;
    const QTemporaryDir settings;
    MainWindow window(prompter, settings.filePath(QStringLiteral("tarnwick.INI")));
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.findChild<QPlainTextEdit*>(QStringLiteral("pathEdit"))
        ->setPlainText(QStringLiteral(TARNWICK_SOURCE_DIR "/examples/sample/index.html"));
    window.findChild<QPushButton*>(QStringLiteral("loadButton"))->click();
    ASSERT_TRUE(QTest::qWaitFor([&window] { return !window.runState().isBusy; }, 30000));
    ASSERT_TRUE(window.document().docLoaded);
    QTest::qWait(300);

    const QImage shot = window.screen()->grabWindow(0).toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(shot.isNull());
    shot.save(QStringLiteral("tarnwick-window.png"));
    QSet<QRgb> colours;
    for (int y = 0; y < shot.height(); y += 2) {
        for (int x = 0; x < shot.width(); x += 2)
            colours.insert(shot.pixel(x, y));
    }
    EXPECT_GT(colours.size(), 20) << "the screen looks blank";
    // The sample has links of every class: their colours show on screen.
    for (Colorref color : {LinkColor::OkFile, LinkColor::NgFile, LinkColor::NgWeb, LinkColor::NotChecked})
        EXPECT_GT(pixelsNear(shot, toQColor(color)), 20) << std::hex << color;
}

} // namespace
