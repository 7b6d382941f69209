// The built-in synthesizer. These tests pass with or without a sound card: where a real
// audio output is needed, either outcome of open() is accepted but must be quiet.
#include "FluidSynthEngine.h"
#include "FluidSynthMidiOut.h"
#include "MidiSettings.h"
#include "ShortMsg.h"

#include <gtest/gtest.h>

#include <fluidsynth.h>

#include <filesystem>

using namespace notaro::playback;

namespace {

std::string smallestSoundFont() {
    const std::string small = "/usr/share/sounds/sf2/TimGM6mb.sf2";
    return std::filesystem::exists(small) ? small : findSoundFont();
}

} // namespace

TEST(FluidSynthMidiOut, MissingSoundFontOrDriverFailsBeforeAnythingStarts) {
    FluidSynthMidiOut dev("/nonexistent/none.sf2");
    EXPECT_EQ(dev.open(), midiOutRc::kNoSoundFont);
    EXPECT_FALSE(dev.isOpen());
    EXPECT_FALSE(FluidSynthEngine::instance().audioRunning());
    EXPECT_EQ(FluidSynthMidiOut(smallestSoundFont(), {"no-such-driver"}).open(),
              midiOutRc::kNoDriver);
}

TEST(FluidSynthMidiOut, DefaultAudioOutputOpensOrFailsQuietly) {
    FluidSynthMidiOut dev;
    ::testing::internal::CaptureStderr();
    const int32_t rc = dev.open();
    if (rc == 0) {
        EXPECT_EQ(dev.shortMsg(packShortMsg(0xC0, 0)), 0);
        dev.close();
    }
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    EXPECT_TRUE(rc == 0 || rc == midiOutRc::kNoDriver || rc == midiOutRc::kNoSoundFont) << rc;
    EXPECT_FALSE(FluidSynthEngine::instance().audioRunning());
}

TEST(FluidSynthMidiOut, SoundsNotesAndSilencesThemOnClose) {
    const std::string sf = smallestSoundFont();
    if (sf.empty())
        GTEST_SKIP() << "no SoundFont installed";
    // The file driver needs no sound card.
    FluidSynthMidiOut dev(sf, {"file"});
    ASSERT_EQ(dev.open(), 0);
    fluid_synth_t* synth = FluidSynthEngine::instance().synth();
    EXPECT_EQ(dev.shortMsg(pitchWheelMsg(0, 10240)), 0);
    EXPECT_EQ(dev.shortMsg(packShortMsg(0x90, 60, 127)), 0);
    EXPECT_GT(fluid_synth_get_active_voice_count(synth), 0);
    int bend = 0;
    fluid_synth_get_pitch_bend(synth, 0, &bend);
    EXPECT_EQ(bend, 10240);
    dev.close();
    fluid_synth_get_pitch_bend(synth, 0, &bend);
    EXPECT_EQ(bend, 8192);
    // One block later nothing sounds any more: not even a release tail is kept for the next open.
    float left[64], right[64];
    fluid_synth_write_float(synth, 64, left, 0, 1, right, 0, 1);
    EXPECT_EQ(fluid_synth_get_active_voice_count(synth), 0);
    // The SoundFont stays loaded for the next open; system messages are refused, a stray note-off
    // is not.
    ASSERT_EQ(dev.open(), 0);
    EXPECT_EQ(FluidSynthEngine::instance().soundFont(), sf);
    EXPECT_EQ(dev.shortMsg(packShortMsg(0xF8, 0)), midiOutRc::kInvalidParam);
    EXPECT_EQ(dev.shortMsg(packShortMsg(0x80, 61, 0)), 0);
    dev.close();
}
