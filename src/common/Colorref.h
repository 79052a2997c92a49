#pragma once

#include <QColor>
#include <QtGlobal>

// A colour as the program stores it: 0x00BBGGRR, red in the low byte. Ordinary text is black (0).
using Colorref = quint32;

inline QColor toQColor(Colorref c)
{
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

inline Colorref toColorref(const QColor& c)
{
    return Colorref(c.red()) | (Colorref(c.green()) << 8) | (Colorref(c.blue()) << 16);
}
