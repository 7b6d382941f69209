// What every output does on its own: refuse messages while closed, and leave nothing
// sounding when it closes.
#include "PlaybackTestSupport.h"

#include "MidiOutDevice.h"

using namespace notaro::playback;
using notaro::testing::FakeTime;
using notaro::testing::trace;

namespace {

std::vector<std::string> sendAndClose(std::initializer_list<uint32_t> msgs)
{
    FakeTime time;
    RecordingMidiOut dev(time.clock());
    EXPECT_EQ(dev.open(), 0);
    for (uint32_t m : msgs)
        EXPECT_EQ(dev.shortMsg(m), 0);
    dev.clearMessages();
    dev.close();
    return trace(dev, time.now);
}

} // namespace

TEST(MidiOutDevice, CloseSwitchesOffSoundingNotesAndCentresTheWheel)
{
    EXPECT_EQ(sendAndClose({pitchWheelMsg(0, 10240), packShortMsg(0x90, 60, 127), packShortMsg(0x92, 72, 90)}),
              (std::vector<std::string>{"0 80 3C 00", "0 E0 00 40", "0 82 48 00"}));
}

TEST(MidiOutDevice, CloseAfterTheNotesEndedSendsNothing)
{
    EXPECT_TRUE(sendAndClose({packShortMsg(0x90, 60, 127), packShortMsg(0x80, 60, 0)}).empty());
    EXPECT_TRUE(sendAndClose({packShortMsg(0x90, 60, 127), packShortMsg(0x90, 60, 0)}).empty());
    EXPECT_TRUE(sendAndClose({packShortMsg(0x90, 60, 127), packShortMsg(0xB0, 123, 0)}).empty());
    EXPECT_TRUE(sendAndClose({pitchWheelMsg(0, 6144), pitchWheelMsg(0, 8192), packShortMsg(0xC0, 5)}).empty());
}

TEST(MidiOutDevice, ClosedDeviceRefusesMessages)
{
    RecordingMidiOut dev;
    EXPECT_EQ(dev.shortMsg(packShortMsg(0x90, 60, 127)), midiOutRc::kNotOpen);
    EXPECT_TRUE(dev.messages().empty());
    dev.close();
    EXPECT_EQ(dev.closeCount(), 0);
}

TEST(MidiOutDevice, FailedOpenLeavesItClosed)
{
    RecordingMidiOut dev;
    dev.failOpenWith(6);
    EXPECT_EQ(dev.open(), 6);
    EXPECT_FALSE(dev.isOpen());
    EXPECT_EQ(dev.open(), 0);
    EXPECT_TRUE(dev.isOpen());
}

TEST(MidiOutDevice, AFailedNoteOnIsNotSilencedLater)
{
    RecordingMidiOut dev;
    ASSERT_EQ(dev.open(), 0);
    dev.failSendWith(0, 7);
    EXPECT_EQ(dev.shortMsg(packShortMsg(0x90, 60, 127)), 7);
    dev.close();
    EXPECT_TRUE(dev.messages().empty());
}
