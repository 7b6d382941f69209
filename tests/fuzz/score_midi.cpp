// A score, parsed as the programs parse it, made into MIDI bytes and read back: what we write we
// can read, with the same events. The streaming export must give the same bytes as the file
// object.
#include "FuzzSupport.h"
#include "MidiError.h"
#include "ScoreEncoding.h"
#include "ScoreToMidi.h"
#include "cTParse.h"

#include <filesystem>
#include <fstream>
#include <iterator>

using namespace notaro;
using fuzz::require;

namespace {

/// A path for the streaming export, removed when the run ends.
class ExportPath {
public:
    // In memory when the system has a memory file system: the export syncs its file to disk,
    // which would otherwise cost more than the conversion.
    ExportPath()
        : path_((folder() / ("notaro-fuzz-" + std::to_string(::getpid()) + ".mid")).string()) {}
    ~ExportPath() {
        std::error_code ec;
        std::filesystem::remove(path_, ec);
    }
    const std::string& path() const { return path_; }
    std::string bytes() const {
        std::ifstream in(path_, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

private:
    static std::filesystem::path folder() {
        std::error_code ec;
        return std::filesystem::is_directory("/dev/shm", ec)
                   ? std::filesystem::path("/dev/shm")
                   : std::filesystem::temp_directory_path();
    }

    std::string path_;
};

bool timesOverflow(tMidiF04& midi) {
    try {
        midi.setEvtsAbsMSecs();
        return false;
    } catch (const MidiError&) {
        return true;
    }
}

void requireSameEvents(const tMidiTrk& built, const tMidiTrk& back) {
    const int32_t n = built.trkNEvents();
    const bool endAdded = n == 0 || built.trkEvents(n - 1).eData != "\x2F";
    require(back.trkNEvents() == n + (endAdded ? 1 : 0), "a track reads back with its events");
    for (int32_t i = 0; i < n; ++i) {
        const tMidiEvt& a = built.trkEvents(i);
        const tMidiEvt& b = back.trkEvents(i);
        require(a.eType == b.eType && a.eData == b.eData && a.deltaTick == b.deltaTick,
                "every event reads back as written");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static fuzz::MemoryFile file;
    static ExportPath exported;
    const std::string text = encoding::decodeScoreFile(fuzz::bytesOf(data, size));
    cTParse parser;
    std::string message;
    int32_t eCharPos = 0;
    int32_t eLen = -1;
    if (parser.parseAramText(text, message, eCharPos, eLen) != 0)
        return 0;

    tMidiF04 built;
    const int32_t rc = buildScoreMidi(parser, 1.0f, 0, -1, built);
    const int32_t streamed = scoreToMidiFile(exported.path(), parser, 1.0f, 0, -1);
    require(rc == 0 || rc == -9999, "a conversion succeeds or says it failed");
    require((rc == 0) == (streamed == 0), "both exports agree on success");
    if (rc != 0)
        return 0;

    std::string bytes;
    try {
        bytes = built.makeMidiStr();
    } catch (const MidiError&) {
        require(false, "a converted score can be written");
    }
    require(exported.bytes() == bytes, "the streaming export writes the file object's bytes");

    file.assign(bytes);
    tMidiF04 back;
    const int32_t code = back.readMidiFile(file.path());
    require(code == 0 || (code == 6 && timesOverflow(built)),
            "a file we wrote reads without error");
    require(back.numOfTracks() == 1 && back.midiHdrDivision() == kScoreMidiDivision,
            "the header reads back as written");
    requireSameEvents(*built.tracks(0), *back.tracks(0));
    return 0;
}
