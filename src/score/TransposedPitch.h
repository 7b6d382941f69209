#pragma once

#include "score/cNotePAO.h"

#include <cstdint>
#include <optional>

namespace notaro::transpose {

/// A pitch counted in quarter tones: twice its MIDI key, plus one for a quarter tone up. Whole
/// numbers keep the arithmetic of a transposition exact, quarter tones included.
int32_t quarterTonesOf(const cNotePAO& pitch) noexcept;

/// The lowest and highest pitches a note of the score can be written at, in quarter tones:
/// "CCCC-" (MIDI key 11) and "bbbbb#" (MIDI key 120).
inline constexpr int32_t kLowestQuarterTone = 22;
inline constexpr int32_t kHighestQuarterTone = 240;

/// The pitch at quarterTones as a note of the score: a white key plain; otherwise the
/// accidental that raises (sharps) or lowers (flats) a white key next to it, a quarter tone
/// with "+" or "~". Only at the ends of the range is a white key written with the accidental
/// of its neighbour ("CCCC-", "bbbbb#"), there being no octave beyond.
/// @return none when no note of octaves 0 to 8 can be written at that pitch
std::optional<cNotePAO> spelledPitch(int32_t quarterTones, bool flats) noexcept;

} // namespace notaro::transpose
