#pragma once

#include "playback/PlaybackCodes.h"

#include <cstdint>
#include <string>

namespace notaro::playback {

/// What the player tells its owner while it plays. Every position is that of the record's
/// own text (noteLineNum, noteCharNum, noteStrLen), so one place in the editor.
/// The handlers run on the player's thread and may call stopPlaying (or even play, which
/// then returns PlaybackResult::AlreadyPlaying).
class PlayerListener {
public:
    virtual ~PlayerListener() = default;

    /// Just before a note sounds. durN/durD: the duration as a full 32-bit fraction;
    /// tmNoteVal: the MIDI note number (x.5 for a quarter tone); durMS: its scaled length.
    virtual void playingNoteLine(int32_t iNote, uint8_t pitchClass, uint8_t octave,
                                 uint8_t accidental, int32_t durN, int32_t durD, float tmNoteVal,
                                 int32_t durMS, int32_t lineNum, int32_t charPos, int32_t theLen) {
        (void)iNote, (void)pitchClass, (void)octave, (void)accidental, (void)durN, (void)durD;
        (void)tmNoteVal, (void)durMS, (void)lineNum, (void)charPos, (void)theLen;
    }
    /// Just before a rest is waited out.
    virtual void playingRestLine(int32_t iNote, int32_t durN, int32_t durD, int32_t durMS,
                                 int32_t lineNum, int32_t charPos, int32_t theLen) {
        (void)iNote, (void)durN, (void)durD, (void)durMS, (void)lineNum, (void)charPos,
            (void)theLen;
    }
    /// After a note or rest has been played.
    virtual void donePlayingLine(int32_t iNote, int32_t lineNum, int32_t charPos, int32_t theLen) {
        (void)iNote, (void)lineNum, (void)charPos, (void)theLen;
    }
    /// A pass through the stretch begins (pass 1, 2, ...) at tempoPercent of the score's
    /// tempo, before its first record; pass 0 is the count-in, before its first click.
    virtual void startingPass(int32_t pass, int32_t tempoPercent) {
        (void)pass, (void)tempoPercent;
    }
    /// After the last record of the last pass, when no stop was requested.
    virtual void donePlayingAll() {}
    /// A stop request was seen after record iNote.
    virtual void abortedPlaying(int32_t iNote, int32_t lineNum, int32_t charPos, int32_t theLen) {
        (void)iNote, (void)lineNum, (void)charPos, (void)theLen;
    }
    /// The output device did not open; message is "Couldn't open midi out, rc = N", for the
    /// owner to show.
    virtual void midiOutOpenFailed(const std::string& message, PlaybackResult rc) {
        (void)message, (void)rc;
    }
};

} // namespace notaro::playback
