#pragma once

#include "midi/MidiResult.h"
#include "midi/tMidiEvt.h"

#include <bitset>
#include <cstdint>
#include <istream>
#include <string>
#include <vector>

namespace notaro {

/// One track of a Standard MIDI File: its events in order, plus the names, channels and programs it
/// uses. Byte strings and texts are std::string; text goes into meta events as its UTF-8 bytes.
class tMidiTrk {
public:
    /// Name from the last Track Name meta event added; empty after clear.
    std::string trkName;
    /// Name from the last Instrument Name meta event added; empty after clear.
    std::string trkInstrument;

    /// Number of events in the track.
    int32_t trkNEvents() const { return nEvents_; }
    /// Number of event slots allocated; grows in steps of 100.
    int32_t trkEventsArrSize() const { return static_cast<int32_t>(slots_.size()); }
    /// Prepares room for n events, so that a writer that knows its size appends without
    /// moving the events already made; the slot count still grows in its own steps.
    void reserveEvents(int32_t n);

    /// The stored event in slot i (0-based, below trkEventsArrSize); changes through it change the
    /// track. Throws MidiRangeError outside the slots. The reference is valid until events are
    /// added or cleared.
    tMidiEvt& trkEvents(int32_t i);
    const tMidiEvt& trkEvents(int32_t i) const;
    /// Copies evt into slot i with copyFrom. Throws MidiRangeError outside the slots.
    void setTrkEvents(int32_t i, const tMidiEvt& evt);

    /// Whether a channel message on channel i (0-15) was added. Throws MidiRangeError outside 0-15.
    bool trkChannels(int32_t i) const;
    void setTrkChannels(int32_t i, bool used);
    /// Whether a Program Change selecting program i (0-127) was added. Throws MidiRangeError
    /// outside 0-127.
    bool trkActInstrs(int32_t i) const;
    void setTrkActInstrs(int32_t i, bool used);

    /// absMS of the last event, or 0 when the track has no events.
    int32_t trkLastAbsMSec() const;

    /// Empties the track: no names, no events, no slots, no channel or program flags.
    void clear();
    /// Makes this track a deep copy of src, with exactly as many slots as src has events.
    void copyFrom(const tMidiTrk& src);

    /// Appends a copy of ev and updates the names and flags.
    /// Result: MidiResult::Ok, or OutOfRange for a Program Change whose program is 128 or more
    /// (the event stays added).
    MidiResult addEvent(const tMidiEvt& ev);
    /// Appends the channel message status, c1, c2.
    void addChanMsg(int32_t deltaTick, uint8_t status, uint8_t c1, uint8_t c2);
    /// Appends a system-exclusive event; msg starts with 0xF0.
    void addSysExEvt(int32_t deltaTick, const std::string& msg);
    /// Appends a meta event of metaType carrying msg.
    void addMetaEvent(int32_t deltaTick, uint8_t metaType, const std::string& msg);
    /// Appends a channel message packed as status + data1 * 256 + data2 * 65536; bits 31-24 are
    /// ignored.
    void addGenShortMsg(int32_t dTime, int32_t shMsg);

    /// Reads one "MTrk" chunk from bfp at its current position and appends its events.
    /// Never allocates more than the stream still holds, whatever the chunk length says.
    /// Result: Ok; NotAChunk, ChunkTooShort, NoRunningStatus, UnhandledStatus; EndOfFile when
    /// the stream ends inside the chunk; InvalidArgument for an event past the body; Overflow
    /// for a quantity beyond 2^31 - 1.
    MidiResult readTrk(std::istream& bfp);

    /// The complete "MTrk" chunk. Channel messages keep their status bytes, system-exclusive events
    /// are left out, and an End of Track is appended unless the last event is one (an empty track
    /// gets one alone). Throws MidiOverflowError for a negative delta time, MidiArgumentError for a
    /// meta event without type.
    std::string makeMidiTrackStr() const;

    /// Sets every event's absTick to the running sum of delta times. Throws MidiOverflowError past
    /// 32 bits.
    void setEvtsAbsTicks();

    /// One line per event: TAB, absTick, " (", absMS, ") " and the event, each line ending in CR
    /// LF.
    std::string toText() const;
    /// Appends the dump line of event i (as toText writes it) to text, so a long track can be
    /// shown piece by piece. Throws MidiRangeError outside the slots.
    void appendEventLine(std::string& text, int32_t i) const;

    void c_addTextE(int32_t dTick, const std::string& txt);
    void c_addCopyrightE(int32_t dTick, const std::string& txt);
    void c_addTracknameE(int32_t dTick, const std::string& txt);
    void c_addInstrNameE(int32_t dTick, const std::string& txt);
    void c_addLyricE(int32_t dTick, const std::string& txt);
    void c_addEndOfTrack(int32_t dTick);
    /// Appends a Set Tempo of musPerQN microseconds per quarter note (its low 24 bits).
    void c_addNewTempo(int32_t dTick, int32_t musPerQN);
    /// The channel helpers throw MidiArgumentError for a channel above 15, which would change the
    /// message kind.
    void c_addProgChangeE(int32_t dTick, uint8_t ch, uint8_t instrument);
    void c_addNoteOnE(int32_t dTick, uint8_t ch, uint8_t note, uint8_t force);
    void c_addNoteOffE(int32_t dTick, uint8_t ch, uint8_t note);
    /// Appends a pitch-wheel shift of shiftCents (decimal text, clamped to +-199) on a +-2 semitone
    /// wheel. Throws MidiArgumentError when shiftCents is not a number.
    void c_addPitchWheelE(int32_t dTick, uint8_t ch, const std::string& shiftCents);
    /// The 14-bit pitch-wheel value of a shift in cents (limited to +-199), centre 8192.
    static uint16_t pitchWheelValue(double cents);

private:
    MidiResult readBody(const std::string& body);
    /// The slot for one more event, growing the slots by 100 when they are all used.
    tMidiEvt& nextSlot();
    /// Updates names and flags for an event just stored. Result as addEvent.
    MidiResult noteAdded(const tMidiEvt& ev);

    std::vector<tMidiEvt> slots_;
    int32_t nEvents_ = 0;
    std::bitset<16> channels_;
    std::bitset<128> programs_;
};

} // namespace notaro
