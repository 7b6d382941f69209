#pragma once

#include "midi/MidiResult.h"
#include "midi/tMidiTrk.h"

#include <array>
#include <cstdint>
#include <functional>
#include <istream>
#include <memory>
#include <string>
#include <vector>

namespace notaro {

namespace base {
class ReadOnlyFile;
}

/// One Standard MIDI File in memory: header values, tracks, and absolute times in ticks and
/// milliseconds.
class tMidiF04 {
public:
    /// Called after each event of the tempo-map walk so a user interface can process pending
    /// messages.
    using PendingMessagesHandler = std::function<void()>;

    /// A cleared file: one empty track, format 1, division 0xE728 (1000 ticks per second).
    tMidiF04();

    /// Sets the handler the tempo-map walk calls after each event; an empty handler calls nothing.
    void setPendingMessagesHandler(PendingMessagesHandler handler);

    /// Number of tracks.
    int32_t numOfTracks() const { return static_cast<int32_t>(tracks_.size()); }
    /// The stored track at iTrk, or nullptr when iTrk is outside 0 to numOfTracks - 1.
    /// The track stays at the same address until setNTracks removes it.
    tMidiTrk* tracks(int32_t iTrk);
    const tMidiTrk* tracks(int32_t iTrk) const;
    /// Resizes the track list to n, keeping existing tracks and adding empty ones; the header count
    /// follows. Throws MidiArgumentError when n is below 1.
    void setNTracks(int32_t n);

    int16_t midiFileFormat() const { return format_; }
    void setMidiFileFormat(int16_t format) { format_ = format; }
    /// Ticks per quarter note when the top bit is clear; otherwise minus frames per second (high
    /// byte) and ticks per frame (low byte).
    int16_t midiHdrDivision() const { return division_; }
    void setMidiHdrDivision(int16_t division) { division_ = division; }

    /// The largest absMS of the last event of any track; 0 when no track has events; never below 0.
    int32_t allLastAbsMSec() const;

    /// One empty track, format 1, division 0xE728.
    void clear();
    /// Replaces the content by the Standard MIDI File at fPath, opened for reading only, and times
    /// it. Never allocates more than the file holds: tracks are added as their chunks come, so
    /// after a failure there is one track per chunk started, plus one empty track when the file
    /// ended just before a declared chunk. Result (MidiResult): Ok; NotAChunk, ChunkTooShort,
    /// NoTracksDeclared (the header's count is kept) from the header; the codes of readTrk;
    /// EndOfFile for a missing file or one that ends early; NotARegularFile, at once and
    /// cleared, for a folder, a pipe, a device or a socket; Overflow or DivisionByZero
    /// when the events cannot be timed. What was read before a failure stays, and is timed.
    MidiResult readMidiFile(const std::string& fPath);
    /// As readMidiFile(fPath) on a file its caller opened, and may ask what the path named. The
    /// file is read as far as its size when it was opened.
    MidiResult readMidiFile(base::ReadOnlyFile& file);
    /// Whether the last readMidiFile read the whole header chunk (false before any read).
    bool headerWasRead() const { return headerRead_; }
    /// Number of track chunks of which the last readMidiFile read at least one byte.
    int32_t tracksReached() const { return tracksReached_; }
    /// Makes this object a deep copy of src (the pending-messages handler is kept).
    void copyFrom(const tMidiF04& src);
    /// The text dump: headerText, then for each track trackHeadingText and the track's dump.
    std::string toText() const;
    /// The header part of the dump ("HEADER:" and the three fields); lines end in CR LF.
    std::string headerText() const;
    /// The empty line and the "TRACK #iTrk:" heading that precede a track's dump.
    static std::string trackHeadingText(int32_t iTrk);
    /// Walks all events in merge order without changing the tracks. Result: MidiResult::Ok.
    MidiResult make1TrackMidi();
    /// Sets absTick of every event of every track.
    void setEvtsAbsTicks();
    /// Sets absTick and then absMS of every event from the division and the tempo changes of all
    /// tracks. A division of 0 is timed as 1 tick per quarter note. Throws MidiOverflowError for
    /// times beyond 32 bits and MidiDivisionError for a time-code division of 0 ticks per second.
    void setEvtsAbsMSecs();
    /// The whole file as bytes. Throws what the track encoding throws.
    std::string makeMidiStr() const;
    /// Writes the whole file to fPath through a temporary file renamed over it, so an existing file
    /// is replaced completely or not at all. Result: MidiResult::FileWritten, or FileNotWritten
    /// (any existing file untouched).
    MidiResult toFile(const std::string& fPath) const;
    /// Copies the channel messages of track iTrk on the channels enabled in bChFilter into track 0
    /// of xtrObj (created when null), moved to channel 0 and spaced by their absMS. Without bAppend
    /// xtrObj is cleared first; with it the copies follow its existing events, the first at delta
    /// 0.
    void track2extrObj(std::unique_ptr<tMidiF04>& xtrObj, int32_t iTrk,
                       const std::array<bool, 16>& bChFilter, bool bAppend) const;

private:
    MidiResult readAllTrks(std::istream& file);
    MidiResult readMThd(std::istream& file);
    void appendTrack();
    void setAbsMSecsPPQN(int32_t division);
    void setAbsMSecsSMPTE(int32_t ticksPerSecond);
    template <typename Visit> void walkInMergeOrder(Visit visit);

    int16_t format_ = 1;
    int16_t hdrNTracks_ = 1;
    int16_t division_ = 0;
    std::vector<std::unique_ptr<tMidiTrk>> tracks_;
    std::vector<int32_t> trkCursors_;
    PendingMessagesHandler pendingMessages_;
    bool headerRead_ = false;
    int32_t tracksReached_ = 0;
};

} // namespace notaro
