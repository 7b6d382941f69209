// Offline rendering: a valid WAV that sox reads, notes sounding where the score puts them,
// and failures that leave no partial file behind.
#include "OnRatios.h"
#include "ScoreToMidi.h"
#include "WavRenderer.h"

#include "CommandOutput.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;
using notaro::testing::commandOutput;
using namespace notaro;
using namespace notaro::playback;

namespace {

const char* const kSmallSoundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";

class WavRendererTest : public ::testing::Test {
protected:
    void SetUp() override {
        defaultOnRatios(onRatioNormal, onRatioStaccato);
        char pattern[] = "/tmp/notaro-render-XXXXXX";
        dir_ = ::mkdtemp(pattern);
        if (!fs::exists(kSmallSoundFont))
            GTEST_SKIP() << "the TimGM6mb SoundFont is not installed";
    }
    void TearDown() override { fs::remove_all(dir_); }

    tMidiF04 midiOf(const std::string& body) {
        cTParse p;
        std::string msg;
        int32_t pos = 0, len = 0;
        EXPECT_EQ(p.parseAramText("**n[a-b-c]\r\n" + body, msg, pos, len), 0) << msg;
        tMidiF04 file;
        EXPECT_EQ(buildScoreMidi(p, 1.0f, 0, -1, file), 0);
        return file;
    }

    /// The left channel's samples, read from the data chunk of a canonical 44-byte header.
    static std::vector<int16_t> leftChannel(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::vector<int16_t> left;
        for (size_t i = 44; i + 3 < bytes.size(); i += 4)
            left.push_back(static_cast<int16_t>(static_cast<uint8_t>(bytes[i]) |
                                                (static_cast<uint8_t>(bytes[i + 1]) << 8)));
        return left;
    }

    fs::path dir_;
};

} // namespace

TEST_F(WavRendererTest, WritesAWavThatSoxReads) {
    const std::string wav = (dir_ / "a.wav").string();
    RenderOptions o;
    o.soundFont = kSmallSoundFont;
    RenderStats stats;
    ASSERT_EQ(renderMidiToWav(midiOf("*t[120]\r\n4c 4: 4e"), wav, o, &stats), 0);
    const std::string info = commandOutput("soxi '" + wav + "'");
    EXPECT_NE(info.find("Channels       : 2"), std::string::npos) << info;
    EXPECT_NE(info.find("Sample Rate    : 44100"), std::string::npos) << info;
    EXPECT_NE(info.find("Precision      : 16-bit"), std::string::npos) << info;
    // 1.5 s of score (the last note's release lies in its silent part), then a short tail.
    const std::string seconds = commandOutput("soxi -D '" + wav + "'");
    EXPECT_GE(std::stod(seconds), 1.4);
    EXPECT_LE(std::stod(seconds), 1.4 + 3.0);
    const std::string stat = commandOutput("sox '" + wav + "' -n stat");
    const size_t at = stat.find("Maximum amplitude:");
    ASSERT_NE(at, std::string::npos) << stat;
    EXPECT_GT(std::stod(stat.substr(at + 18)), 0.05);
    EXPECT_EQ(stats.frames, static_cast<int64_t>(std::llround(std::stod(seconds) * 44100)));
}

TEST_F(WavRendererTest, NotesSoundAtTheirOwnSample) {
    const std::string wav = (dir_ / "t.wav").string();
    RenderOptions o;
    o.soundFont = kSmallSoundFont;
    o.maxTailSeconds = 0;
    RenderStats stats;
    // The tempo change is written at the C's note-off (tick 182), so the 10 ticks left of the
    // C and the quarter rest (202 ticks) pass at 60 quarter notes a minute.
    ASSERT_EQ(renderMidiToWav(midiOf("*t[120]\r\n4c\r\n*t[60]\r\n4: 4e"), wav, o, &stats), 0);
    ASSERT_EQ(stats.eventFrames.size(), 5u); // program, C on, C off, E on, E off
    EXPECT_EQ(stats.eventFrames[1], 0);
    EXPECT_EQ(stats.eventFrames[2], 20902); // 182 ticks at 120: 0.47396 s
    EXPECT_EQ(stats.eventFrames[3], 67298); // then 202 ticks at 60: 1.52604 s in all
    const std::vector<int16_t> left = leftChannel(wav);
    ASSERT_GT(left.size(), 70000u);
    // Silence before the E; its sound starts within FluidSynth's 64-frame block after the
    // note-on plus the instrument's attack (a few milliseconds).
    const int64_t eOn = stats.eventFrames[3];
    int64_t firstSound = -1;
    for (int64_t i = eOn - 2000; i < static_cast<int64_t>(left.size()); ++i)
        if (std::abs(left[static_cast<size_t>(i)]) > 200) {
            firstSound = i;
            break;
        }
    EXPECT_GE(firstSound, eOn);
    EXPECT_LT(firstSound, eOn + 64 + 256);
}

TEST_F(WavRendererTest, FailuresLeaveNoFileAndKeepAnOldOne) {
    const std::string wav = (dir_ / "keep.wav").string();
    std::ofstream(wav) << "old";
    RenderOptions o;
    o.soundFont = (dir_ / "missing.sf2").string();
    EXPECT_EQ(renderMidiToWav(midiOf("4c"), wav, o), 68);
    // A file that is no SoundFont is refused quietly: no library complains on stderr.
    o.soundFont = (dir_ / "text.sf2").string();
    std::ofstream(o.soundFont) << "not a SoundFont, but long enough to be read";
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(renderMidiToWav(midiOf("4c"), wav, o), 68);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    o.soundFont = kSmallSoundFont;
    EXPECT_EQ(renderMidiToWav(midiOf("4c"), (dir_ / "no" / "x.wav").string(), o),
              renderRc::kWriteFailed);
    // A cancel raised from another thread (here from the first progress report) stops it too.
    std::atomic<bool> cancel{false};
    o.cancel = &cancel;
    o.progress = [&cancel](double) { cancel = true; };
    EXPECT_EQ(renderMidiToWav(midiOf("1c 1d 1e"), wav, o), renderRc::kCancelled);
    std::ifstream in(wav);
    std::stringstream ss;
    ss << in.rdbuf();
    EXPECT_EQ(ss.str(), "old");
    int leftovers = 0;
    for (const auto& e : fs::directory_iterator(dir_))
        leftovers += e.path().filename().string().rfind(".keep.wav.", 0) == 0; // temporary
    EXPECT_EQ(leftovers, 0);
}
