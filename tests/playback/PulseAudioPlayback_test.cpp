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
    std::vector<Clock::time_point> ons, offs;

protected:
    PlaybackResult doShortMsg(uint32_t msg) override {
        const int kind = statusOf(msg) & 0xF0;
        if (kind == 0x90 || kind == 0x80)
            (kind == 0x90 ? ons : offs).push_back(Clock::now());
        return FluidSynthMidiOut::doShortMsg(msg);
    }
};

int peak(const std::vector<int16_t>& s, double from, double to) {
    int p = 0;
    for (double i = std::max(0.0, from); i < std::min<double>(to, s.size()); ++i)
        p = std::max(p, std::abs(static_cast<int>(s[static_cast<size_t>(i)])));
    return p;
}

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
    const Clock::time_point mark = Clock::now();
    const double markSample = pa.samplesSoFar();
    ASSERT_EQ(player.play(*score, 0, score->nNotes() - 1, PlayOptions()), PlaybackResult::Ok);
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
    const std::vector<int16_t> s = pa.stopRecording();
    EXPECT_EQ(engine->audioDriver(), "pulseaudio");

    auto at = [&](Clock::time_point t) {
        return markSample + std::chrono::duration<double>(t - mark).count() * kRate;
    };
    // Slack for a loaded machine on top of the output latency; a note's release gets 350 ms.
    const double late = (engine->outputLatencyMs() + 150) * kRate / 1000;
    const double fade = 0.35 * kRate;
    ASSERT_EQ(dev.ons.size(), 4u);
    ASSERT_EQ(dev.offs.size(), 4u);
    for (size_t i = 0; i < dev.ons.size(); ++i) {
        const double on = at(dev.ons[i]);
        EXPECT_LT(peak(s, on - 0.1 * kRate, on - 0.02 * kRate), kLoud) << "before note " << i;
        EXPECT_GE(peak(s, on, on + late), kLoud) << "note " << i << " not heard in time";
        if (i + 1 < dev.ons.size()) {
            EXPECT_LT(peak(s, at(dev.offs[i]) + late + fade, at(dev.ons[i + 1]) - 0.02 * kRate),
                      kLoud)
                << "rest after note " << i;
        }
    }
}
