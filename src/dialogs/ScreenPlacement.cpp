#include "ScreenPlacement.h"

#include "WindowFrame.h"

#include <QScreen>
#include <QWidget>

QSize sizeOnScreen(const QWidget& window, const QSize& wanted)
{
    const QMargins frame = expectedFrameMargins(window);
    const QSize room = window.screen()->availableGeometry().size().shrunkBy(frame);
    return wanted.boundedTo(room);
}
