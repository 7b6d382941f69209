#pragma once

#include <cstdint>

/// The result codes of tMidiF04::readMidiFile and tMidiTrk::readTrk, spelled once, and the words
/// that every report of them uses.
namespace midiReadCode {

inline constexpr int32_t kRead = 0;
/// "MThd" or "MTrk" is not where the chunk was expected.
inline constexpr int32_t kNotAChunk = -1;
/// A header length below 6 or a track length below 1.
inline constexpr int32_t kChunkTooShort = -2;
/// A header declaring fewer than 1 track.
inline constexpr int32_t kNoTracksDeclared = -3;
/// A data byte before any status byte.
inline constexpr int32_t kNoRunningStatus = -4;
/// A status byte the track reader does not handle.
inline constexpr int32_t kUnhandledStatus = -5;
/// An event past the end of its chunk (MidiArgumentError).
inline constexpr int32_t kPastChunk = 5;
/// A quantity or a time beyond 32 bits (MidiOverflowError).
inline constexpr int32_t kOverflow = 6;
/// An index out of range (MidiRangeError).
inline constexpr int32_t kOutOfRange = 9;
/// A time-code division of 0 ticks per second (MidiDivisionError).
inline constexpr int32_t kZeroDivision = 11;
/// The file is missing or ends inside a chunk.
inline constexpr int32_t kEndOfFile = 62;

/// What went wrong, in words, for a code above (lower case, no final stop), e.g. "it ends early or
/// is missing" for kEndOfFile; "an unknown failure" for any other code.
const char* text(int32_t code);

} // namespace midiReadCode
