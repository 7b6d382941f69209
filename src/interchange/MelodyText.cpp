#include "interchange/MelodyText.h"

#include "interchange/InterchangeResult.h"
#include "interchange/PitchSpelling.h"

#include <algorithm>
#include <numeric>

namespace notaro::interchange {

namespace {

std::string valueText(const WrittenValue& w) {
    return std::to_string(w.value) + std::string(static_cast<size_t>(w.dots), '.');
}

} // namespace

namespace {

const NoteValues& sharedValues() {
    static const NoteValues values;
    return values;
}

} // namespace

MelodyText::MelodyText(bool flats, int64_t maxRecords)
    : values_(sharedValues()), flats_(flats), maxRecords_(maxRecords) {}

std::string MelodyText::write(const std::vector<std::string>& headerComments,
                              const QuantizedLine& line, const std::vector<TimedLine>& timedLines,
                              int32_t& octavesMoved) {
    const MeterGrid meter(line.signatures);
    // Every bar takes at least one note or rest, so a line over too many bars (a file's
    // few events can span days) fails before any of it is written.
    if (meter.barsBefore(line.end) > maxRecords_)
        throwTooLong();
    meter_ = &meter;
    timed_ = &timedLines;
    nextTimed_ = 0;
    records_ = 0;
    out_.clear();
    line_.clear();
    for (const std::string& c : headerComments)
        out_ += "!! " + c + "\r\n";
    out_ += "**n[a-b-c]\r\n";
    int64_t position = 0;
    bool slurOpen = false;
    for (const PlacedNote& n : line.notes) {
        if (n.start > position)
            span(position, n.start, "", false);
        bool moved = false;
        const std::string pitch = spellPitch(n.quarterTones, flats_, moved);
        octavesMoved += moved ? 1 : 0;
        // A slur runs from a legato note to the first note after it that is not legato.
        const char* slurMark = "";
        if (n.legato != slurOpen)
            slurMark = n.legato ? "(" : ")";
        slurOpen = n.legato;
        span(n.start, n.end, pitch, n.staccato, slurMark);
        position = n.end;
    }
    if (line.end > position)
        span(position, line.end, "", false);
    timedUpTo(1e300);
    endLine();
    meter_ = nullptr;
    timed_ = nullptr;
    return std::move(out_);
}

void MelodyText::span(int64_t start, int64_t end, const std::string& pitch, bool staccato,
                      const char* slurMark) {
    timedUpTo(static_cast<double>(start));
    // Each part is written as soon as it is known, so a long span costs no more memory than
    // its text.
    for (int64_t a = start; a < end;) {
        int64_t barStart = 0, barEnd = 0;
        meter_->barAt(a, barStart, barEnd);
        const int64_t b = std::min(end, barEnd);
        const std::vector<WrittenValue> split =
            values_.split(b - a, std::gcd(b - a, kUnitsPerWhole));
        if (split.empty())
            throw InterchangeError(InterchangeResult::LengthNotWritable,
                                   "a length of " + std::to_string(b - a) +
                                       "/768 of a whole note has no written value");
        for (size_t k = 0; k < split.size(); ++k) {
            const bool first = a == start && k == 0;
            const bool last = b == end && k + 1 == split.size();
            std::string text = valueText(split[k]);
            if (pitch.empty()) {
                text += ":";
            } else {
                text += pitch;
                if (first && !last)
                    text += "[";
                else if (last && !first)
                    text += "]";
                if (last)
                    text += slurMark;
                if (staccato && last)
                    text += "'";
            }
            token(text, b == barEnd && k + 1 == split.size());
        }
        a = b;
    }
}

void MelodyText::token(const std::string& text, bool barEnds) {
    if (++records_ > maxRecords_)
        throwTooLong();
    if (!line_.empty())
        line_ += ' ';
    line_ += text;
    if (barEnds) {
        line_ += " |";
        endLine();
    }
}

void MelodyText::timedUpTo(double position) {
    while (nextTimed_ < timed_->size() && (*timed_)[nextTimed_].position <= position) {
        endLine();
        const std::string& text = (*timed_)[nextTimed_++].text;
        if (++records_ > maxRecords_)
            throwTooLong();
        out_ += text + "\r\n";
    }
}

void MelodyText::throwTooLong() const {
    throw InterchangeError(InterchangeResult::TooLong, "the melody needs more than " +
                                                           std::to_string(maxRecords_) +
                                                           " notes and rests");
}

void MelodyText::endLine() {
    if (line_.empty())
        return;
    out_ += line_ + "\r\n";
    line_.clear();
}

} // namespace notaro::interchange
