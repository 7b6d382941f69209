#include "midi/MidiResult.h"

#include "base/ResultCodeText.h"

namespace notaro {

const char* resultText(MidiResult r) {
    // One wording per code, so the same failure reads the same wherever it is reported.
    using R = MidiResult;
    static const std::pair<R, const char*> kTexts[] = {
        {R::Ok, "no failure"},
        {R::NotAChunk, "a chunk does not start with \"MThd\" or \"MTrk\" as expected"},
        {R::ChunkTooShort, "a chunk length is too small (header below 6, track below 1)"},
        {R::NoTracksDeclared, "the header declares no tracks"},
        {R::NoRunningStatus, "a data byte comes before any status byte"},
        {R::UnhandledStatus, "a track holds a status byte that is not handled"},
        {R::InvalidArgument, "an event runs past the end of its track"},
        {R::Overflow, "a length or a time exceeds 32 bits"},
        {R::OutOfRange, "an index is out of range"},
        {R::DivisionByZero, "its time-code division has 0 ticks per second"},
        {R::EndOfFile, "it ends early or is missing"},
        {R::NotARegularFile, "it is not a regular file"},
    };
    for (const auto& [value, words] : kTexts)
        if (value == r)
            return words;
    return "an unknown failure";
}

std::ostream& operator<<(std::ostream& os, MidiResult r) {
    using R = MidiResult;
    static const std::pair<R, const char*> kNames[] = {
        {R::Ok, "Ok"},
        {R::NotAChunk, "NotAChunk"},
        {R::ChunkTooShort, "ChunkTooShort"},
        {R::NoTracksDeclared, "NoTracksDeclared"},
        {R::NoRunningStatus, "NoRunningStatus"},
        {R::UnhandledStatus, "UnhandledStatus"},
        {R::EndOfFile, "EndOfFile"},
        {R::NotARegularFile, "NotARegularFile"},
        {R::InvalidArgument, "InvalidArgument"},
        {R::Overflow, "Overflow"},
        {R::OutOfRange, "OutOfRange"},
        {R::DivisionByZero, "DivisionByZero"},
        {R::FileWritten, "FileWritten"},
        {R::FileNotWritten, "FileNotWritten"},
        {R::ScoreFileNotWritten, "ScoreFileNotWritten"},
        {R::ConversionFailed, "ConversionFailed"},
    };
    return base::writeResultCode(os, r, kNames);
}

} // namespace notaro
