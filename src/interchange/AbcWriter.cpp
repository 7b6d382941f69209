#include "interchange/AbcWriter.h"

#include "interchange/GeneralMidiNames.h"

#include <algorithm>

namespace notaro::interchange {

namespace {

/// Track-name meta comments give the title.
constexpr int32_t kTitleMetaType = 3;
/// Middle C: a melody mostly below it is written in the bass clef.
constexpr float kMiddleC = 60.0f;

bool isSeparator(char c) {
    return c == ' ' || c == '|' || c == '^' || c == '\t' || c == ',' || c == '=';
}

/// The byte offset of a character offset in a UTF-8 line (the parser counts characters).
size_t byteOffset(std::string_view line, int32_t chars) {
    size_t pos = 0;
    for (int32_t n = 0; n < chars && pos < line.size(); ++n) {
        ++pos;
        while (pos < line.size() && (static_cast<unsigned char>(line[pos]) & 0xC0) == 0x80)
            ++pos;
    }
    return pos;
}

Fraction lengthOf(const cGnsNote& rec) {
    return rec.dur ? Fraction(rec.dur->Numer(), rec.dur->Denom()) : Fraction();
}

} // namespace

AbcWriter::AbcWriter(const cTParse& parser, std::string_view scoreText) : parser_(parser) {
    size_t start = 0;
    while (start <= scoreText.size()) {
        size_t end = scoreText.find('\n', start);
        if (end == std::string_view::npos)
            end = scoreText.size();
        std::string_view line = scoreText.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        sourceLines_.push_back(line);
        start = end + 1;
    }
}

AbcTune AbcWriter::write() {
    writeHeader();
    for (int32_t i = 0; i < parser_.nNotes(); ++i) {
        const cGnsNote& rec = parser_.theNotes(i);
        if (rec.isDirective())
            writeDirective(rec);
        else
            writeNote(i, rec);
    }
    endLine();
    for (const std::string& line : lines_)
        tune_.text += line + "\n";
    return std::move(tune_);
}

void AbcWriter::writeHeader() {
    lines_.push_back("X:1");
    for (const MetaComment& meta : parser_.metaCommentLines()) {
        if (meta.type == kTitleMetaType) {
            lines_.push_back("T:" + abcEscaped(meta.text));
            break;
        }
    }
    int64_t low = 0, high = 0;
    for (int32_t i = 0; i < parser_.nNotes(); ++i) {
        const cGnsNote& rec = parser_.theNotes(i);
        if (!rec.isDirective() && !rec.isRest() && rec.notePao)
            ++(rec.notePao->tMidi() < kMiddleC ? low : high);
    }
    lines_.push_back("M:none");
    lines_.push_back("L:1/" + std::to_string(kAbcUnitDenominator));
    lines_.push_back(low > high ? "K:C clef=bass" : "K:C clef=treble");
}

void AbcWriter::endLine() {
    if (!line_.empty())
        lines_.push_back(std::move(line_));
    line_.clear();
}

void AbcWriter::writeDirective(const cGnsNote& rec) {
    endLine();
    if (rec.eventType == cGnsNote::kTempo) {
        lines_.push_back("Q:1/4=" + std::to_string(rec.xVal));
        return;
    }
    lines_.push_back("%%MIDI program " + std::to_string(rec.xVal));
    pendingAnnotation_ = generalMidiName(rec.xVal);
}

bool AbcWriter::barAfter(const cGnsNote& rec) const {
    if (rec.noteLineNum < 1 || rec.noteLineNum > static_cast<int32_t>(sourceLines_.size()))
        return false;
    const std::string_view line = sourceLines_[rec.noteLineNum - 1];
    for (size_t pos = byteOffset(line, rec.noteCharNum + rec.noteStrLen); pos < line.size();
         ++pos) {
        if (line[pos] == '|')
            return true;
        if (!isSeparator(line[pos]))
            return false;
    }
    return false;
}

int32_t AbcWriter::tupletGroupSize(int32_t i, const TupletRatio& ratio) const {
    Fraction sum;
    int32_t count = 0;
    for (int32_t j = i; j < parser_.nNotes(); ++j) {
        const cGnsNote& rec = parser_.theNotes(j);
        const TupletRatio r = tupletRatioOf(lengthOf(rec));
        if (rec.isDirective() || r.p != ratio.p || r.q != ratio.q)
            break;
        sum = sum + lengthOf(rec);
        ++count;
        if (sum.isBinary() || barAfter(rec))
            break;
    }
    return count;
}

std::string AbcWriter::accidentalFor(const cNotePAO& pitch) {
    const uint8_t letter = pitch.pitch % 7;
    if (pitch.accidental == 2 && !letterTouched_[letter])
        return "";
    letterTouched_[letter] = true;
    return abcAccidentalText(pitch.accidental);
}

void AbcWriter::writeNote(int32_t i, const cGnsNote& rec) {
    if (rec.noteLineNum != lastSourceLine_)
        endLine();
    lastSourceLine_ = rec.noteLineNum;
    const Fraction length = lengthOf(rec);
    const TupletRatio ratio = tupletRatioOf(length);
    // A note on a quarter-note beat starts a new beam.
    const Fraction beats = barPosition_ * Fraction(4, 1);
    if (!line_.empty() && beats.d == 1)
        line_ += ' ';
    if (tupletLeft_ == 0 && ratio.p != 1) {
        tupletLeft_ = tupletGroupSize(i, ratio);
        line_ += "(" + std::to_string(ratio.p) + ":" + std::to_string(ratio.q) + ":" +
                 std::to_string(tupletLeft_);
    }
    if ((rec.slur & cGnsNote::kBowToNext) && !(rec.slur & cGnsNote::kBowFromPrevious))
        line_ += '(';
    tune_.notes.push_back(
        {i, static_cast<int32_t>(lines_.size()) + 1, static_cast<int32_t>(line_.size())});
    bool exact = true;
    const Fraction written = nearestDrawable(length * Fraction(ratio.p, ratio.q), exact);
    if (!exact)
        line_ += "\"^*\"";
    if (!pendingAnnotation_.empty())
        line_ += "\"^" + abcEscaped(pendingAnnotation_) + "\"";
    pendingAnnotation_.clear();
    if (rec.staccatoLevel > 0)
        line_ += '.';
    if (rec.isRest() || !rec.notePao)
        line_ += 'z';
    else
        line_ += accidentalFor(*rec.notePao) + abcLetterText(*rec.notePao);
    line_ += abcLengthText(written);
    if ((rec.tie & cGnsNote::kBowToNext) && !rec.isRest())
        line_ += '-';
    if ((rec.slur & cGnsNote::kBowFromPrevious) && !(rec.slur & cGnsNote::kBowToNext))
        line_ += ')';
    if (tupletLeft_ > 0)
        --tupletLeft_;
    barPosition_ = barPosition_ + length;
    if (barAfter(rec)) {
        line_ += " |";
        barPosition_ = Fraction();
        std::fill(std::begin(letterTouched_), std::end(letterTouched_), false);
    }
}

AbcTune writeAbcTune(const cTParse& parser, std::string_view scoreText) {
    return AbcWriter(parser, scoreText).write();
}

} // namespace notaro::interchange
