#include "playback/FluidSynthEngine.h"
#include "playback/FluidSynthMidiOut.h"
#include "playback/MidiOutputs.h"
#include "playback/MidiSettings.h"
#include "playback/RtMidiPortOut.h"

#include "tests/settings/TempConfig.h"

using namespace notaro::playback;

namespace {

class MidiOutputs : public notaro::testing::TempConfig {
protected:
    const std::shared_ptr<FluidSynthEngine> engine_ = std::make_shared<FluidSynthEngine>();
};

bool isBuiltin(const std::unique_ptr<MidiOutDevice>& dev) {
    return dynamic_cast<FluidSynthMidiOut*>(dev.get()) != nullptr;
}

} // namespace

TEST_F(MidiOutputs, BuiltinSynthesizerIsTheDefaultUnlessTheSettingOrTheCallerNamesAPort) {
    EXPECT_TRUE(isBuiltin(makeMidiOut(engine_)));
    writeFile(path("notaro/para.ini"), "[Midi]\r\nOutput=  \r\n");
    EXPECT_EQ(midiOutputSetting(), "builtin");
    writeFile(path("notaro/para.ini"), "[midi]\r\noutput=Synth input port\r\n");
    const auto dev = makeMidiOut(engine_);
    auto* port = dynamic_cast<RtMidiPortOut*>(dev.get());
    ASSERT_NE(port, nullptr);
    EXPECT_EQ(port->portName(), "Synth input port");
    EXPECT_TRUE(isBuiltin(makeMidiOut(engine_, "BuiltIn")));
}

TEST_F(MidiOutputs, SoundFontSettingWinsOverTheInstalledOnes) {
    writeFile(path("notaro/para.ini"), "[Midi]\r\nSoundFont=/opt/fonts/mine.sf2\r\n");
    EXPECT_EQ(FluidSynthMidiOut(engine_).soundFont(), "/opt/fonts/mine.sf2");
    EXPECT_EQ(FluidSynthMidiOut(engine_, "/x.sf2").soundFont(), "/x.sf2");
}

TEST(RtMidiPortOut, FindsAPortByAPartOfItsNameInAnyCaseAndAMissingOneFailsQuietly) {
    const std::vector<std::string> ports = {"Midi Through:Midi Through Port-0 14:0",
                                            "FLUID Synth (123):Synth input port"};
    const std::pair<const char*, int32_t> cases[] = {{"SYNTH INPUT", 1},
                                                     {"fluid", 1},
                                                     {"port", 0},
                                                     {"timidity", RtMidiPortOut::kNoPort},
                                                     {"", RtMidiPortOut::kNoPort}};
    for (const auto& [part, index] : cases)
        EXPECT_EQ(RtMidiPortOut::findPort(ports, part), index) << part;
    RtMidiPortOut dev("no such port anywhere 7f3a");
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(dev.open(), PlaybackResult::BadDevice);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    EXPECT_FALSE(dev.isOpen());
}
