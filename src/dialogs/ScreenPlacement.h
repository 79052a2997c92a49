#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

// The size a window opens with: `wanted` for its inner area where that fits, with the window's frame, into the
// available area of its screen, and else as much of it as does.
QSize sizeOnScreen(const QWidget& window, const QSize& wanted);

// Where a window of frame size `size` goes beside a window whose frame is `anchor`: at its right, else at its left,
// else at the right edge of the area over the anchor; level with its top. Always within `available` (as far as `size`
// fits into it).
QPoint positionBeside(const QRect& anchor, const QSize& size, const QRect& available);
