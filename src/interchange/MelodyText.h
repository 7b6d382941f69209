#pragma once

#include "interchange/MelodyQuantizer.h"
#include "interchange/NoteValues.h"

#include <cstdint>
#include <string>
#include <vector>

namespace notaro::interchange {

/// A line of score text that takes effect at a position in units: a tempo or instrument
/// directive, or a comment.
struct TimedLine {
    double position = 0;
    std::string text;
};

/// Writes a placed melody as score text in letter names: one bar to a line ending in "|",
/// notes and rests split into written values at bar lines and where no single value fits,
/// the parts of a note tied with "[" and "]", legato notes slurred with "(" and ")". Each timed
/// line goes on its own line before the first note or rest that starts at or after its position.
class MelodyText {
public:
    /// flats: black keys as flats. maxRecords: the most notes, rests and directives written.
    MelodyText(bool flats, int64_t maxRecords);

    /// The whole score text: header comments, the header line, then the melody. Throws
    /// InterchangeError (LengthNotWritable, TooLong).
    std::string write(const std::vector<std::string>& headerComments, const QuantizedLine& line,
                      const std::vector<TimedLine>& timedLines, int32_t& octavesMoved);

private:
    /// Writes a note (or, with no pitch, a rest) from start to end; slurMark goes on its last part.
    void span(int64_t start, int64_t end, const std::string& pitch, bool staccato,
              const char* slurMark = "");
    void token(const std::string& text, bool barEnds);
    void timedUpTo(double position);
    [[noreturn]] void throwTooLong() const;
    void endLine();

    const NoteValues& values_;
    bool flats_;
    int64_t maxRecords_;
    const MeterGrid* meter_ = nullptr;
    const std::vector<TimedLine>* timed_ = nullptr;
    size_t nextTimed_ = 0;
    int64_t records_ = 0;
    std::string out_;
    std::string line_;
};

} // namespace notaro::interchange
