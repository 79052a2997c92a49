#pragma once

#include "common/Colorref.h"

#include <QColor>

class QPalette;

// True when the palette writes light text on a dark background.
bool isDarkPalette(const QPalette& palette);

// The colour a link colour is shown in on the text background (QPalette::Base) of a palette. On a light background it
// is the colour itself, as it has always been. On a dark one the darker colours (blue, dark green, teal...) would be
// hard to read: such a colour is lightened, keeping its hue and saturation, just enough for a contrast of 4.5:1 with
// the background, so that the colours still tell the link kinds apart and read as the colours the legend names.
QColor shownLinkColor(Colorref color, const QPalette& palette);
