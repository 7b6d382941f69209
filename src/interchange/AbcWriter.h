#pragma once

#include "interchange/AbcNoteText.h"
#include "score/cTParse.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace notaro::interchange {

/// Where one note or rest record stands in an ABC text.
struct AbcNotePlace {
    /// Index of the record in the parser's list.
    int32_t record = 0;
    /// 1-based line of the ABC text, and 0-based byte offset of the note's first character.
    int32_t row = 0;
    int32_t column = 0;
};

/// A score as ABC 2.1 text, with the place of every note and rest in it.
struct AbcTune {
    std::string text;
    /// One entry per note or rest record, in record order.
    std::vector<AbcNotePlace> notes;
};

/// Writes a parsed score as one ABC 2.1 tune (L:1/8, no metre, key of C with every
/// accidental written out, since a score's accidental holds for its own note only).
///
/// Bar lines come from the "|" separators of the score text, so the text the parser read
/// must be passed too. Named blocks appear as they play (the parser has expanded them). Runs
/// of tuplet values become "(p:q:r" groups that end where their lengths add up to a plain
/// value; a length no engraver can draw is written as the nearest drawable one with a "*"
/// above it. Each tempo directive becomes a Q: line, each instrument a "%%MIDI program" line
/// and its General MIDI name above the next note; the first track-name meta comment is the
/// title.
class AbcWriter {
public:
    AbcWriter(const cTParse& parser, std::string_view scoreText);
    AbcTune write();

private:
    void writeHeader();
    void writeNote(int32_t i, const cGnsNote& rec);
    void writeDirective(const cGnsNote& rec);
    void endLine();
    /// The number of notes of the tuplet group that starts at record i.
    int32_t tupletGroupSize(int32_t i, const TupletRatio& ratio) const;
    /// True when the score has a bar line after the record's token (before the next token).
    bool barAfter(const cGnsNote& rec) const;
    std::string accidentalFor(const cNotePAO& pitch);

    const cTParse& parser_;
    std::vector<std::string_view> sourceLines_;
    std::vector<std::string> lines_;
    std::string line_;
    AbcTune tune_;
    int32_t lastSourceLine_ = -1;
    int32_t tupletLeft_ = 0;
    std::string pendingAnnotation_;
    /// Position since the last bar line, to beam notes within a quarter-note beat.
    Fraction barPosition_;
    /// Letters that had an accidental in this bar: ABC would carry it on, so every later note
    /// of the letter states its own.
    bool letterTouched_[7] = {};
};

/// Convenience: AbcWriter(parser, scoreText).write().
AbcTune writeAbcTune(const cTParse& parser, std::string_view scoreText);

} // namespace notaro::interchange
