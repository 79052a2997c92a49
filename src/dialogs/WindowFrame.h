#pragma once

#include <QMargins>

class QWidget;

// What the window manager's frame takes around a top-level widget. The window manager tells only once the window is
// shown, and not at all without one: these are estimates on the generous side, from the style and the title font,
// so that a window sized or placed by them before it is shown is never cut by its frame.

// The frame's room on each side of the window.
QMargins expectedFrameMargins(const QWidget& window);

// The width the title bar needs to show the window's title whole, beside the window menu's icon and the buttons.
int titleBarWidth(const QWidget& window);
