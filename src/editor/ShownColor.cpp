#include "ShownColor.h"

#include "Colors.h"
#include "Contrast.h"

#include <QPalette>

bool isDarkPalette(const QPalette& palette)
{
    return relativeLuminance(palette.color(QPalette::Base)) < relativeLuminance(palette.color(QPalette::Text));
}

QColor shownLinkColor(Colorref color, const QPalette& palette)
{
    const QColor original = toQColor(color);
    const QColor background = palette.color(QPalette::Base);
    if (!isDarkPalette(palette) || contrastRatio(original, background) >= ReadableContrast)
        return original;
    // Lightness only grows the luminance: the first step that reads well is the one nearest the original. Each step is
    // taken in whole 8-bit channels, as it is painted.
    const QColor hsl = original.toHsl();
    for (int lightness = hsl.lightness() + 1; lightness < 255; ++lightness) {
        const QColor step(QColor::fromHsl(hsl.hslHue(), hsl.hslSaturation(), lightness).rgb());
        if (contrastRatio(step, background) >= ReadableContrast)
            return step;
    }
    // A background too light for any colour to reach the ratio gets the most that can be had.
    return QColor(Qt::white);
}
