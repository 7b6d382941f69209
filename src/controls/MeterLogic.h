#pragma once

namespace glimmer::meter {

// The value rules shared by the two meters (the LED bar and the scale). All in single
// precision, as the meters store their values.

/// The value a write of @p requested leaves when the meter shows @p current: with a jump ratio
/// r > 0 the value moves at most r × (maxValue − minValue) towards the request in one write;
/// with r = 0 it takes the request at once.
float steppedValue(float current, float requested, float maxJumpRatio, float minValue,
                   float maxValue);
/// The jump ratio kept within 0 to 1.
float clampedJumpRatio(float ratio);
/// The lower bound stored for a request of @p requested: above maxValue it is replaced by the
/// whole part of maxValue × 0.9.
float acceptedMinValue(float requested, float maxValue);
/// The upper bound stored for a request of @p requested: below minValue it is replaced by
/// minValue × 1.1 + 1.
float acceptedMaxValue(float requested, float minValue);
/// How many of @p numLeds LEDs light for @p value: a started LED lights; 0 when the range is
/// empty.
int litCount(float value, float minValue, float maxValue, int numLeds);
/// The highlight length of a scale whose bar spans @p span pixels: the value's share of the
/// span, rounded up to a whole pixel; 0 when the range is empty.
int highlightLength(float value, float minValue, float maxValue, int span);

} // namespace glimmer::meter
