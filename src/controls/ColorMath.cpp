#include "controls/ColorMath.h"

#include <algorithm>

namespace glimmer {

namespace {

int clampChannel(int value, int v) {
    return v >= 0 ? std::min(value, 255) : std::max(value, 0);
}

} // namespace

QColor ColorMath::shift(const QColor& color, int v, bool xp, bool soft) {
    if (soft)
        v /= 2;
    const int red = clampChannel(color.red() + v, v);
    const int green = clampChannel(color.green() + v, v);
    const int blue = clampChannel(xp ? color.blue() + v * color.blue() / 192 : color.blue() + v, v);
    return QColor(red, green, blue);
}

QColor ColorMath::lighten(const QColor& color, int b) {
    auto channel = [b](int c) { return std::min(255, b + (255 - b) * c / 255); };
    return QColor(channel(color.red()), channel(color.green()), channel(color.blue()));
}

} // namespace glimmer
