#include "controls/MeterLogic.h"

#include <cmath>

namespace glimmer::meter {

namespace {

float clamped(float v, float low, float high) {
    return v < low ? low : (v > high ? high : v);
}

// The value's share of the range times @p scale, within 0 … scale; NaN when the range is empty
// or the arithmetic does not give a number.
float share(float value, float minValue, float maxValue, float scale) {
    const float range = maxValue - minValue;
    if (!(range > 0.0f))
        return NAN;
    const float v = clamped(value, minValue, maxValue);
    const float s = (v - minValue) * scale / range;
    if (!std::isfinite(s))
        return NAN;
    return clamped(s, 0.0f, scale);
}

} // namespace

float steppedValue(float current, float requested, float maxJumpRatio, float minValue,
                   float maxValue) {
    if (!(maxJumpRatio > 0.0f))
        return requested;
    const float step = maxJumpRatio * (maxValue - minValue);
    if (requested > current + step)
        return current + step;
    if (requested < current - step)
        return current - step;
    return requested;
}

float clampedJumpRatio(float ratio) {
    return std::isnan(ratio) ? 0.0f : clamped(ratio, 0.0f, 1.0f);
}

float acceptedMinValue(float requested, float maxValue) {
    return requested > maxValue ? std::trunc(maxValue * 0.9f) : requested;
}

float acceptedMaxValue(float requested, float minValue) {
    return requested < minValue ? minValue * 1.1f + 1.0f : requested;
}

int litCount(float value, float minValue, float maxValue, int numLeds) {
    const float g = share(value, minValue, maxValue, static_cast<float>(numLeds));
    if (std::isnan(g))
        return 0;
    const float whole = std::floor(g);
    return static_cast<int>(whole) + (g > whole ? 1 : 0);
}

int highlightLength(float value, float minValue, float maxValue, int span) {
    if (span <= 0)
        return 0;
    const float l = share(value, minValue, maxValue, static_cast<float>(span));
    return std::isnan(l) ? 0 : static_cast<int>(std::ceil(l));
}

} // namespace glimmer::meter
