#pragma once

#include "playback/MidiOutDevice.h"
#include "playback/PlayOptions.h"
#include "playback/PlaybackCodes.h"
#include "playback/PlayerListener.h"
#include "playback/TickClock.h"
#include "score/cDuration.h"
#include "score/cTParse.h"

#include <atomic>
#include <cstdint>

namespace notaro::playback {

/// Plays a stretch of a parsed score live on a MIDI output device, in step with a
/// millisecond tick counter, raising an event before and after every note and rest.
///
/// play() is synchronous and keeps the owner responsive by running the event pump while it
/// waits; stopPlaying() (usually called from inside the pump) ends playback after the current
/// record. Every start and end time is counted from the single start time of the play
/// call, so a late wait never delays the records after it. Each player has its own stop
/// request, so stopping one never cuts short another player's note.
class cGnsPlay {
public:
    /// device: the output, opened and closed by each play call; pump and clock: the waiting.
    cGnsPlay(MidiOutDevice& device, EventPump pump, TickClock clock = getTickCount);

    /// The owner's event handler (not owned); null for none.
    void setListener(PlayerListener* listener) noexcept { listener_ = listener; }

    /// Plays records iNoteFrom..iNoteTo of apObj with the time scale, channel, velocity,
    /// program and on-time ratios of options.
    /// @return Ok (played, stopped, or not started because the device did not open),
    ///         AlreadyPlaying or Failure
    PlaybackResult play(const cTParse& apObj, int32_t iNoteFrom, int32_t iNoteTo,
                        const PlayOptions& options);
    /// Ends playback after the current record (and cuts short the note being waited for).
    void stopPlaying() noexcept;

    bool isPlaying() const noexcept { return bPlaying_; }
    /// Tick-counter time at which the current (or last) play call started its first record.
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
    Outcome playNoteOrRest(const cTParse& apObj, int32_t i);

    MidiOutDevice& device_;
    EventPump pump_;
    TickClock clock_;
    PlayerListener* listener_ = nullptr;
    bool bPlaying_ = false;
    bool bAbort_ = false;
    /// Ends the note being waited for; set by stopPlaying, cleared as each note begins.
    std::atomic<bool> stopRequest_{false};

    // State of one play call.
    PlayOptions options_;
    int32_t qnpm_ = 120;
    int32_t tBase_ = 0;
    int32_t startTick_ = 0;
    cDuration tieSum_;
};

} // namespace notaro::playback
