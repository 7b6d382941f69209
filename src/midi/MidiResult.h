#pragma once

#include <cstdint>
#include <iosfwd>

namespace notaro {

/// The result codes of the MIDI model: what the readers, addEvent, toFile and the score
/// conversion return, and the codes the MidiError classes carry. Files and callers rely on the
/// numbers (the dump shows "(code 62)"), so none may change; code() gives the number. Other
/// libraries number their own results, some with the same numbers, in their own types.
enum class MidiResult : int32_t {
    /// Success: a chunk or file read, an event added, a score converted or its file written.
    Ok = 0,

    /// "MThd" or "MTrk" is not where the chunk was expected.
    NotAChunk = -1,
    /// A header length below 6 or a track length below 1.
    ChunkTooShort = -2,
    /// A header declaring fewer than 1 track.
    NoTracksDeclared = -3,
    /// A data byte before any status byte.
    NoRunningStatus = -4,
    /// A status byte the track reader does not handle.
    UnhandledStatus = -5,
    /// The file is missing or ends inside a chunk.
    EndOfFile = 62,
    /// The path names a folder, a pipe, a device or a socket: nothing is read from it.
    NotARegularFile = 75,

    /// An argument outside what the operation accepts (MidiArgumentError); when reading, an
    /// event that runs past the end of its chunk.
    InvalidArgument = 5,
    /// A quantity or a time beyond 32 bits (MidiOverflowError).
    Overflow = 6,
    /// An index out of range (MidiRangeError), or a Program Change of program 128 or more.
    OutOfRange = 9,
    /// A time-code division of 0 ticks per second (MidiDivisionError).
    DivisionByZero = 11,

    /// tMidiF04::toFile wrote the whole file.
    FileWritten = 1,
    /// tMidiF04::toFile failed; an existing file of that name is untouched.
    FileNotWritten = -99,
    /// scoreToMidiFile converted the score but could not write the file.
    ScoreFileNotWritten = -7,
    /// The score conversion failed: a bad channel or instrument, or an overflow.
    ConversionFailed = -9999,
};

/// The number of a code, as messages show it.
constexpr int32_t code(MidiResult r) noexcept {
    return static_cast<int32_t>(r);
}

/// What went wrong when reading, in words, for a code above (lower case, no final stop), e.g.
/// "it ends early or is missing" for EndOfFile; "an unknown failure" for any other code.
const char* resultText(MidiResult r);

/// Name and number, e.g. "EndOfFile (62)", for test failures and traces.
std::ostream& operator<<(std::ostream& os, MidiResult r);

} // namespace notaro
