#pragma once

#include <glimmer/glimmer_export.h>

#include <QColor>

namespace glimmer {

/// The two colour shifts from which the button derives its bevel and gradient colours.
class ColorMath {
public:
    /// Moves each channel by v, clamped to 0..255.
    /// @param color the colour to shift
    /// @param v the shift; halved (towards zero) when @p soft
    /// @param xp XP mode: blue moves by v × blue ÷ 192 instead of v, which keeps XP blues saturated
    /// @param soft the button's soft-bevel setting
    static QColor shift(const QColor& color, int v, bool xp, bool soft);

    /// Blends towards white: each channel becomes b + (255 − b) × channel ÷ 255.
    static QColor lighten(const QColor& color, int b);
};

} // namespace glimmer
