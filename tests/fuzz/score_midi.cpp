// A score, read and parsed as the programs read and parse it, made into MIDI bytes and read
// back: what we write we can read, with the same events. The streaming export gives the file
// object's bytes.
#include "midi/MidiError.h"
#include "midi/ScoreToMidi.h"
#include "score/ScoreFile.h"
#include "score/cTParse.h"
#include "tests/fuzz/FuzzSupport.h"

#include <filesystem>
#include <fstream>
#include <iterator>

using namespace notaro;
using fuzz::require;

namespace {

/// The streaming export's file, removed when the run ends. In memory where the system has a
/// memory file system: the export syncs its file to disk, which would cost more than the
/// conversion.
struct ExportPath {
    std::string path =
        (std::filesystem::is_directory("/dev/shm") ? std::filesystem::path("/dev/shm")
                                                   : std::filesystem::temp_directory_path()) /
        ("notaro-fuzz-" + std::to_string(::getpid()) + ".mid");
    ~ExportPath() {
        std::error_code ec;
        std::filesystem::remove(path, ec);
    }
    std::string bytes() const {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static fuzz::MemoryFile score, file;
    static ExportPath exported;
    score.assign(fuzz::bytesOf(data, size));
    const std::string text = readScoreFile(score.path(), kToolScoreLimit).text;
    cTParse parser;
    if (!parser.parseAramText(text).ok())
        return 0;

    tMidiF04 built;
    const MidiResult rc = buildScoreMidi(parser, ScoreMidiOptions(), built);
    const MidiResult streamed = scoreToMidiFile(exported.path, parser, ScoreMidiOptions());
    require(rc == MidiResult::Ok || rc == MidiResult::ConversionFailed,
            "a conversion succeeds or says it failed");
    require((rc == MidiResult::Ok) == (streamed == MidiResult::Ok),
            "both exports agree on success");
    if (rc != MidiResult::Ok)
        return 0;
    const std::string bytes =
        fuzz::noThrow([&] { return built.makeMidiStr(); }, "a converted score can be written");
    require(exported.bytes() == bytes, "the streaming export writes the file object's bytes");

    file.assign(bytes);
    tMidiF04 back;
    const MidiResult code = back.readMidiFile(file.path());
    require(code == MidiResult::Ok || (code == MidiResult::Overflow &&
                                       fuzz::throws<MidiError>([&] { built.setEvtsAbsMSecs(); })),
            "a file we wrote reads without error");
    require(fuzz::noThrow([&] { return back.makeMidiStr(); }, "a file read back can be written") ==
                bytes,
            "a file we wrote reads back with its events, written again unchanged");
    return 0;
}
