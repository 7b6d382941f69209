#pragma once

#include "midi/MidiResult.h"
#include "midi/tMidiF04.h"
#include "score/cTParse.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace notaro {

/// Ticks per quarter note in the MIDI files we write.
inline constexpr int16_t kScoreMidiDivision = 192;

/// Builds the one-track MIDI file of a parsed score into `file`: program, tempo, note,
/// pitch-wheel and meta events, each note shortened by its on-time ratio, tied notes joined
/// and slurred notes held.
/// @param timeScale multiplies every length (2.0 plays at half speed)
/// @param channel 0 to 15
/// @param instrument 0 to 127 forces that program; negative follows the score
/// @return midiResult::kOk, or kConversionFailed
int32_t buildScoreMidi(const cTParse& parser, float timeScale, int32_t channel, int32_t instrument,
                       tMidiF04& file);

/// Converts a parsed score and writes it to `path` as a Standard MIDI File. A failure never
/// leaves a half-written file and never harms an existing file of that name.
/// @return midiResult::kOk written, kScoreFileNotWritten the file could not be written,
///         kConversionFailed the conversion failed
int32_t scoreToMidiFile(const std::string& path, const cTParse& parser, float timeScale,
                        int32_t channel, int32_t instrument);

} // namespace notaro
