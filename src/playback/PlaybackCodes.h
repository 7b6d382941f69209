#pragma once

#include <cstdint>

// The result codes of the playback library, one namespace per code space: a number means
// something only together with the space it comes from (5 is "device not open" only in
// midiOutRc). 0 is success in every space.
namespace notaro::playback {

/// Results of the output devices (MidiOutDevice and its backends). The numbers follow the
/// system MIDI error codes that users may already know from other programs.
namespace midiOutRc {
inline constexpr int32_t kError = 1;         ///< the backend failed
inline constexpr int32_t kBadDevice = 2;     ///< no such port, or no MIDI sequencer
inline constexpr int32_t kNotOpen = 5;       ///< a message sent to a closed device
inline constexpr int32_t kNoDriver = 6;      ///< no audio output could be started
inline constexpr int32_t kInvalidParam = 11; ///< the message is not a channel message
inline constexpr int32_t kNoSoundFont = 68;  ///< no SoundFont found, or it did not load
} // namespace midiOutRc

/// Results of the timed-note helpers (playTimedNote, midiNoteOnCents and the others) besides
/// 0 and the midiOutRc codes of a failed send.
namespace noteRc {
inline constexpr int32_t kBadArgument = -99; ///< an argument out of range; nothing was sent
inline constexpr int32_t kStopped = -9995;   ///< a stop request ended the silent wait
} // namespace noteRc

/// Results of cGnsPlay::play besides 0 (played, stopped, or the device did not open).
namespace playRc {
inline constexpr int32_t kAlreadyPlaying = -2; ///< this player is already playing
inline constexpr int32_t kFailure = -9999;     ///< a run-time failure ended playback
} // namespace playRc

/// The result of cGnsPlay::durToMSec when no length can be computed.
namespace durationRc {
inline constexpr int32_t kNoLength = -2; ///< tempo 0, a zero denominator, or overflow
} // namespace durationRc

/// The result of RtMidiPortOut::findPort when no port name matches.
namespace portRc {
inline constexpr int32_t kNoPort = -1; ///< no port name holds the wanted text
} // namespace portRc

/// Results of renderMidiToWav besides 0 and the midiOutRc codes.
namespace renderRc {
inline constexpr int32_t kWriteFailed = -7; ///< the WAV file could not be written
inline constexpr int32_t kCancelled = -8;   ///< the cancel flag was raised
} // namespace renderRc

} // namespace notaro::playback
