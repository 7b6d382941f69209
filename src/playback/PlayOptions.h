#pragma once

#include "midi/OnTimeRatios.h"
#include "playback/PracticeOptions.h"

#include <cstdint>

namespace notaro::playback {

/// How cGnsPlay::play sounds a score: the owner's choices for one play call.
struct PlayOptions {
    /// Scales every length (2.0 plays at half speed).
    float timeScale = 1.0f;
    /// 0 to 15.
    int32_t channel = 0;
    /// The note-on velocity.
    uint8_t velocity = 127;
    /// 0 to 127 forces that program; negative follows the score's instrument records.
    int32_t patch = -1;
    /// The share of each note that sounds.
    OnTimeRatios ratios;
    /// Loop, count-in, click and tempo; the defaults play the stretch once as written.
    PracticeOptions practice;
};

} // namespace notaro::playback
