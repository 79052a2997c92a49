#include "WindowFrame.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QStyle>
#include <QWidget>

#include <algorithm>

namespace {

// Title bars write the title in bold, mostly.
QFontMetrics titleFontMetrics()
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::TitleFont);
    font.setBold(true);
    return QFontMetrics(font);
}

// A title bar taken as tall as the style draws one, or as two lines of its font where that is more: window managers
// draw them about that tall.
int titleBarHeight(const QWidget& window)
{
    return std::max(window.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &window),
                    2 * titleFontMetrics().height());
}

int borderWidth(const QWidget& window)
{
    return window.style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, &window);
}

} // namespace

QMargins expectedFrameMargins(const QWidget& window)
{
    const int border = borderWidth(window);
    return QMargins(border, titleBarHeight(window) + border, border, border);
}

int titleBarWidth(const QWidget& window)
{
    // The icon at one end and three buttons at the other, each as wide as the bar is tall, and a bar's height of room
    // around the title.
    constexpr int SquaresBesideTitle = 5;
    return titleFontMetrics().horizontalAdvance(window.windowTitle()) + SquaresBesideTitle * titleBarHeight(window) +
           2 * borderWidth(window);
}
