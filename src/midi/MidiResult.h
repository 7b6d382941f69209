#pragma once

#include <cstdint>

namespace notaro {

/// The result codes of the MIDI model, spelled once: what the readers, addEvent, toFile and the
/// score conversion return, and the codes the MidiError classes carry. Files and callers rely on
/// the numbers, so none may change. Other libraries number their own results, some with the same
/// numbers (playback's 5 is a device that is not open): a MIDI code always goes by its midiResult
/// name.
namespace midiResult {

/// Success: a chunk or file read, an event added, a score converted or its file written.
inline constexpr int32_t kOk = 0;

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
/// The file is missing or ends inside a chunk.
inline constexpr int32_t kEndOfFile = 62;
/// The path names a folder, a pipe, a device or a socket: nothing is read from it.
inline constexpr int32_t kNotARegularFile = 75;

/// An argument outside what the operation accepts (MidiArgumentError); when reading, an event
/// that runs past the end of its chunk.
inline constexpr int32_t kInvalidArgument = 5;
/// A quantity or a time beyond 32 bits (MidiOverflowError).
inline constexpr int32_t kOverflow = 6;
/// An index out of range (MidiRangeError), or a Program Change of program 128 or more.
inline constexpr int32_t kOutOfRange = 9;
/// A time-code division of 0 ticks per second (MidiDivisionError).
inline constexpr int32_t kDivisionByZero = 11;

/// tMidiF04::toFile wrote the whole file.
inline constexpr int32_t kFileWritten = 1;
/// tMidiF04::toFile failed; an existing file of that name is untouched.
inline constexpr int32_t kFileNotWritten = -99;
/// scoreToMidiFile converted the score but could not write the file.
inline constexpr int32_t kScoreFileNotWritten = -7;
/// The score conversion failed: a bad channel or instrument, or an overflow.
inline constexpr int32_t kConversionFailed = -9999;

/// What went wrong when reading, in words, for a code above (lower case, no final stop), e.g.
/// "it ends early or is missing" for kEndOfFile; "an unknown failure" for any other code.
const char* text(int32_t code);

} // namespace midiResult

} // namespace notaro
