#pragma once

#include "playback/TempoRamp.h"

#include <cstdint>

namespace notaro::playback {

/// The practice tools of one play call: looping, count-in, click, tempo and its ramp.
/// The defaults play the stretch once, as written, with no click.
struct PracticeOptions {
    /// Passes through the stretch; kUntilStopped loops until stopPlaying.
    int32_t passes = 1;
    /// Bars of clicks before the first note (0, 1 or 2), at the first pass's tempo and the
    /// tempo in force at the start note.
    int32_t countInBars = 0;
    /// A click on every beat while the notes play.
    bool click = false;
    /// Quarter-note beats in a bar (1 to 16): the click accents the first of each.
    int32_t beatsPerBar = 4;
    /// The first pass's tempo in percent of the score's own (25 to 200), when the ramp is off.
    int32_t tempoPercent = 100;
    /// Raises the tempo from pass to pass; when on, its start replaces tempoPercent.
    TempoRamp ramp;

    static constexpr int32_t kUntilStopped = 0;
    static constexpr int32_t kMaxCountInBars = 2;
    static constexpr int32_t kMinBeatsPerBar = 1;
    static constexpr int32_t kMaxBeatsPerBar = 16;

    /// Whether every field is within its range (the ramp's too).
    bool isValid() const noexcept;
    /// The tempo of the first pass in percent.
    int32_t firstPercent() const noexcept { return ramp.on ? ramp.startPercent : tempoPercent; }
    /// True when these options change nothing: a single pass at 100 %, no count-in, no click.
    bool isPlain() const noexcept {
        return passes == 1 && countInBars == 0 && !click && firstPercent() == 100;
    }
};

} // namespace notaro::playback
