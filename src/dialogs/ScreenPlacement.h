#pragma once

#include <QSize>

class QWidget;

// The size a window opens with: `wanted` for its inner area where that fits, with the window's frame, into the
// available area of its screen, and else as much of it as does.
QSize sizeOnScreen(const QWidget& window, const QSize& wanted);
