// Queries on the parsed record list.
#include "score/cTParse.h"

#include "base/OverflowError.h"
#include "score/Rational32.h"

#include <stdexcept>

namespace notaro {

namespace {

/// The note value and dot count that write a duration; false when it has no such form.
bool durationToValueDots(const cDuration& dur, int32_t& value, int32_t& dots) {
    int32_t n = dur.Numer(), d = dur.Denom();
    rational::reduceND(n, d);
    if (n == 1) {
        value = d;
        dots = 0;
    } else if (n == 3 && d % 2 == 0) {
        value = d / 2;
        dots = 1;
    } else if (n == 7 && d % 4 == 0) {
        value = d / 4;
        dots = 2;
    } else if (n == 2 && d == 1) {
        value = 0;
        dots = 0;
    } else if (n == 3 && d == 1) {
        value = 0;
        dots = 1;
    } else if (n == 7 && d == 2) {
        value = 0;
        dots = 2;
    } else {
        return false;
    }
    return true;
}

std::string durationText(const cDuration& dur) {
    int32_t value = 0, dots = 0;
    if (!durationToValueDots(dur, value, dots))
        return "(" + dur.toStr() + ")";
    return std::to_string(value) + std::string(static_cast<size_t>(dots), '.');
}

/// " t>", " <t>" or " <t" for the tie or slur bits of a record; "" when none is set.
std::string bowMark(uint8_t bits, char letter) {
    if (bits == 0)
        return {};
    std::string s = " ";
    if (bits & cGnsNote::kBowFromPrevious)
        s += '<';
    s += letter;
    if (bits & cGnsNote::kBowToNext)
        s += '>';
    return s;
}

} // namespace

const cGnsNote& cTParse::noteRecord(int32_t i) const {
    const cGnsNote& rec = notes_.at(i);
    if (rec.isDirective() || !rec.notePao || !rec.dur)
        throw std::invalid_argument("the record is not a note or rest");
    return rec;
}

int32_t cTParse::iNoteOfILine(int32_t iLine) const {
    for (int32_t i = 0; i < notes_.size(); ++i)
        if (notes_[i].lineNum >= iLine)
            return i;
    return kNoRecord;
}

int32_t cTParse::iNoteOfILineIPos(int32_t iLine, int32_t iPos) const {
    for (int32_t i = 0; i < notes_.size(); ++i) {
        const cGnsNote& r = notes_[i];
        if ((r.lineNum == iLine && int64_t{r.noteCharNum} + r.noteStrLen >= iPos) ||
            r.lineNum > iLine)
            return i;
    }
    return kNoRecord;
}

SumResult cTParse::interNoteDur(int32_t iNoteFrom, int32_t iNoteTo,
                                std::optional<cDuration>& dur) const {
    if (!dur)
        dur.emplace();
    dur->setND(0, 1);
    for (int32_t i = iNoteFrom; i < iNoteTo; ++i)
        if (dur->Add(*noteRecord(i).dur) != DurationResult::Ok)
            return SumResult::Overflow;
    return SumResult::Ok;
}

std::string cTParse::noteToStr(int32_t iNote, bool bIsDoRe, bool withLineNum) const {
    const cGnsNote& rec = noteRecord(iNote);
    std::string s;
    if (withLineNum)
        s = "L" + std::to_string(rec.noteLineNum) + " ";
    const std::string pitchText = rec.notePao->isRest() ? ":" : rec.notePao->toStr(bIsDoRe);
    if (!pitchText.empty())
        s += durationText(*rec.dur) + pitchText;
    s += bowMark(rec.tie, 't');
    s += bowMark(rec.slur, 's');
    s += " d=" + rec.dur->toStr();
    return s;
}

cDuration cTParse::noteSeqDur(int32_t iNoteFrom, int32_t nNotes) const {
    cDuration sum;
    const int64_t end = std::min<int64_t>(int64_t{iNoteFrom} + nNotes, notes_.size());
    for (int64_t i = iNoteFrom; i < end; ++i)
        if (sum.Add(*noteRecord(static_cast<int32_t>(i)).dur) != DurationResult::Ok)
            throw OverflowError();
    return sum;
}

int32_t cTParse::numNoteParts(int32_t iNoteFrom) const {
    const cGnsNote& first = noteRecord(iNoteFrom);
    int32_t i = iNoteFrom;
    if (first.isRest()) {
        while (i < notes_.size() && notes_[i].isRest())
            ++i;
        return i - iNoteFrom;
    }
    while (i < notes_.size() && (notes_[i].tie & cGnsNote::kBowToNext))
        ++i;
    return 1 + (i - iNoteFrom);
}

int32_t cTParse::numSeparateNotes(int32_t iNoteFrom, int32_t nNotes) const {
    if (nNotes <= 1)
        return 1;
    int32_t count = 1;
    const int64_t end = std::min<int64_t>(int64_t{iNoteFrom} + nNotes - 1, notes_.size());
    for (int64_t i = iNoteFrom; i < end; ++i)
        if (!(notes_.at(static_cast<int32_t>(i)).tie & cGnsNote::kBowToNext))
            ++count;
    return count;
}

int32_t cTParse::getPrevQNPM(int32_t iNote) const {
    if (iNote < 1)
        return kDefaultTempo;
    if (iNote >= notes_.size())
        iNote = notes_.size() - 1;
    for (int32_t i = iNote - 1; i >= 0; --i)
        if (notes_[i].eventType == cGnsNote::kTempo)
            return notes_[i].xVal;
    return kDefaultTempo;
}

int32_t cTParse::getPrevInstrument(int32_t iNote) const {
    if (iNote < 1)
        return kDefaultInstrument;
    if (iNote >= notes_.size())
        iNote = notes_.size() - 1;
    for (int32_t i = iNote - 1; i >= 0; --i)
        if (notes_[i].eventType == cGnsNote::kInstrument)
            return notes_[i].xVal;
    return kDefaultInstrument;
}

} // namespace notaro
