#pragma once

#include "midi/tMidiF04.h"
#include "playback/PlayOptions.h"
#include "playback/PlaybackCodes.h"
#include "score/cTParse.h"

#include <cstdint>

namespace notaro::playback {

/// Plays records iNoteFrom..iNoteTo with the real-time player on a clock that jumps to each
/// wait's end, and writes every message it sends into file (cleared first; one track, 1000
/// ticks a second, so each message keeps its millisecond). A WAV rendered from it sounds the
/// loop, count-in, click and tempo exactly as play does.
/// @return what cGnsPlay::play returns; BadArgument for a loop until stopped, which never ends
PlaybackResult playIntoMidiFile(const cTParse& apObj, int32_t iNoteFrom, int32_t iNoteTo,
                                const PlayOptions& options, tMidiF04& file);

} // namespace notaro::playback
