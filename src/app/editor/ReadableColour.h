#pragma once

#include <QColor>

namespace notaro::app {

/// Relative luminance of @p colour as the contrast formula of the web accessibility guidelines
/// defines it: 0 for black, 1 for white, from the linearised sRGB channels.
double relativeLuminance(const QColor& colour);
/// (L1 + 0.05) / (L2 + 0.05) with L1 the lighter colour's luminance: 1 to 21.
double contrastRatio(const QColor& a, const QColor& b);
/// @p colour itself when it reaches @p minimum contrast against @p background, otherwise the
/// least mix of it with black (on a light background) or white (on a dark one) that does, so
/// that its hue stays recognisable.
QColor readableOn(const QColor& colour, const QColor& background, double minimum = 4.5);

} // namespace notaro::app
