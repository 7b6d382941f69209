#pragma once

#include <cstdint>

namespace notaro::playback {

/// Tempo bounds of the practice tools, in percent of the score's own tempo.
inline constexpr int32_t kMinTempoPercent = 25;
inline constexpr int32_t kMaxTempoPercent = 200;

/// A tempo that climbs pass by pass, as a teacher brings a passage up to speed: the first
/// pass at startPercent, each later one stepPercent faster, never past ceilingPercent.
struct TempoRamp {
    bool on = false;
    int32_t startPercent = 70;
    /// 1 to 100.
    int32_t stepPercent = 5;
    /// At or above startPercent; all three within kMinTempoPercent..kMaxTempoPercent.
    int32_t ceilingPercent = 100;

    bool isValid() const noexcept;
    /// The tempo of the pass after one played at current percent: one step up, held at the
    /// ceiling; a tempo already at or over the ceiling (set by hand while playing) stays.
    /// With the ramp off, current.
    int32_t next(int32_t current) const noexcept;
};

} // namespace notaro::playback
