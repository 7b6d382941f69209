#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace notaro {
class tMidiF04;
}

namespace notaro::interchange {

/// One note as the file plays it: ticks from the start, the key, and the pitch-wheel shift in
/// cents in force when it started.
struct ScannedNote {
    int64_t on = 0;
    int64_t off = 0;
    int32_t key = 0;
    int32_t cents = 0;
};

/// A value that takes effect at a tick: a tempo (microseconds per quarter note) or a program.
struct TimedValue {
    int64_t tick = 0;
    int32_t value = 0;
};

/// A time signature meta event: numerator and denominator (a power of two).
struct TimedSignature {
    int64_t tick = 0;
    int32_t numerator = 4;
    int32_t denominator = 4;
};

/// A text meta event of type 1 to 7 (text, copyright, name, instrument, lyric, marker, cue).
struct TimedText {
    int64_t tick = 0;
    int32_t type = 1;
    std::string text;
};

/// One line a melody can be taken from: the notes of one channel in one track.
struct MelodyCandidate {
    int32_t track = 0;    ///< 0-based, as the dump counts
    int32_t channel = 0;  ///< 0-15
    std::string name;     ///< the track's name, "" when it has none
    int32_t program = -1; ///< the first program chosen on the channel in the track, -1 for none
    int32_t noteCount = 0;
    int32_t lowKey = 127;
    int32_t highKey = 0;
};

/// What an import takes from a file for one line: its notes, and the tempo, metre, key,
/// program and text events that go with it.
struct MelodySource {
    int32_t division = 0;
    std::vector<ScannedNote> notes; ///< ordered by start, the highest key first at one start
    std::vector<TimedValue> tempos;
    std::vector<TimedSignature> signatures;
    std::vector<TimedValue> programs;
    std::vector<TimedText> texts;
    int32_t keySignature = 0; ///< the first key signature: sharps above 0, flats below
    std::string trackName;
    std::string sequenceName;
    int64_t lastTick = 0; ///< the tick of the file's last event
};

/// Reads the channel and meta events of a MIDI file once and answers which lines it holds and
/// what each one plays. Notes are paired on and off per key and channel, first on first off;
/// a note left sounding ends at its track's last event. Pitch-wheel shifts are measured with
/// the bend range the channel set (2 semitones until it sets one).
class MidiScan {
public:
    explicit MidiScan(const tMidiF04& file);

    /// Every track and channel that holds notes, by track, then channel.
    const std::vector<MelodyCandidate>& candidates() const { return candidates_; }
    /// The notes of one candidate with the events that go with them: in format 2 only the
    /// track's own meta events, otherwise those of every track.
    MelodySource source(const MelodyCandidate& line) const;

private:
    struct ChannelPart {
        int32_t track = 0;
        int32_t channel = 0;
        std::vector<ScannedNote> notes;
        std::vector<TimedValue> programs;
    };
    struct TrackMeta {
        std::vector<TimedValue> tempos;
        std::vector<TimedSignature> signatures;
        std::vector<TimedText> texts;
        int32_t keySignature = 0;
        int64_t keyTick = -1;
        std::string name;
    };

    void scanTrack(const tMidiF04& file, int32_t track);

    int32_t format_ = 1;
    int32_t division_ = 0;
    int64_t lastTick_ = 0;
    std::vector<ChannelPart> parts_;
    std::vector<TrackMeta> meta_;
    std::vector<MelodyCandidate> candidates_;
};

} // namespace notaro::interchange
