#include "midi/ScoreToMidi.h"

#include "base/AtomicFile.h"
#include "base/CheckedInt.h"
#include "base/Nearest.h"
#include "base/TextUtil.h"
#include "midi/MidiResult.h"
#include "midi/OnTimeRatio.h"
#include "midi/SmfStreamWriter.h"
#include "midi/TrackEventSink.h"
#include "score/MetaComment.h"

#include <cmath>
#include <vector>

namespace notaro {

namespace {

uint8_t toByte(int32_t v) {
    if (v < 0 || v > 127)
        throw OverflowError();
    return static_cast<uint8_t>(v);
}

/// The running state of one conversion.
class Converter {
public:
    Converter(const ScoreMidiOptions& options, MidiEventSink& sink)
        : timeScale_(options.timeScale), channel_(static_cast<uint8_t>(options.channel)),
          ratios_(options.ratios), sink_(sink) {}

    void program(int32_t prog) {
        sink_.channelMessage(0, static_cast<uint8_t>(0xC0 + channel_), toByte(prog), 0);
    }

    void record(const cGnsNote& rec, int32_t instrument) {
        if (!rec.preCommentLines.empty())
            commentBlock(rec.preCommentLines);
        if (rec.eventType == cGnsNote::kTempo) {
            tempo(rec.xVal);
            return;
        }
        if (rec.eventType == cGnsNote::kInstrument) {
            if (instrument < 0)
                program(rec.xVal);
            return;
        }
        note(rec);
    }

    void finish(const std::string& finalCommentLines) {
        if (!finalCommentLines.empty()) {
            bool first = true;
            for (std::string_view line : text::splitCrLfLines(finalCommentLines)) {
                int32_t type = 0;
                std::string text;
                if (!parseMetaComment(line, type, text))
                    continue;
                sink_.metaEvent(first ? pending_ : 0, static_cast<uint8_t>(type), text);
                first = false;
                pending_ = 0;
            }
        }
        if (lastCents_ != 0)
            wheel(0);
    }

private:
    int32_t ticks(const cDuration& d) const {
        const int32_t whole = checked::mul(d.Numer(), 768);
        return nearest(static_cast<double>(whole) / d.Denom() * timeScale_);
    }

    void commentBlock(const std::string& lines) {
        const int32_t d = pending_;
        const int32_t firstDelta = d > 1 ? 1 : d;
        const int32_t left = d > 1 ? d - 1 : 0;
        bool written = false;
        for (std::string_view line : text::splitCrLfLines(lines)) {
            int32_t type = 0;
            std::string text;
            if (!parseMetaComment(line, type, text))
                continue;
            sink_.metaEvent(written ? 0 : firstDelta, static_cast<uint8_t>(type), text);
            written = true;
        }
        if (written)
            pending_ = left;
    }

    void tempo(int32_t qnpm) {
        // A tempo event holds 24 bits of microseconds per quarter note: slower than that is
        // written as the slowest it can hold, and a tempo too fast to measure as 1.
        const double us = std::nearbyint(60000000.0 / qnpm);
        const int32_t clamped = us > 0xFFFFFF ? 0xFFFFFF : (us < 1 ? 1 : static_cast<int32_t>(us));
        const auto u = static_cast<uint32_t>(clamped);
        sink_.metaEvent(0, 0x51,
                        {static_cast<char>(u >> 16), static_cast<char>((u >> 8) & 0xFF),
                         static_cast<char>(u & 0xFF)});
    }

    void note(const cGnsNote& rec) {
        const float f = rec.notePao->isRest() ? -1.0f : rec.notePao->tMidi();
        int32_t key = -1;
        int32_t cents = 0;
        if (f > 0) {
            const auto k = static_cast<int32_t>(std::floor(f));
            key = k % 128;
            cents = nearest((static_cast<double>(f) - k) * 100);
        }
        if (cents != lastCents_) {
            wheel(cents);
            lastCents_ = cents;
            pending_ = 0;
        }
        if (key < 0) {
            pending_ = checked::add(pending_, ticks(*rec.dur));
            return;
        }
        const auto note = static_cast<uint8_t>(key);
        const bool tiedFrom = rec.tie & 1;
        const bool tiedTo = rec.tie & 2;
        if (!tiedFrom && tiedTo) {
            sink_.channelMessage(pending_, static_cast<uint8_t>(0x90 + channel_), note, 127);
            pending_ = 0;
            tieSum_ = *rec.dur;
            return;
        }
        if (tiedFrom && tiedTo) {
            if (tieSum_.Add(*rec.dur) != DurationResult::Ok)
                throw OverflowError();
            return;
        }
        cDuration sounding = *rec.dur;
        if (tiedFrom) {
            if (tieSum_.Add(*rec.dur) != DurationResult::Ok)
                throw OverflowError();
            sounding = tieSum_;
        } else {
            sink_.channelMessage(pending_, static_cast<uint8_t>(0x90 + channel_), note, 127);
        }
        const int32_t t = ticks(sounding);
        const int32_t on =
            (rec.slur & 2)
                ? t
                : nearest(static_cast<double>(onTimeRatio(sounding, rec.staccatoLevel, ratios_)) *
                          t);
        sink_.channelMessage(on, static_cast<uint8_t>(0x80 + channel_), note, 0);
        pending_ = checked::sub(t, on);
    }

    void wheel(int32_t cents) {
        const uint16_t value = tMidiTrk::pitchWheelValue(cents);
        sink_.channelMessage(pending_, static_cast<uint8_t>(0xE0 + channel_),
                             static_cast<uint8_t>(value & 127), static_cast<uint8_t>(value >> 7));
    }

    float timeScale_;
    uint8_t channel_;
    const OnTimeRatios& ratios_;
    MidiEventSink& sink_;
    int32_t pending_ = 0;
    int32_t lastCents_ = 0;
    cDuration tieSum_;
};

/// Runs the conversion into sink. Returns MidiResult::Ok or ConversionFailed.
MidiResult convert(const cTParse& parser, const ScoreMidiOptions& options, MidiEventSink& sink) {
    try {
        const int32_t instrument = options.instrument;
        if (options.channel < 0 || options.channel > 15 || instrument > 127)
            return MidiResult::ConversionFailed;
        Converter converter(options, sink);
        converter.program(instrument >= 0 ? instrument : parser.getPrevInstrument(0));
        for (int32_t i = 0; i < parser.nNotes(); ++i)
            converter.record(parser.theNotes(i), instrument);
        converter.finish(parser.finalCommentLines());
        return MidiResult::Ok;
    } catch (const std::exception&) {
        return MidiResult::ConversionFailed;
    }
}

} // namespace

MidiResult buildScoreMidi(const cTParse& parser, const ScoreMidiOptions& options, tMidiF04& file) {
    file.clear();
    file.setMidiHdrDivision(kScoreMidiDivision);
    tMidiTrk& track = *file.tracks(0);
    // A note makes at most a note-on, a note-off and a wheel change; room for two
    // events per record is enough for nearly every score.
    track.reserveEvents(2 * parser.nNotes() + 16);
    TrackEventSink sink(track);
    return convert(parser, options, sink);
}

MidiResult scoreToMidiFile(const std::string& path, const cTParse& parser,
                           const ScoreMidiOptions& options) {
    // The file is encoded as the events come, with the same bytes as the file object would
    // write, and replaces any old file only once it is complete.
    std::string bytes;
    try {
        SmfStreamWriter writer(kScoreMidiDivision, 2 * static_cast<size_t>(parser.nNotes()) + 16);
        const MidiResult rc = convert(parser, options, writer);
        if (rc != MidiResult::Ok)
            return rc;
        bytes = writer.finish();
    } catch (const std::exception&) {
        return MidiResult::ConversionFailed;
    }
    return base::writeFileAtomically(path, bytes) == 0 ? MidiResult::Ok
                                                       : MidiResult::ScoreFileNotWritten;
}

} // namespace notaro
