// Sounding one note against the tick counter: bad arguments, passed times and stops (the
// note-on and note-off choices are seen through the player, in cGnsPlay_test.cpp).
#include "PlaybackTestSupport.h"

#include "TimedNote.h"

using namespace notaro::playback;
using notaro::testing::FakeTime;
using notaro::testing::Lines;

namespace {

class TimedNote : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(dev_.open(), 0); }

    int32_t play(int32_t note, int32_t cents, int32_t onUntil, int32_t until, int32_t flags) {
        return playTimedNote(dev_, 0, note, 100, cents, time_.now + onUntil, time_.now + until,
                             flags, time_.clock(), time_.pump());
    }
    Lines sent() const { return notaro::testing::trace(dev_, origin_); }

    FakeTime time_;
    const int32_t origin_ = time_.now;
    RecordingMidiOut dev_{time_.clock()};
};

} // namespace

TEST_F(TimedNote, BadArgumentsAndFailedWheelMessagesSendNoNote) {
    for (const int32_t rc :
         {midiNoteOnCents(dev_, 0, 60, 127, 201), midiNoteOnCents(dev_, 0, 60, 127, -201),
          midiNoteOnCents(dev_, 0, 128, 127, 0), midiNoteOnCents(dev_, 16, 60, 127, 0),
          midiNoteOnCents(dev_, -1, 60, 127, 0), midiNoteOffCenter(dev_, 0, 128, 0),
          midiNoteOffCenter(dev_, 16, 60, 0), midiProgramChange(dev_, 16, 0),
          midiProgramChange(dev_, 0, 128)})
        EXPECT_EQ(rc, noteRc::kBadArgument);
    dev_.failSendWith(0, 7);
    EXPECT_EQ(midiNoteOnCents(dev_, 0, 60, 127, 50), 7);
    dev_.failSendWith(0, 9);
    EXPECT_EQ(midiNoteOffCenter(dev_, 0, 60, 0), 9);
    EXPECT_TRUE(dev_.messages().empty());
}

TEST_F(TimedNote, TimesAlreadyPassedEndTheNoteAtOnceWithoutThePump) {
    EXPECT_EQ(play(64, 0, -5, 0, 0), 0);
    EXPECT_EQ(sent(), (Lines{"0 E0 00 40", "0 90 40 64", "0 E0 00 40", "0 80 40 00"}));
    EXPECT_EQ(time_.pumpCalls, 0);
}

TEST_F(TimedNote, StopWhileSoundingEndsTheWaitAtOnceWithoutNoteOff) {
    time_.onPump = [this](int32_t) {
        requestStop();
        if (time_.pumpCalls == 1)
            time_.now = origin_ + 100; // the stop comes before the note's end
    };
    EXPECT_EQ(play(60, 0, 300, 400, 0), noteRc::kStopped);
    EXPECT_EQ(sent(), (Lines{"0 E0 00 40", "0 90 3C 64"}));
    EXPECT_EQ(time_.pumpCalls, 1);
}

TEST_F(TimedNote, StopWhenTheEndHasPassedStillSucceeds) {
    // The pump arrives so late that the until time has passed at the first poll.
    time_.lateness = 200;
    time_.onPump = [](int32_t) { requestStop(); };
    EXPECT_EQ(play(60, 0, 300, 400, 0), 0);
    // The next call starts without the old stop request.
    time_.onPump = nullptr;
    EXPECT_EQ(play(60, 0, 300, 400, 0), 0);
    EXPECT_FALSE(stopRequested());
}
