#pragma once

class QColor;

// The relative luminance of a colour as WCAG defines it: 0 for black, 1 for white.
double relativeLuminance(const QColor& color);

// The WCAG contrast ratio of two colours: 1 for two of the same luminance, 21 for black on white. Text reads well
// from 4.5 up.
double contrastRatio(const QColor& first, const QColor& second);

constexpr double ReadableContrast = 4.5;
