#pragma once

#include "playback/MidiOutDevice.h"
#include "playback/PlaybackCodes.h"

namespace notaro::playback {

/// Silences an output whatever was sent to it: all-sounds-off (CC 120), all-notes-off (CC 123)
/// and reset-all-controllers (CC 121), in that order, on each of the 16 channels. An open
/// device stays open (a player using it goes on with its next note); a closed one is opened
/// for the messages and closed again. Call it on the thread that plays (for example from a
/// handler the player's event pump runs), or while nothing plays.
/// @return Ok, or the code of the open or the first message that failed (the other messages
///         are still sent)
PlaybackResult sendPanic(MidiOutDevice& device);

} // namespace notaro::playback
