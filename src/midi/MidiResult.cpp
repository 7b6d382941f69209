#include "midi/MidiResult.h"

namespace notaro {

namespace midiResult {

const char* text(int32_t code) {
    // One wording per code, so the same failure reads the same wherever it is reported.
    static const struct {
        int32_t code;
        const char* words;
    } kTexts[] = {
        {kOk, "no failure"},
        {kNotAChunk, "a chunk does not start with \"MThd\" or \"MTrk\" as expected"},
        {kChunkTooShort, "a chunk length is too small (header below 6, track below 1)"},
        {kNoTracksDeclared, "the header declares no tracks"},
        {kNoRunningStatus, "a data byte comes before any status byte"},
        {kUnhandledStatus, "a track holds a status byte that is not handled"},
        {kInvalidArgument, "an event runs past the end of its track"},
        {kOverflow, "a length or a time exceeds 32 bits"},
        {kOutOfRange, "an index is out of range"},
        {kDivisionByZero, "its time-code division has 0 ticks per second"},
        {kEndOfFile, "it ends early or is missing"},
        {kNotARegularFile, "it is not a regular file"},
    };
    for (const auto& t : kTexts) {
        if (t.code == code) {
            return t.words;
        }
    }
    return "an unknown failure";
}

} // namespace midiResult

} // namespace notaro
