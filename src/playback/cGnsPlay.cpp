#include "playback/cGnsPlay.h"

#include "base/CheckedInt.h"
#include "base/Nearest.h"
#include "midi/OnTimeRatio.h"
#include "playback/TimedNote.h"

#include <algorithm>
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

void cGnsPlay::setTempoPercent(int32_t percent) noexcept {
    tempoPercent_ = std::clamp(percent, kMinTempoPercent, kMaxTempoPercent);
}

double cGnsPlay::lengthScale() const noexcept {
    return static_cast<double>(options_.timeScale) * (100.0 / tempoPercent_);
}

void cGnsPlay::stopPlaying() noexcept {
    bAbort_ = true;
    stopRequest_ = true;
}

PlaybackResult cGnsPlay::play(const cTParse& apObj, int32_t iNoteFrom, int32_t iNoteTo,
                              const PlayOptions& options) {
    if (bPlaying_)
        return PlaybackResult::AlreadyPlaying;
    if (!options.practice.isValid())
        return PlaybackResult::BadArgument;
    bPlaying_ = true;
    PlaybackResult result = PlaybackResult::Ok;
    try {
        options_ = options;
        tempoPercent_ = options.practice.firstPercent();
        pass_ = 0;
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
    const PracticeOptions& practice = options_.practice;
    program_ = options_.patch >= 0 ? options_.patch : apObj.getPrevInstrument(iNoteFrom);
    midiProgramChange(device_, options_.channel, program_);
    clicks_ = std::make_unique<ClickTrack>(device_, practice.beatsPerBar, practice.click);
    clickingPump_ = [this](int32_t deadline) {
        if (clicks_->idle()) {
            pump_(deadline);
            return;
        }
        pump_(clicks_->nextDue(deadline));
        if (!stopRequest_) // a click due as the stop came is not heard
            clicks_->sendDue(clock_());
    };
    tBase_ = clock_();
    startTick_ = tBase_;
    if (countIn(apObj, iNoteFrom, iNoteTo) != Outcome::Next)
        return PlaybackResult::Ok;
    for (int32_t pass = 1;
         practice.passes == PracticeOptions::kUntilStopped || pass <= practice.passes; ++pass) {
        if (pass > 1) {
            setTempoPercent(practice.ramp.next(tempoPercent_));
            qnpm_ = apObj.getPrevQNPM(iNoteFrom);
            const int32_t program =
                options_.patch >= 0 ? options_.patch : apObj.getPrevInstrument(iNoteFrom);
            if (program != program_)
                midiProgramChange(device_, options_.channel, program_ = program);
        }
        pass_ = pass;
        if (listener_)
            listener_->startingPass(pass, tempoPercent_);
        const int32_t passStart = tBase_;
        if (playPass(apObj, iNoteFrom, iNoteTo) != Outcome::Next)
            return PlaybackResult::Ok;
        if (tBase_ == passStart)
            break; // nothing in the stretch takes time: looping it would never end
    }
    if (listener_)
        listener_->donePlayingAll();
    return PlaybackResult::Ok;
}

cGnsPlay::Outcome cGnsPlay::countIn(const cTParse& apObj, int32_t iNoteFrom, int32_t iNoteTo) {
    const PracticeOptions& practice = options_.practice;
    // The tempo in force at the first note or rest, past any directives before it.
    int32_t qnpm = qnpm_;
    for (int32_t i = iNoteFrom; i <= iNoteTo; ++i) {
        const cGnsNote& rec = apObj.theNotes(i);
        if (rec.eventType == cGnsNote::kTempo)
            qnpm = rec.xVal;
        else if (rec.eventType != cGnsNote::kInstrument)
            break;
    }
    const int32_t quarterMs = durToMSec(1, 4, qnpm);
    if (practice.countInBars == 0 || quarterMs < 0)
        return Outcome::Next;
    if (listener_)
        listener_->startingPass(0, tempoPercent_);
    const int32_t beatMs = nearest(lengthScale() * quarterMs);
    const int32_t end =
        clicks_->queueCountIn(tBase_, beatMs, practice.countInBars * practice.beatsPerBar);
    clicks_->sendDue(clock_());
    while (clock_() < end && !stopRequest_)
        clickingPump_(end);
    clicks_->flush();
    tBase_ = end;
    if (bAbort_ || stopRequest_) {
        bAbort_ = true;
        if (listener_) {
            const cGnsNote& rec = apObj.theNotes(iNoteFrom);
            listener_->abortedPlaying(iNoteFrom, rec.noteLineNum, rec.noteCharNum, rec.noteStrLen);
        }
        return Outcome::Aborted;
    }
    return Outcome::Next;
}

cGnsPlay::Outcome cGnsPlay::playPass(const cTParse& apObj, int32_t iNoteFrom, int32_t iNoteTo) {
    const int32_t patch = options_.patch;
    tieSum_.setND(0, 1);
    freshPass_ = pass_ > 1;
    clicks_->startPass();
    for (int32_t i = iNoteFrom; i <= iNoteTo; ++i) {
        const cGnsNote& rec = apObj.theNotes(i);
        if (rec.eventType == cGnsNote::kInstrument) {
            if (patch < 0)
                midiProgramChange(device_, options_.channel, program_ = rec.xVal);
            continue;
        }
        if (rec.eventType == cGnsNote::kTempo) {
            qnpm_ = rec.xVal;
            continue;
        }
        const Outcome outcome = playNoteOrRest(apObj, i, iNoteTo);
        if (outcome != Outcome::Next)
            return outcome;
    }
    // A last click may still be sounding: it ends before the next pass's notes.
    clicks_->flush();
    return Outcome::Next;
}

cGnsPlay::Outcome cGnsPlay::playNoteOrRest(const cTParse& apObj, int32_t i, int32_t iLast) {
    const double timeScale = lengthScale();
    const cGnsNote& rec = apObj.theNotes(i);
    const cDuration& d = rec.dur.value();
    const cNotePAO& pao = rec.notePao.value();

    int32_t durMs = durToMSec(d.Numer(), d.Denom(), qnpm_);
    if (durMs < 0)
        return Outcome::Quiet;
    durMs = nearest(timeScale * durMs);

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
            const int32_t cut = nearest(timeScale * chainMs * (1.0 - ratio));
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
    // In a loop a tie never crosses the seam: the pass's last note ends, so the next pass's
    // first note sounds anew.
    const bool looping = options_.practice.passes != 1;
    if ((rec.tie & 1) && !freshPass_)
        flags = kNoteAlreadyOn;
    freshPass_ = false;
    if ((rec.tie & 2) && !(looping && i == iLast)) {
        flags += kNoteKeepsOn;
        if (tieSum_.Add(d) != DurationResult::Ok)
            throw OverflowError();
    } else {
        tieSum_.setND(0, 1);
    }

    clicks_->addSpan(tBase_, durMs, d);
    clicks_->sendDue(clock_());
    playTimedNote(device_, options_.channel, note, options_.velocity, cents,
                  checked::add(tBase_, onMs), checked::add(tBase_, durMs), flags, clock_,
                  clickingPump_, stopRequest_);
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
