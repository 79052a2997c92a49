#pragma once

#include <QRect>
#include <QWidget>

// Layout values are in twips: 1/1440 inch, 15 to a pixel at 96 dots per inch.
inline int twipsToPixels(int twips, const QWidget* widget)
{
    const int dpi = widget ? widget->logicalDpiX() : 96;
    return qRound(twips * dpi / 1440.0);
}

inline QRect twipsRect(int left, int top, int width, int height, const QWidget* widget)
{
    return QRect(twipsToPixels(left, widget), twipsToPixels(top, widget), twipsToPixels(width, widget),
                 twipsToPixels(height, widget));
}
