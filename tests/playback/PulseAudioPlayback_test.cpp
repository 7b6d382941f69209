// A private PulseAudio server with a null sink, its monitor recorded by parec: the note-ons sent
// to the built-in synthesizer compared with the sound.
#include "playback/FluidSynthEngine.h"
#include "playback/FluidSynthMidiOut.h"
#include "playback/SleepingPump.h"
#include "playback/cGnsPlay.h"
#include "tests/common/PrivatePulseServer.h"
#include "tests/playback/PlaybackTestSupport.h"

#include <chrono>
#include <thread>

using namespace notaro::playback;
using Clock = std::chrono::steady_clock;

namespace {

constexpr double kRate = 44100;
constexpr int kLoud = 300; // about -40 dB of full scale

class TimedSynth : public FluidSynthMidiOut {
public:
    using FluidSynthMidiOut::FluidSynthMidiOut;
    std::vector<Clock::time_point> ons;

protected:
    PlaybackResult doShortMsg(uint32_t msg) override {
        if ((statusOf(msg) & 0xF0) == 0x90)
            ons.push_back(Clock::now());
        return FluidSynthMidiOut::doShortMsg(msg);
    }
};

} // namespace

TEST(PulseAudioPlayback, SoundStartsWithEachNoteAndRestsAreSilent) {
    const std::string sf = notaro::testing::smallestSoundFont();
    if (sf.empty())
        GTEST_SKIP() << "no SoundFont installed";
    notaro::testing::PrivatePulseServer pa;
    if (!pa.running())
        GTEST_SKIP() << "pulseaudio could not start a private server here";
    ASSERT_TRUE(pa.startRecording("rec.raw")) << "parec did not record the null sink's monitor";

    // Made after the server, so the synthesizer's output closes before the server it plays to.
    const auto engine = std::make_shared<FluidSynthEngine>();
    TimedSynth dev(engine, sf, {"pulseaudio"});
    dev.prepare();
    SleepingPump pump;
    cGnsPlay player(dev, [&pump](int32_t deadline) { pump(deadline); });
    auto score = notaro::testing::parsed("*t[120];4c' 4: 4e' 4: 4g' 4: 4c'");
    ASSERT_EQ(player.play(*score, 0, score->nNotes() - 1, PlayOptions()), PlaybackResult::Ok);
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
    const std::vector<int16_t> s = pa.stopRecording();
    EXPECT_EQ(engine->audioDriver(), "pulseaudio");

    // The sound's own clock, not the wall clock, which a loaded machine bends: a note is heard
    // where the first loud sample follows 100 ms of quiet, so a rest that sounds merges two.
    std::vector<double> heard;
    size_t quiet = s.size();
    for (size_t i = 0; i < s.size(); ++i) {
        if (std::abs(int{s[i]}) < kLoud) {
            ++quiet;
            continue;
        }
        if (quiet >= 0.1 * kRate)
            heard.push_back(double(i) / kRate);
        quiet = 0;
    }
    ASSERT_EQ(dev.ons.size(), 4u);
    ASSERT_EQ(heard.size(), dev.ons.size());
    // Each note sounds as far after the first as it was sent, give or take the one rendering
    // block (2048 frames, 46 ms) it waits for.
    const double slack = 0.05;
    for (size_t i = 1; i < heard.size(); ++i) {
        const double sent = std::chrono::duration<double>(dev.ons[i] - dev.ons[0]).count();
        EXPECT_NEAR(heard[i] - heard[0], sent, slack) << "note " << i;
    }
}
