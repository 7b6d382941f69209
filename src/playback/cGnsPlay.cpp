#include "playback/cGnsPlay.h"

#include "base/CheckedInt.h"
#include "base/Nearest.h"
#include "midi/OnTimeRatio.h"
#include "playback/TimedNote.h"

#include <exception>
#include <string>

namespace notaro::playback {

cGnsPlay::cGnsPlay(MidiOutDevice& device, EventPump pump, TickClock clock)
    : device_(device), pump_(std::move(pump)), clock_(std::move(clock)) {}

int32_t cGnsPlay::durToMSec(int32_t numerator, int32_t denominator, int32_t qnpm) {
    if (qnpm == 0 || denominator == 0)
        return kNoLength;
    try {
        const int32_t wholeMs = nearest(60000.0 / (qnpm / 4.0));
        const int32_t product = checked::mul(wholeMs, numerator);
        return nearest(static_cast<double>(product) / denominator);
    } catch (const std::exception&) {
        return kNoLength;
    }
}

void cGnsPlay::stopPlaying() noexcept {
    bAbort_ = true;
    stopRequest_ = true;
}

PlaybackResult cGnsPlay::play(const cTParse& apObj, int32_t iNoteFrom, int32_t iNoteTo,
                              const PlayOptions& options) {
    if (bPlaying_)
        return PlaybackResult::AlreadyPlaying;
    bPlaying_ = true;
    PlaybackResult result = PlaybackResult::Ok;
    try {
        options_ = options;
        qnpm_ = apObj.getPrevQNPM(iNoteFrom);
        if (const PlaybackResult rc = device_.open(); rc != PlaybackResult::Ok) {
            bPlaying_ = false;
            if (listener_)
                listener_->midiOutOpenFailed(
                    "Couldn't open midi out, rc = " + std::to_string(code(rc)), rc);
            return PlaybackResult::Ok;
        }
        result = playRecords(apObj, iNoteFrom, iNoteTo);
    } catch (...) {
        result = PlaybackResult::Failure;
    }
    device_.close();
    bPlaying_ = false;
    return result;
}

PlaybackResult cGnsPlay::playRecords(const cTParse& apObj, int32_t iNoteFrom, int32_t iNoteTo) {
    const int32_t channel = options_.channel;
    const int32_t patch = options_.patch;
    const int32_t prog = patch >= 0 ? patch : apObj.getPrevInstrument(iNoteFrom);
    midiProgramChange(device_, channel, prog);
    tieSum_.setND(0, 1);
    tBase_ = clock_();
    startTick_ = tBase_;
    for (int32_t i = iNoteFrom; i <= iNoteTo; ++i) {
        const cGnsNote& rec = apObj.theNotes(i);
        if (rec.eventType == cGnsNote::kInstrument) {
            if (patch < 0)
                midiProgramChange(device_, channel, rec.xVal);
            continue;
        }
        if (rec.eventType == cGnsNote::kTempo) {
            qnpm_ = rec.xVal;
            continue;
        }
        const Outcome outcome = playNoteOrRest(apObj, i);
        if (outcome != Outcome::Next)
            return PlaybackResult::Ok;
    }
    if (listener_)
        listener_->donePlayingAll();
    return PlaybackResult::Ok;
}

cGnsPlay::Outcome cGnsPlay::playNoteOrRest(const cTParse& apObj, int32_t i) {
    const float timeScale = options_.timeScale;
    const cGnsNote& rec = apObj.theNotes(i);
    const cDuration& d = rec.dur.value();
    const cNotePAO& pao = rec.notePao.value();

    int32_t durMs = durToMSec(d.Numer(), d.Denom(), qnpm_);
    if (durMs < 0)
        return Outcome::Quiet;
    durMs = nearest(static_cast<double>(timeScale) * durMs);

    int32_t onMs = durMs;
    if ((rec.slur & 2) == 0) {
        // The product of a 32-bit float ratio and a whole number is formed in double precision.
        onMs = nearest(static_cast<double>(onTimeRatio(d, rec.staccatoLevel, options_.ratios)) *
                       durMs);
        if ((rec.tie & 3) == 1) {
            // The end of a tie chain takes the chain's whole silent part from its last note.
            cDuration chain = tieSum_;
            if (chain.Add(d) != DurationResult::Ok)
                throw OverflowError();
            const int32_t chainMs = durToMSec(chain.Numer(), chain.Denom(), qnpm_);
            if (chainMs < 0)
                return Outcome::Quiet;
            const double ratio = onTimeRatio(chain, rec.staccatoLevel, options_.ratios);
            const int32_t cut = nearest(static_cast<double>(timeScale) * chainMs * (1.0 - ratio));
            if (cut < 0)
                return Outcome::Quiet;
            onMs = checked::sub(onMs, cut);
        }
    }

    const bool isNote = pao.pitch != cNotePAO::kRest;
    const float v = isNote ? pao.tMidi() : -1.0f;
    int32_t note = -1;
    int32_t cents = 0;
    if (v > 0) {
        const int32_t n = nearest(v);
        cents = nearest((static_cast<double>(v) - n) * 100.0);
        note = n % 128;
    }

    if (listener_) {
        if (isNote)
            listener_->playingNoteLine(i, pao.pitch, pao.octave, pao.accidental, d.Numer(),
                                       d.Denom(), v, durMs, rec.noteLineNum, rec.noteCharNum,
                                       rec.noteStrLen);
        else
            listener_->playingRestLine(i, d.Numer(), d.Denom(), durMs, rec.noteLineNum,
                                       rec.noteCharNum, rec.noteStrLen);
    }

    int32_t flags = 0;
    if (rec.tie & 1)
        flags = kNoteAlreadyOn;
    if (rec.tie & 2) {
        flags += kNoteKeepsOn;
        if (tieSum_.Add(d) != DurationResult::Ok)
            throw OverflowError();
    } else {
        tieSum_.setND(0, 1);
    }

    playTimedNote(device_, options_.channel, note, options_.velocity, cents,
                  checked::add(tBase_, onMs), checked::add(tBase_, durMs), flags, clock_, pump_,
                  stopRequest_);
    tBase_ = checked::add(tBase_, durMs);

    if (listener_)
        listener_->donePlayingLine(i, rec.noteLineNum, rec.noteCharNum, rec.noteStrLen);
    pump_(clock_());
    if (bAbort_) {
        if (listener_)
            listener_->abortedPlaying(i, rec.noteLineNum, rec.noteCharNum, rec.noteStrLen);
        return Outcome::Aborted;
    }
    return Outcome::Next;
}

} // namespace notaro::playback
