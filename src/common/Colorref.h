#pragma once

#include <QtGlobal>

// A colour as the program stores it: 0x00BBGGRR, red in the low byte. Ordinary text is black (0).
using Colorref = quint32;
