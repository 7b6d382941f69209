#include "base/ChildProcess.h"
#include "cli/InterchangeCommands.h"
#include "tests/cli/CliTestSupport.h"
#include "tests/interchange/InterchangeTestSupport.h"
#include "tests/midi/midiTestSupport.h"

#include <algorithm>
#include <array>
#include <map>
#include <tuple>

using namespace notaro::cli;
using InterchangeCommands = notaro::testing::CliTest;

namespace {

/// The notes a MIDI file plays, ordered by onset: "key@onset/length" in ticks, the key raised
/// by the channel's pitch-wheel shift (2 semitones at full throw).
std::string playedNotes(const std::string& path) {
    notaro::tMidiF04 midi;
    if (midi.readMidiFile(path) != notaro::MidiResult::Ok)
        return "unreadable";
    std::vector<std::tuple<int64_t, double, int64_t>> notes; // onset, key, length
    for (int32_t t = 0; t < midi.numOfTracks(); ++t) {
        std::array<double, 16> bend{};
        std::map<int, size_t> sounding; // channel * 128 + key -> note
        for (int32_t i = 0; i < midi.tracks(t)->trkNEvents(); ++i) {
            const notaro::tMidiEvt& ev = midi.tracks(t)->trkEvents(i);
            if (ev.eType != 1 || ev.eData.size() < 3)
                continue;
            const auto byte = [&](size_t k) { return static_cast<uint8_t>(ev.eData[k]); };
            const int kind = byte(0) & 0xF0, ch = byte(0) & 0x0F, key = ch * 128 + byte(1);
            if (kind == 0xE0) {
                bend[ch] = ((byte(1) | byte(2) << 7) - 8192) / 4096.0;
            } else if (kind == 0x90 && byte(2) > 0) {
                sounding[key] = notes.size();
                notes.emplace_back(ev.absTick, byte(1) + bend[ch], -1);
            } else if ((kind == 0x80 || kind == 0x90) && sounding.count(key) > 0) {
                auto& [onset, pitch, length] = notes[sounding[key]];
                length = ev.absTick - onset;
                sounding.erase(key);
            }
        }
    }
    std::stable_sort(notes.begin(), notes.end());
    std::string out;
    for (const auto& [onset, pitch, length] : notes) {
        char text[64];
        std::snprintf(text, sizeof text, " %g@%lld/%lld", pitch, static_cast<long long>(onset),
                      static_cast<long long>(length));
        out += text;
    }
    return out;
}

} // namespace

TEST_F(InterchangeCommands, ImportWritesTheScoreAndReportsOnErrOrFailsInOneLine) {
    const std::string mthd = "4D 54 68 64 00 00 00 06 00 00 00 01 00 60 ";
    const std::string melody = put("m.mid", midiTest::bytesFromHex(mthd) +
                                                midiTest::trackChunk("00 90 3C 64 50 80 3C 00 12 "
                                                                     "90 3E 64 60 80 3E 00 00 FF "
                                                                     "2F 00"));
    const std::string drums = put("d.mid", midiTest::bytesFromHex(mthd) +
                                               midiTest::trackChunk("00 99 24 64 60 89 24 00 00 "
                                                                    "FF 2F 00"));
    EXPECT_EQ(run(runImport, {melody}), ExitCode::Done);
    EXPECT_EQ(out_.str(), "**n[a-b-c]\r\n4c 4d 2: |\r\n");
    EXPECT_EQ(err_.str(), melody + ": took track 0, channel 1, 2 notes; wrote 2 notes\n" + melody +
                              ": 1 notes moved by quantization (at most 0.021 of a beat)\n");
    EXPECT_EQ(run(runImport, {"--grid", "8", "-o", path("m.NTR"), melody}), ExitCode::Done);
    EXPECT_EQ(out_.str(), "");
    EXPECT_EQ(readFile(path("m.NTR")), "**n[a-b-c]\r\n4c 4d 2: |\r\n");
    EXPECT_EQ(run(runImport, {drums}), ExitCode::Failed);
    EXPECT_EQ(err_.str(),
              drums + ": cannot import: no melodic line: every note is on channel 10 (drums).\n");
    EXPECT_EQ(run(runImport, {"--channel", "10", "--track", "1", drums}), ExitCode::Failed);
    EXPECT_EQ(err_.str(), drums + ": cannot import: no notes on track 1, channel 10.\n");
    for (const Args& bad : {Args{"--grid", "12", melody}, Args{"--channel", "0", melody}, Args{}})
        EXPECT_EQ(run(runImport, bad), ExitCode::Usage);
}

TEST_F(InterchangeCommands, EverySampleAndCaseComesBackThroughTheToolWithTheSameNotes) {
    const auto tool = [](std::vector<std::string> args) {
        args.insert(args.begin(), NOTARO_BINARY_DIR "/bin/notaro-cli");
        return notaro::base::runChild(args, "", 60'000);
    };
    for (const std::string& text : interchangeTest::scoreTexts()) {
        const std::string score = put("s.NTR", text);
        ASSERT_TRUE(tool({"midi", "-o", path("first.mid"), score}).succeeded()) << text;
        const notaro::base::ChildResult imported =
            tool({"import", "-o", path("back.NTR"), path("first.mid")});
        ASSERT_TRUE(imported.succeeded()) << imported.err;
        // Nothing had to be approximated: no onset moved, no chord reduced.
        EXPECT_EQ(imported.err.find("moved by quantization"), std::string::npos) << imported.err;
        EXPECT_EQ(imported.err.find("chord notes"), std::string::npos) << imported.err;
        EXPECT_EQ(interchangeTest::writtenNotes(readFile(path("back.NTR"))),
                  interchangeTest::writtenNotes(text));
        ASSERT_TRUE(tool({"midi", "-o", path("second.mid"), path("back.NTR")}).succeeded());
        const std::string first = playedNotes(path("first.mid"));
        EXPECT_NE(first.find('@'), std::string::npos) << text;
        EXPECT_EQ(playedNotes(path("second.mid")), first) << text << "\n"
                                                          << readFile(path("back.NTR"));
    }
}
