#pragma once

#include <cstdint>
#include <iosfwd>
#include <stdexcept>
#include <string>

namespace notaro::interchange {

/// The result codes of the interchange formats: what an import or an export ended with. Callers
/// show the message that comes with a code; code() gives the number for traces.
enum class InterchangeResult : int32_t {
    /// The import or export did what was asked.
    Ok = 0,
    /// The MIDI file could not be read (missing, not a regular file, damaged).
    CannotRead = 1,
    /// The file counts time in SMPTE frames or has a division of 0: it has no beats to
    /// quantize to.
    NoBeats = 2,
    /// No track or channel holds a note other than drums.
    NoMelodicLine = 3,
    /// The track or channel asked for holds no notes.
    NoSuchLine = 4,
    /// A length on the chosen grid has no written form in the score language.
    LengthNotWritable = 5,
    /// The melody would need more records than a score may hold.
    TooLong = 6,
    /// The note values need finer divisions than a MusicXML reader can count.
    TooFine = 7,
    /// The output file could not be written (any existing file is untouched).
    NotWritten = 8,
};

constexpr int32_t code(InterchangeResult r) noexcept {
    return static_cast<int32_t>(r);
}

/// Name and number, e.g. "NoMelodicLine (3)", for test failures and traces.
std::ostream& operator<<(std::ostream& os, InterchangeResult r);

/// A failure inside an import or export step: its code and one line saying why, in lower case
/// without a final stop ("no melodic line: every note is on channel 10 (drums)").
class InterchangeError : public std::runtime_error {
public:
    InterchangeError(InterchangeResult code, const std::string& message)
        : std::runtime_error(message), code_(code) {}
    InterchangeResult code() const noexcept { return code_; }

private:
    InterchangeResult code_;
};

} // namespace notaro::interchange
