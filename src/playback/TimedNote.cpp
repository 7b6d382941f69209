#include "playback/TimedNote.h"

#include "playback/ShortMsg.h"

namespace notaro::playback {

namespace {

bool badChannel(int32_t channel) noexcept {
    return channel < 0 || channel > 15;
}

} // namespace

PlaybackResult midiNoteOnCents(MidiOutDevice& handle, int32_t channel, uint8_t note,
                               uint8_t velocity, int32_t cents) {
    if (note > 127 || cents > 200 || cents < -200 || badChannel(channel))
        return PlaybackResult::BadArgument;
    if (const PlaybackResult rc = handle.shortMsg(pitchWheelMsg(channel, wheelValueOfCents(cents)));
        rc != PlaybackResult::Ok)
        return rc;
    return handle.shortMsg(packShortMsg(static_cast<uint8_t>(0x90 + channel), note, velocity));
}

PlaybackResult midiNoteOffCenter(MidiOutDevice& handle, int32_t channel, uint8_t note,
                                 uint8_t velocity) {
    if (note > 127 || badChannel(channel))
        return PlaybackResult::BadArgument;
    if (const PlaybackResult rc = handle.shortMsg(pitchWheelMsg(channel, kWheelCentre));
        rc != PlaybackResult::Ok)
        return rc;
    return handle.shortMsg(packShortMsg(static_cast<uint8_t>(0x80 + channel), note, velocity));
}

PlaybackResult midiProgramChange(MidiOutDevice& handle, int32_t channel, int32_t program) {
    if (badChannel(channel) || program < 0 || program > 127)
        return PlaybackResult::BadArgument;
    return handle.shortMsg(
        packShortMsg(static_cast<uint8_t>(0xC0 + channel), static_cast<uint8_t>(program)));
}

PlaybackResult playTimedNote(MidiOutDevice& handle, int32_t channel, int32_t note, uint8_t velocity,
                             int32_t cents, int32_t onUntilMs, int32_t untilMs, int32_t flags,
                             const TickClock& clock, const EventPump& pump,
                             std::atomic<bool>& stop) {
    stop = false;
    const bool sounds = note >= 1;
    const auto key = static_cast<uint8_t>(note % 128);
    if ((flags & kNoteAlreadyOn) == 0 && sounds) {
        if (const PlaybackResult rc = midiNoteOnCents(handle, channel, key, velocity, cents);
            rc != PlaybackResult::Ok)
            return rc;
    }
    while (clock() < onUntilMs && !stop)
        pump(onUntilMs);
    if ((flags & kNoteKeepsOn) == 0 && sounds && !stop) {
        if (const PlaybackResult rc = midiNoteOffCenter(handle, channel, key, 0);
            rc != PlaybackResult::Ok)
            return rc;
    }
    while (clock() < untilMs) {
        if (stop)
            return PlaybackResult::Stopped;
        pump(untilMs);
    }
    return PlaybackResult::Ok;
}

} // namespace notaro::playback
