#pragma once

#include <cstdint>
#include <iosfwd>

namespace notaro::playback {

/// The result codes of the playback library: the output devices, the timed-note helpers, the
/// player and the WAV renderer. The helpers pass a device's code on, so they share one
/// numbering, in which each number means one thing. Users see the numbers ("Couldn't open midi
/// out, rc = 68"), so none may change; code() gives the number.
enum class PlaybackResult : int32_t {
    /// Success; also cGnsPlay::play when playback was stopped or the device did not open.
    Ok = 0,

    // The output devices (MidiOutDevice and its backends), numbered as the system MIDI error
    // codes that users may already know from other programs.
    /// The backend failed.
    Error = 1,
    /// No such port, or no MIDI sequencer.
    BadDevice = 2,
    /// A message sent to a closed device.
    NotOpen = 5,
    /// No audio output could be started.
    NoDriver = 6,
    /// The message is not a channel message.
    InvalidParam = 11,
    /// No SoundFont found, or it did not load.
    NoSoundFont = 68,

    /// The timed-note helpers: an argument out of range; nothing was sent. cGnsPlay::play:
    /// practice options out of range; nothing was played.
    BadArgument = -99,
    /// playTimedNote: a stop request ended the silent wait.
    Stopped = -9995,

    /// cGnsPlay::play: this player is already playing.
    AlreadyPlaying = -2,
    /// cGnsPlay::play: a run-time failure ended playback.
    Failure = -9999,

    /// renderMidiToWav: the WAV file could not be written.
    WriteFailed = -7,
    /// renderMidiToWav: the cancel flag was raised.
    Cancelled = -8,
};

/// The number of a code, as messages show it.
constexpr int32_t code(PlaybackResult r) noexcept {
    return static_cast<int32_t>(r);
}

/// Name and number, e.g. "NoSoundFont (68)", for test failures and traces.
std::ostream& operator<<(std::ostream& os, PlaybackResult r);

} // namespace notaro::playback
