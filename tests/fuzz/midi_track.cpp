// The track decoder on any bytes: track chunks one after another into one track, then timed,
// dumped and encoded again.
#include "FuzzSupport.h"
#include "MidiError.h"
#include "tMidiTrk.h"

#include <sstream>

using namespace notaro;
using fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::istringstream in(std::string(fuzz::bytesOf(data, size)));
    tMidiTrk track;
    int32_t chunks = 0;
    int32_t code = 0;
    while (chunks < 8 && (code = track.readTrk(in)) == 0)
        ++chunks;
    require(code == 0 || code == -1 || code == -2 || code == -4 || code == -5 || code == 62 ||
                code == 5 || code == 6,
            "a track read fails only with a documented code");
    require(track.trkNEvents() <= track.trkEventsArrSize(), "every event has a slot");
    try {
        track.setEvtsAbsTicks();
    } catch (const MidiError&) {
        // Times past 32 bits are refused, as documented.
    }
    track.toText();
    try {
        const std::string chunk = track.makeMidiTrackStr();
        require(chunk.compare(0, 4, "MTrk") == 0, "an encoded track is an MTrk chunk");
    } catch (const MidiError&) {
        require(false, "a track that was read can be encoded");
    }
    return 0;
}
