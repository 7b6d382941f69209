// Choosing the output and the SoundFont from para.ini, and naming ALSA ports.
#include "TempSettings.h"

#include "FluidSynthMidiOut.h"
#include "MidiOutputs.h"
#include "MidiSettings.h"
#include "RtMidiPortOut.h"

#include <filesystem>

using namespace notaro::playback;
using notaro::testing::TempSettings;

using MidiOutputs = TempSettings;

TEST_F(MidiOutputs, BuiltinSynthesizerIsTheDefault)
{
    EXPECT_EQ(midiOutputSetting(), "builtin");
    EXPECT_NE(dynamic_cast<FluidSynthMidiOut*>(makeMidiOut().get()), nullptr);
    writeParaIni("[Midi]\r\nOutput=  \r\n");
    EXPECT_EQ(midiOutputSetting(), "builtin");
}

TEST_F(MidiOutputs, OutputSettingNamesAPort)
{
    writeParaIni("[midi]\r\noutput=Synth input port\r\n");
    EXPECT_EQ(midiOutputSetting(), "Synth input port");
    const auto dev = makeMidiOut();
    auto* port = dynamic_cast<RtMidiPortOut*>(dev.get());
    ASSERT_NE(port, nullptr);
    EXPECT_EQ(port->portName(), "Synth input port");
    // A name given by the caller wins over the setting.
    EXPECT_NE(dynamic_cast<FluidSynthMidiOut*>(makeMidiOut("BuiltIn").get()), nullptr);
}

TEST_F(MidiOutputs, SoundFontSettingWinsOverTheInstalledOnes)
{
    writeParaIni("[Midi]\r\nSoundFont=/opt/fonts/mine.sf2\r\n");
    EXPECT_EQ(findSoundFont(), "/opt/fonts/mine.sf2");
    EXPECT_EQ(FluidSynthMidiOut().soundFont(), "/opt/fonts/mine.sf2");
    EXPECT_EQ(FluidSynthMidiOut("/x.sf2").soundFont(), "/x.sf2");
}

TEST_F(MidiOutputs, WithoutASettingTheFirstInstalledSoundFontIsUsed)
{
    std::string expected;
    for (const std::string& p : debianSoundFonts())
        if (std::filesystem::exists(p)) {
            expected = p;
            break;
        }
    EXPECT_EQ(findSoundFont(), expected);
}

TEST_F(MidiOutputs, ListingShowsTheSynthesizerAndMarksTheDefault)
{
    std::vector<MidiOutputInfo> outputs;
    listMidiOutputs(outputs);
    ASSERT_FALSE(outputs.empty());
    EXPECT_EQ(outputs[0].name, "builtin");
    EXPECT_TRUE(outputs[0].isDefault);
    writeParaIni("[Midi]\r\nOutput=no such port anywhere\r\n");
    listMidiOutputs(outputs);
    EXPECT_FALSE(outputs[0].isDefault);
}

TEST(RtMidiPortOut, FindPortMatchesAPartWithoutRegardToCase)
{
    const std::vector<std::string> ports = {"Midi Through:Midi Through Port-0 14:0", "FLUID Synth (123):Synth input port"};
    EXPECT_EQ(RtMidiPortOut::findPort(ports, "synth input"), 1);
    EXPECT_EQ(RtMidiPortOut::findPort(ports, "midi through"), 0);
    EXPECT_EQ(RtMidiPortOut::findPort(ports, "port"), 0);
    EXPECT_EQ(RtMidiPortOut::findPort(ports, "timidity"), -1);
    EXPECT_EQ(RtMidiPortOut::findPort(ports, ""), -1);
}

TEST(RtMidiPortOut, MissingPortFailsQuietly)
{
    RtMidiPortOut dev("no such port anywhere 7f3a");
    ::testing::internal::CaptureStderr();
    const int32_t rc = dev.open();
    const std::string chatter = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(rc, midiOutRc::kBadDevice);
    EXPECT_FALSE(dev.isOpen());
    EXPECT_EQ(chatter, "");
}
