#include "ScreenPlacement.h"

#include "WindowFrame.h"

#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace {

// `start` moved so that [start, start + length) lies within [low, high), or starting at low when it is too long.
int keptWithin(int start, int length, int low, int high)
{
    return std::max(low, std::min(start, high - length));
}

} // namespace

QSize sizeOnScreen(const QWidget& window, const QSize& wanted)
{
    const QMargins frame = expectedFrameMargins(window);
    const QSize room = window.screen()->availableGeometry().size().shrunkBy(frame);
    return wanted.boundedTo(room);
}

QPoint positionBeside(const QRect& anchor, const QSize& size, const QRect& available)
{
    const int availableEnd = available.x() + available.width();
    int x = anchor.x() + anchor.width();
    if (x + size.width() > availableEnd)
        x = anchor.x() - size.width() >= available.x() ? anchor.x() - size.width() : availableEnd - size.width();
    return QPoint(keptWithin(x, size.width(), available.x(), availableEnd),
                  keptWithin(anchor.y(), size.height(), available.y(), available.y() + available.height()));
}
