// The melody import on any bytes read as a MIDI file: every import either fails with its typed
// error or gives score text that parses without error.
#include "interchange/InterchangeResult.h"
#include "interchange/MidiImport.h"
#include "midi/tMidiF04.h"
#include "score/cTParse.h"
#include "tests/fuzz/FuzzSupport.h"

using namespace notaro;
using fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static fuzz::MemoryFile file;
    file.assign(fuzz::bytesOf(data, size));
    tMidiF04 midi;
    if (midi.readMidiFile(file.path()) != MidiResult::Ok)
        return 0;
    interchange::ImportOptions options;
    options.maxRecords = 2'000; // a long melody proves nothing a short one does not
    for (const int32_t grid : {0, 16}) {
        options.grid = grid;
        try {
            const interchange::ImportResult result = interchange::importMelody(midi, options);
            cTParse parser;
            require(parser.parseAramText(result.text).message.empty(),
                    "an imported melody parses without error");
        } catch (const interchange::InterchangeError&) {
        }
    }
    return 0;
}
