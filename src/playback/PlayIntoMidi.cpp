#include "playback/PlayIntoMidi.h"

#include "playback/RecordingMidiOut.h"
#include "playback/cGnsPlay.h"

#include <algorithm>

namespace notaro::playback {

PlaybackResult playIntoMidiFile(const cTParse& apObj, int32_t iNoteFrom, int32_t iNoteTo,
                                const PlayOptions& options, tMidiF04& file) {
    if (options.practice.passes == PracticeOptions::kUntilStopped)
        return PlaybackResult::BadArgument;
    int32_t now = 0;
    const TickClock clock = [&now] { return now; };
    RecordingMidiOut device(clock);
    cGnsPlay player(
        device, [&now](int32_t deadline) { now = std::max(now, deadline); }, clock);
    if (const PlaybackResult rc = player.play(apObj, iNoteFrom, iNoteTo, options);
        rc != PlaybackResult::Ok)
        return rc;
    file.clear();
    tMidiTrk& track = *file.tracks(0);
    int32_t last = 0;
    for (const TimedShortMsg& m : device.messages()) {
        track.addGenShortMsg(m.ms - last, static_cast<int32_t>(m.msg));
        last = m.ms;
    }
    track.c_addEndOfTrack(0);
    return PlaybackResult::Ok;
}

} // namespace notaro::playback
