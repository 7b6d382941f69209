// The MIDI file reader on any bytes, through the same path-based entry the programs use. A
// file that reads without error is written, read and written again: the two writes must agree.
#include "midi/tMidiF04.h"
#include "tests/fuzz/FuzzSupport.h"

using namespace notaro;
using fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static fuzz::MemoryFile file;
    file.assign(fuzz::bytesOf(data, size));
    tMidiF04 midi;
    const MidiResult code = midi.readMidiFile(file.path());
    require(midi.numOfTracks() >= 1, "a file always keeps a track");
    midi.toText();
    midi.allLastAbsMSec();
    if (code != MidiResult::Ok)
        return 0;
    const char* const promise = "a file read without error can be written";
    const std::string once = fuzz::noThrow([&] { return midi.makeMidiStr(); }, promise);
    file.assign(once);
    tMidiF04 again;
    require(again.readMidiFile(file.path()) == MidiResult::Ok,
            "a file we wrote reads without error");
    require(fuzz::noThrow([&] { return again.makeMidiStr(); }, promise) == once,
            "a file we wrote is written again unchanged");
    return 0;
}
