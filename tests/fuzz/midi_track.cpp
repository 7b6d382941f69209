// The track decoder on any bytes: track chunks one after another into one track, then timed,
// dumped and encoded again.
#include "midi/MidiError.h"
#include "midi/tMidiTrk.h"
#include "tests/fuzz/FuzzSupport.h"

#include <sstream>

using namespace notaro;
using R = notaro::MidiResult;
using fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::istringstream in(std::string(fuzz::bytesOf(data, size)));
    tMidiTrk track;
    int32_t chunks = 0;
    R code = R::Ok;
    while (chunks < 8 && (code = track.readTrk(in)) == R::Ok)
        ++chunks;
    require(code == R::Ok || code == R::NotAChunk || code == R::ChunkTooShort ||
                code == R::NoRunningStatus || code == R::UnhandledStatus || code == R::EndOfFile ||
                code == R::InvalidArgument || code == R::Overflow,
            "a track read fails only with one of its named codes");
    require(track.trkNEvents() <= track.trkEventsArrSize(), "every event has a slot");
    fuzz::throws<MidiError>([&] { track.setEvtsAbsTicks(); }); // times past 32 bits are refused
    track.toText();
    const std::string chunk = fuzz::noThrow([&] { return track.makeMidiTrackStr(); },
                                            "a track that was read can be encoded");
    require(chunk.compare(0, 4, "MTrk") == 0, "an encoded track is an MTrk chunk");
    return 0;
}
