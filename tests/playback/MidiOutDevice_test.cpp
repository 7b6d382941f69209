#include "tests/playback/PlaybackTestSupport.h"

#include "playback/MidiOutDevice.h"

using namespace notaro::playback;

namespace {

std::string sendAndClose(std::initializer_list<uint32_t> msgs) {
    notaro::testing::FakeTime time;
    RecordingMidiOut dev(time.clock());
    EXPECT_EQ(dev.open(), 0);
    for (uint32_t m : msgs)
        EXPECT_EQ(dev.shortMsg(m), 0);
    dev.clearMessages();
    dev.close();
    return notaro::testing::trace(dev, time.now);
}

} // namespace

TEST(MidiOutDevice, CloseSwitchesOffSoundingNotesAndCentresTheWheel) {
    EXPECT_EQ(sendAndClose({pitchWheelMsg(0, 10240), packShortMsg(0x90, 60, 127),
                            packShortMsg(0x92, 72, 90)}),
              "0 80 3C 00|0 E0 00 40|0 82 48 00");
    // Notes already ended (note-off, velocity 0, All Notes Off; each on a channel of its own) and a
    // centred wheel need nothing.
    EXPECT_EQ(sendAndClose({packShortMsg(0x90, 60, 127), packShortMsg(0x80, 60, 0),
                            packShortMsg(0x91, 62, 127), packShortMsg(0x91, 62, 0),
                            packShortMsg(0x92, 64, 127), packShortMsg(0xB2, 123, 0),
                            pitchWheelMsg(3, 6144), pitchWheelMsg(3, 8192), packShortMsg(0xC0, 5)}),
              "");
}

TEST(MidiOutDevice, ClosedOrFailedDeviceSendsNothing) {
    RecordingMidiOut dev;
    EXPECT_EQ(dev.shortMsg(packShortMsg(0x90, 60, 127)), midiOutRc::kNotOpen);
    dev.failOpenWith(6);
    EXPECT_EQ(dev.open(), 6);
    EXPECT_FALSE(dev.isOpen());
    dev.close();
    EXPECT_EQ(dev.closeCount(), 0);
    ASSERT_EQ(dev.open(), 0);
    // A note-on the device refused is not silenced later.
    dev.failSendWith(0, 7);
    EXPECT_EQ(dev.shortMsg(packShortMsg(0x90, 60, 127)), 7);
    dev.close();
    EXPECT_TRUE(dev.messages().empty());
}
