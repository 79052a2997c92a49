#pragma once

#include "common/Colorref.h"

#include <QColor>

inline QColor toQColor(Colorref c)
{
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

inline Colorref toColorref(const QColor& c)
{
    return Colorref(c.red()) | (Colorref(c.green()) << 8) | (Colorref(c.blue()) << 16);
}
