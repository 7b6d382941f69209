#pragma once

#include "midi/MidiResult.h"
#include "midi/OnTimeRatios.h"
#include "midi/tMidiF04.h"
#include "score/cTParse.h"

#include <cstdint>
#include <string>

namespace notaro {

/// Ticks per quarter note in the MIDI files we write.
inline constexpr int16_t kScoreMidiDivision = 192;

/// How a score becomes MIDI events.
struct ScoreMidiOptions {
    /// Multiplies every length (2.0 plays at half speed).
    float timeScale = 1.0f;
    /// 0 to 15.
    int32_t channel = 0;
    /// 0 to 127 forces that program; negative follows the score.
    int32_t instrument = -1;
    /// The share of each note that sounds.
    OnTimeRatios ratios;
};

/// Builds the one-track MIDI file of a parsed score into `file`: program, tempo, note,
/// pitch-wheel and meta events, each note shortened by its on-time ratio, tied notes joined
/// and slurred notes held.
/// @return MidiResult::Ok, or ConversionFailed (also for a channel or instrument out of range)
MidiResult buildScoreMidi(const cTParse& parser, const ScoreMidiOptions& options, tMidiF04& file);

/// Converts a parsed score and writes it to `path` as a Standard MIDI File. A failure never
/// leaves a half-written file and never harms an existing file of that name.
/// @return MidiResult::Ok written, ScoreFileNotWritten the file could not be written,
///         ConversionFailed the conversion failed
MidiResult scoreToMidiFile(const std::string& path, const cTParse& parser,
                           const ScoreMidiOptions& options);

} // namespace notaro
