#pragma once

#include "playback/MidiOutDevice.h"
#include "playback/ShortMsg.h"
#include "score/cDuration.h"

#include <cstdint>
#include <vector>

namespace notaro::playback {

/// The metronome of the practice tools: clicks on the General MIDI percussion channel,
/// queued on the player's own tick clock and sent by the player's waits as they fall due.
///
/// During play the beats are quarter notes of the score counted from the first note of each
/// pass, so a beat placed inside a note is put where its share of the note's length puts it:
/// clicks follow every tempo change exactly as the notes do. The first beat of each bar sounds
/// the accent key, the others the beat key: two wood blocks, short and dry, that cut through
/// any instrument without being taken for a note of the tune (a side stick or a hi-hat blends
/// into drum-like programs).
class ClickTrack {
public:
    /// Channel 10, the percussion channel.
    static constexpr int32_t kChannel = 9;
    /// Hi Wood Block.
    static constexpr uint8_t kAccentKey = 76;
    /// Low Wood Block.
    static constexpr uint8_t kBeatKey = 77;
    static constexpr uint8_t kAccentVelocity = 127;
    static constexpr uint8_t kBeatVelocity = 96;
    /// Longest a click is held before its note-off (shorter when beats come faster).
    static constexpr int32_t kSoundMs = 30;

    /// beatsPerBar: beats from one accent to the next; clickWhilePlaying: addSpan queues beats.
    ClickTrack(MidiOutDevice& device, int32_t beatsPerBar, bool clickWhilePlaying);

    /// Queues beats clicks beatMs apart from startMs (a count-in).
    /// @return the time just after the last beat: startMs + beats * beatMs
    int32_t queueCountIn(int32_t startMs, int32_t beatMs, int32_t beats);
    /// The next addSpan begins a pass: its first beat is a downbeat.
    void startPass();
    /// The pass's next record lasts value (in whole notes) and durMs from startMs: queues the
    /// beats that fall in it. Nothing when clicking while playing is off.
    void addSpan(int32_t startMs, int32_t durMs, const cDuration& value);
    /// Sends every queued message due at nowMs, in time order (a note-off before a note-on
    /// due at the same time).
    void sendDue(int32_t nowMs);
    /// Sends the queued note-offs at once (a pass's last ones, before the next pass's notes)
    /// and drops the clicks not yet due (a stop).
    void flush();
    /// The earlier of limitMs and the time of the first queued message.
    int32_t nextDue(int32_t limitMs) const noexcept;
    bool idle() const noexcept { return queue_.empty(); }

private:
    void queueBeat(int32_t atMs, int32_t soundMs, bool accent);

    MidiOutDevice& device_;
    int32_t beatsPerBar_;
    bool clickWhilePlaying_;
    /// Sorted by time; equal times keep the order they were queued in.
    std::vector<TimedShortMsg> queue_;
    /// Position in the pass, in whole notes, and the index of the next beat.
    cDuration position_;
    int32_t nextBeat_ = 0;
};

} // namespace notaro::playback
