#pragma once

#include "playback/MidiOutDevice.h"
#include "playback/PlaybackCodes.h"
#include "playback/TickClock.h"

#include <atomic>
#include <cstdint>

namespace notaro::playback {

/// playTimedNote flags: the note is already sounding (tied from the previous note).
inline constexpr int32_t kNoteAlreadyOn = 1;
/// playTimedNote flags: the note goes on sounding into the next one.
inline constexpr int32_t kNoteKeepsOn = 2;

/// Sets the wheel to the cents shift, then sends the note-on.
/// @return Ok, BadArgument (note > 127, cents outside -200..200, channel outside 0..15; nothing
///         sent), or the device's code (a failed wheel message keeps the note-on from being sent).
PlaybackResult midiNoteOnCents(MidiOutDevice& handle, int32_t channel, uint8_t note,
                               uint8_t velocity, int32_t cents);

/// Centres the wheel, then sends the note-off.
/// @return Ok, BadArgument (note > 127, channel outside 0..15), or the device's code.
PlaybackResult midiNoteOffCenter(MidiOutDevice& handle, int32_t channel, uint8_t note,
                                 uint8_t velocity);

/// Sends the program change (0xC0 + channel, program).
/// @return Ok, BadArgument (channel outside 0..15, program outside 0..127; nothing sent), or
///         the device's code.
PlaybackResult midiProgramChange(MidiOutDevice& handle, int32_t channel, int32_t program);

/// Sounds one note (or waits out a rest, note < 1) against the tick counter: note-on now,
/// note-off at onUntilMs, return at untilMs. While waiting it runs the pump with the time it
/// waits for. flags: kNoteAlreadyOn skips the note-on, kNoteKeepsOn skips the note-off.
/// stop: the caller's stop request, cleared as the call begins; set (by the pump, or by another
/// thread) it ends the sounding wait at once without a note-off (closing the device silences
/// the note) and makes the silent wait return Stopped.
/// @return Ok, BadArgument, Stopped or the device's code.
PlaybackResult playTimedNote(MidiOutDevice& handle, int32_t channel, int32_t note, uint8_t velocity,
                             int32_t cents, int32_t onUntilMs, int32_t untilMs, int32_t flags,
                             const TickClock& clock, const EventPump& pump,
                             std::atomic<bool>& stop);

} // namespace notaro::playback
