#pragma once

#include "playback/ClickTrack.h"
#include "playback/MidiOutDevice.h"
#include "playback/PlayOptions.h"
#include "playback/PlaybackCodes.h"
#include "playback/PlayerListener.h"
#include "playback/TickClock.h"
#include "score/cDuration.h"
#include "score/cTParse.h"

#include <atomic>
#include <cstdint>
#include <memory>

namespace notaro::playback {

/// Plays a stretch of a parsed score live on a MIDI output device, in step with a
/// millisecond tick counter, raising an event before and after every note and rest.
///
/// play() is synchronous and keeps the owner responsive by running the event pump while it
/// waits; stopPlaying() (usually called from inside the pump) ends playback after the current
/// record. Every start and end time is counted from the single start time of the play
/// call, so a late wait never delays the records after it; that holds across the passes of a
/// loop, so pass n + 1 starts exactly one pass length (the sum of its scaled note values)
/// after pass n, with every note of pass n ended before it. Count-in and click are queued on
/// that same clock by a ClickTrack. Each player has its own stop
/// request, so stopping one never cuts short another player's note.
class cGnsPlay {
public:
    /// device: the output, opened and closed by each play call; pump and clock: the waiting.
    cGnsPlay(MidiOutDevice& device, EventPump pump, TickClock clock = getTickCount);

    /// The owner's event handler (not owned); null for none.
    void setListener(PlayerListener* listener) noexcept { listener_ = listener; }

    /// Plays records iNoteFrom..iNoteTo of apObj with the time scale, channel, velocity,
    /// program, on-time ratios and practice tools of options.
    /// @return Ok (played, stopped, or not started because the device did not open),
    ///         AlreadyPlaying, BadArgument (practice options out of range) or Failure
    PlaybackResult play(const cTParse& apObj, int32_t iNoteFrom, int32_t iNoteTo,
                        const PlayOptions& options);
    /// Ends playback after the current record (and cuts short the note being waited for).
    void stopPlaying() noexcept;

    /// Sets the tempo, in percent of the score's own (held within 25..200), from the next
    /// note on; a ramp climbs from it at the next pass. Safe from any thread; each play call
    /// starts from its options' tempo.
    void setTempoPercent(int32_t percent) noexcept;
    int32_t tempoPercent() const noexcept { return tempoPercent_; }
    /// The pass being played: 1, 2, ...; 0 before the first pass (during a count-in).
    int32_t pass() const noexcept { return pass_; }

    bool isPlaying() const noexcept { return bPlaying_; }
    /// Tick-counter time at which the current (or last) play call started its count-in, or its
    /// first record when there is none.
    int32_t startTick() const noexcept { return startTick_; }

    /// What durToMSec gives when no length can be computed.
    static constexpr int32_t kNoLength = -2;
    /// Milliseconds of numerator/denominator whole notes at qnpm quarter notes per minute,
    /// the whole note's length rounded first. @return the length, or kNoLength when it
    /// cannot be computed (qnpm 0, a zero denominator, overflow).
    static int32_t durToMSec(int32_t numerator, int32_t denominator, int32_t qnpm);

private:
    enum class Outcome { Next, Quiet, Aborted };

    PlaybackResult playRecords(const cTParse& apObj, int32_t iNoteFrom, int32_t iNoteTo);
    Outcome playPass(const cTParse& apObj, int32_t iNoteFrom, int32_t iNoteTo);
    Outcome countIn(const cTParse& apObj, int32_t iNoteFrom, int32_t iNoteTo);
    Outcome playNoteOrRest(const cTParse& apObj, int32_t i, int32_t iLast);
    /// Every length's factor: the time scale over the tempo share.
    double lengthScale() const noexcept;

    MidiOutDevice& device_;
    EventPump pump_;
    TickClock clock_;
    PlayerListener* listener_ = nullptr;
    bool bPlaying_ = false;
    bool bAbort_ = false;
    /// Ends the note being waited for; set by stopPlaying, cleared as each note begins.
    std::atomic<bool> stopRequest_{false};
    std::atomic<int32_t> tempoPercent_{100};
    std::atomic<int32_t> pass_{0};

    // State of one play call.
    PlayOptions options_;
    int32_t qnpm_ = 120;
    int32_t tBase_ = 0;
    int32_t startTick_ = 0;
    cDuration tieSum_;
    int32_t program_ = -1;
    /// The next record is the first of a pass after the first.
    bool freshPass_ = false;
    /// The pump the notes wait with: sends the clicks that fall due on the way.
    EventPump clickingPump_;
    std::unique_ptr<ClickTrack> clicks_;
};

} // namespace notaro::playback
