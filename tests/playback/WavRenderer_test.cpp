#include "midi/ScoreToMidi.h"
#include "playback/WavRenderer.h"
#include "tests/playback/PlaybackTestSupport.h"

#include "tests/common/CommandOutput.h"
#include "tests/settings/TempConfig.h"

#include <atomic>
#include <cmath>

namespace fs = std::filesystem;
using notaro::testing::commandOutput;
using namespace notaro;
using namespace notaro::playback;
using notaro::testing::kSmallSoundFont;

namespace {

class WavRendererTest : public notaro::testing::TempConfig {
protected:
    void SetUp() override {
        TempConfig::SetUp();
        if (!fs::exists(kSmallSoundFont))
            GTEST_SKIP() << "the TimGM6mb SoundFont is not installed";
    }
    static tMidiF04 midiOf(const std::string& body) {
        tMidiF04 file;
        EXPECT_EQ(buildScoreMidi(*notaro::testing::parsed(body), ScoreMidiOptions(), file),
                  MidiResult::Ok);
        return file;
    }

    /// The left channel's samples, read from the data chunk of a canonical 44-byte header.
    static std::vector<int16_t> leftChannel(const std::string& path) {
        const std::string bytes = readFile(path);
        std::vector<int16_t> left;
        for (size_t i = 44; i + 3 < bytes.size(); i += 4)
            left.push_back(int16_t(uint8_t(bytes[i]) | uint8_t(bytes[i + 1]) << 8));
        return left;
    }
};

} // namespace

TEST_F(WavRendererTest, WritesAWavThatSoxReadsWithEachNoteAtItsOwnSample) {
    const std::string wav = path("t.wav");
    RenderOptions o;
    o.soundFont = kSmallSoundFont;
    RenderStats stats;
    // The tempo change is written at the C's note-off (tick 182), so the 10 ticks left of the
    // C and the quarter rest (202 ticks) pass at 60 quarter notes a minute.
    ASSERT_EQ(renderMidiToWav(midiOf("*t[120];4c;*t[60];4: 4e"), wav, o, &stats),
              PlaybackResult::Ok);
    const std::string info = commandOutput("soxi '" + wav + "'");
    for (const char* field :
         {"Channels       : 2", "Sample Rate    : 44100", "Precision      : 16-bit"})
        EXPECT_NE(info.find(field), std::string::npos) << info;
    // 2.5 s of score (the last note's release lies in its silent part), then a short tail.
    const double seconds = std::stod(commandOutput("soxi -D '" + wav + "'"));
    EXPECT_GE(seconds, 2.4);
    EXPECT_LE(seconds, 2.53 + 3.0);
    EXPECT_EQ(stats.frames, static_cast<int64_t>(std::llround(seconds * 44100)));
    // The header's sizes and frame layout, which players trust and sox does not check.
    const std::string bytes = readFile(wav);
    const auto le = [](size_t v, size_t n) {
        std::string s;
        for (size_t i = 0; i < n; ++i)
            s += char((v >> (8 * i)) & 0xFF);
        return s;
    };
    EXPECT_EQ(bytes.substr(0, 44), "RIFF" + le(bytes.size() - 8, 4) + "WAVEfmt " + le(16, 4) +
                                       le(1, 2) + le(2, 2) + le(44100, 4) + le(44100 * 4, 4) +
                                       le(4, 2) + le(16, 2) + "data" + le(bytes.size() - 44, 4));

    ASSERT_EQ(stats.eventFrames.size(), 5u); // program, C on, C off, E on, E off
    EXPECT_EQ(stats.eventFrames[1], 0);
    EXPECT_EQ(stats.eventFrames[2], 20902); // 182 ticks at 120: 0.47396 s
    EXPECT_EQ(stats.eventFrames[3], 67298); // then 202 ticks at 60: 1.52604 s in all
    // Silence before the E; its sound starts within FluidSynth's 64-frame block after the
    // note-on plus the instrument's attack (a few milliseconds).
    const std::vector<int16_t> left = leftChannel(wav);
    const int64_t eOn = stats.eventFrames[3];
    int64_t firstSound = eOn - 2000;
    while (firstSound < int64_t(left.size()) && std::abs(left[size_t(firstSound)]) <= 200)
        ++firstSound;
    EXPECT_GE(firstSound, eOn);
    EXPECT_LT(firstSound, eOn + 64 + 256);
}

TEST_F(WavRendererTest, FailuresLeaveNoFileAndKeepAnOldOne) {
    const std::string wav = path("keep.wav");
    writeFile(wav, "old");
    RenderOptions o;
    o.soundFont = path("missing.sf2");
    EXPECT_EQ(renderMidiToWav(midiOf("4c"), wav, o), PlaybackResult::NoSoundFont);
    // A file that is no SoundFont is refused quietly: no library complains on stderr.
    writeFile(o.soundFont = path("text.sf2"), "not a SoundFont, but long enough to be read");
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(renderMidiToWav(midiOf("4c"), wav, o), PlaybackResult::NoSoundFont);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    o.soundFont = kSmallSoundFont;
    EXPECT_EQ(renderMidiToWav(midiOf("4c"), path("no/x.wav"), o), PlaybackResult::WriteFailed);
    // A cancel raised from another thread (here from the first progress report) stops it too.
    std::atomic<bool> cancel{false};
    o.cancel = &cancel;
    o.progress = [&cancel](double) { cancel = true; };
    EXPECT_EQ(renderMidiToWav(midiOf("1c 1d 1e"), wav, o), PlaybackResult::Cancelled);
    EXPECT_EQ(readFile(wav), "old");
    int leftovers = 0;
    for (const auto& e : fs::directory_iterator(dir_))
        leftovers += e.path().filename().string().rfind(".keep.wav.", 0) == 0; // temporary
    EXPECT_EQ(leftovers, 0);
}
