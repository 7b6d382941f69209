// The MIDI file reader on any bytes, through the same path-based entry the programs use. A
// file that reads without error is written, read and written again: the two writes must agree.
#include "FuzzSupport.h"
#include "MidiError.h"
#include "tMidiF04.h"

using namespace notaro;
using fuzz::require;

namespace {

/// The file as bytes; writing what was read without error must not fail.
std::string written(const tMidiF04& midi) {
    try {
        return midi.makeMidiStr();
    } catch (const MidiError&) {
        require(false, "a file read without error can be written");
    }
    return {};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static fuzz::MemoryFile file;
    file.assign(fuzz::bytesOf(data, size));
    tMidiF04 midi;
    const int32_t code = midi.readMidiFile(file.path());
    require(midi.numOfTracks() >= 1, "a file always keeps a track");
    midi.toText();
    midi.allLastAbsMSec();
    if (code != 0)
        return 0;

    const std::string once = written(midi);
    file.assign(once);
    tMidiF04 again;
    require(again.readMidiFile(file.path()) == 0, "a file we wrote reads without error");
    require(written(again) == once, "a file we wrote is written again unchanged");
    return 0;
}
