// These tests pass with or without a sound card: where a real audio output is needed, either
// outcome of open() is accepted but must be quiet.
#include "playback/FluidSynthEngine.h"
#include "playback/FluidSynthMidiOut.h"
#include "tests/playback/PlaybackTestSupport.h"

#include <fluidsynth.h>

#include <algorithm>
#include <chrono>
#include <thread>

using namespace notaro::playback;
using notaro::testing::smallestSoundFont;

TEST(FluidSynthMidiOut, OpenFailsQuietlyWithoutSoundFontOrDriverAndKeepsAWorkingOutput) {
    const auto engine = std::make_shared<FluidSynthEngine>();
    ::testing::internal::CaptureStderr();
    FluidSynthMidiOut missing(engine, "/nonexistent/none.sf2");
    EXPECT_EQ(missing.open(), PlaybackResult::NoSoundFont);
    EXPECT_FALSE(missing.isOpen());
    EXPECT_EQ(missing.failureReason(),
              "The SoundFont /nonexistent/none.sf2 could not be loaded: it does not exist.");
    FluidSynthMidiOut notSoundFont(engine, "/etc/hostname", {"file"}, "/dev/null");
    EXPECT_EQ(notSoundFont.open(), PlaybackResult::NoSoundFont);
    EXPECT_EQ(notSoundFont.failureReason(),
              "The SoundFont /etc/hostname could not be loaded: it is not a SoundFont file.");
    FluidSynthMidiOut noDriver(engine, smallestSoundFont(), {"no-such-driver", "neither"});
    EXPECT_EQ(noDriver.open(), PlaybackResult::NoDriver);
    EXPECT_EQ(noDriver.failureReason(),
              "No audio server or sound card answered (tried: no-such-driver, neither).");
    FluidSynthMidiOut dev(engine);
    const PlaybackResult rc = dev.open();
    if (rc == PlaybackResult::Ok) {
        EXPECT_EQ(dev.shortMsg(packShortMsg(0xC0, 0)), PlaybackResult::Ok);
        dev.close();
    }
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    EXPECT_TRUE(rc == PlaybackResult::Ok || rc == PlaybackResult::NoDriver ||
                rc == PlaybackResult::NoSoundFont)
        << rc;
    EXPECT_EQ(engine->audioRunning(), rc == PlaybackResult::Ok);
}

TEST(FluidSynthMidiOut, SoundsNotesAndKeepsTheOutputBetweenPlays) {
    const std::string sf = smallestSoundFont();
    if (sf.empty())
        GTEST_SKIP() << "no SoundFont installed";
    const auto engine = std::make_shared<FluidSynthEngine>();
    FluidSynthMidiOut dev(engine, sf, {"file"}); // the file driver needs no sound card
    ASSERT_EQ(dev.open(), PlaybackResult::Ok);
    fluid_synth_t* synth = engine->synth();
    EXPECT_EQ(dev.shortMsg(pitchWheelMsg(0, 10240)), PlaybackResult::Ok);
    EXPECT_EQ(dev.shortMsg(packShortMsg(0x90, 60, 127)), PlaybackResult::Ok);
    EXPECT_GT(fluid_synth_get_active_voice_count(synth), 0);
    int bend = 0;
    fluid_synth_get_pitch_bend(synth, 0, &bend);
    EXPECT_EQ(bend, 10240);
    dev.close();
    // The output keeps running between plays; the worker thread closes it once idle. System
    // messages are refused, a stray note-off is not.
    EXPECT_TRUE(engine->audioRunning());
    ASSERT_EQ(dev.open(), PlaybackResult::Ok);
    EXPECT_EQ(dev.shortMsg(packShortMsg(0xF8, 0)), PlaybackResult::InvalidParam);
    EXPECT_EQ(dev.shortMsg(packShortMsg(0x80, 61, 0)), PlaybackResult::Ok);
    dev.close();
    engine->setIdleRelease(std::chrono::milliseconds(1));
    for (int i = 0; i < 500 && engine->audioRunning(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    EXPECT_FALSE(engine->audioRunning());
}

TEST(FluidSynthMidiOut, SilencingKillsEveryVoiceWithinOneBlock) {
    const std::string sf = smallestSoundFont();
    if (sf.empty())
        GTEST_SKIP() << "no SoundFont installed";
    fluid_settings_t* settings = new_fluid_settings();
    fluid_synth_t* synth = new_fluid_synth(settings);
    ASSERT_NE(fluid_synth_sfload(synth, sf.c_str(), 1), FLUID_FAILED);
    std::vector<float> lr(2048);
    auto peakOfNextBlock = [&] { // rendered as the audio callback renders
        float* out[2] = {lr.data(), lr.data() + 1024};
        float* fx[4] = {out[0], out[1], out[0], out[1]};
        std::fill(lr.begin(), lr.end(), 0.0f);
        fluid_synth_process(synth, 1024, 4, fx, 2, out);
        const auto [lo, hi] = std::minmax_element(lr.begin(), lr.end());
        return std::max(-*lo, *hi);
    };
    // A sustained organ note, then what close() sends before the engine silences.
    for (uint32_t msg : {packShortMsg(0xC0, 19), packShortMsg(0x90, 60, 127)})
        sendShortMsgToSynth(synth, msg);
    EXPECT_GT(peakOfNextBlock(), 0.01f);
    sendShortMsgToSynth(synth, packShortMsg(0x80, 60, 0));
    silenceSynth(synth);
    peakOfNextBlock();
    EXPECT_EQ(fluid_synth_get_active_voice_count(synth), 0);
    EXPECT_LT(peakOfNextBlock(), 1e-3f); // the reverb's last traces, -60 dB
    delete_fluid_synth(synth);
    delete_fluid_settings(settings);
}
