#include "tests/playback/PlaybackTestSupport.h"

#include "playback/MidiOutDevice.h"

using namespace notaro::playback;
using R = PlaybackResult;

// The numbers users see and callers rely on, spelled a second time so that none changes unseen.
static_assert(code(R::Ok) == 0 && code(R::Error) == 1 && code(R::BadDevice) == 2 &&
              code(R::NotOpen) == 5 && code(R::NoDriver) == 6 && code(R::InvalidParam) == 11 &&
              code(R::NoSoundFont) == 68 && code(R::BadArgument) == -99 &&
              code(R::Stopped) == -9995 && code(R::AlreadyPlaying) == -2 &&
              code(R::Failure) == -9999 && code(R::WriteFailed) == -7 && code(R::Cancelled) == -8);

namespace {

std::string sendAndClose(std::initializer_list<uint32_t> msgs) {
    notaro::testing::FakeTime time;
    RecordingMidiOut dev(time.clock());
    EXPECT_EQ(dev.open(), PlaybackResult::Ok);
    for (uint32_t m : msgs)
        EXPECT_EQ(dev.shortMsg(m), PlaybackResult::Ok);
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
    EXPECT_EQ(dev.shortMsg(packShortMsg(0x90, 60, 127)), PlaybackResult::NotOpen);
    dev.failOpenWith(PlaybackResult::NoDriver);
    EXPECT_EQ(dev.open(), PlaybackResult::NoDriver);
    EXPECT_FALSE(dev.isOpen());
    dev.close();
    EXPECT_EQ(dev.closeCount(), 0);
    ASSERT_EQ(dev.open(), PlaybackResult::Ok);
    // A note-on the device refused is not silenced later.
    dev.failSendWith(0, PlaybackResult::Error);
    EXPECT_EQ(dev.shortMsg(packShortMsg(0x90, 60, 127)), PlaybackResult::Error);
    dev.close();
    EXPECT_TRUE(dev.messages().empty());
}
