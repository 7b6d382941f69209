#include "tests/playback/PlaybackTestSupport.h"

#include "playback/TimedNote.h"

using namespace notaro::playback;

namespace {

class TimedNote : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(dev_.open(), PlaybackResult::Ok); }

    PlaybackResult play(int32_t onUntil, int32_t until) {
        return playTimedNote(dev_, 0, 60, 100, 0, time_.now + onUntil, time_.now + until, 0,
                             time_.clock(), time_.pump(), stop_);
    }
    std::string sent() const { return notaro::testing::trace(dev_, origin_); }

    notaro::testing::FakeTime time_;
    const int32_t origin_ = time_.now;
    RecordingMidiOut dev_{time_.clock()};
    std::atomic<bool> stop_{false};
};

} // namespace

TEST_F(TimedNote, BadArgumentsAndFailedWheelMessagesSendNoNote) {
    for (const PlaybackResult rc :
         {midiNoteOnCents(dev_, 0, 60, 127, -201), midiNoteOnCents(dev_, 0, 128, 127, 0),
          midiNoteOnCents(dev_, 16, 60, 127, 0), midiNoteOffCenter(dev_, 0, 128, 0),
          midiProgramChange(dev_, 0, 128)})
        EXPECT_EQ(rc, PlaybackResult::BadArgument);
    dev_.failSendWith(0, PlaybackResult::Error);
    EXPECT_EQ(midiNoteOnCents(dev_, 0, 60, 127, 50), PlaybackResult::Error);
    dev_.failSendWith(0, PlaybackResult::InvalidParam);
    EXPECT_EQ(midiNoteOffCenter(dev_, 0, 60, 0), PlaybackResult::InvalidParam);
    EXPECT_TRUE(dev_.messages().empty());
}

TEST_F(TimedNote, PassedTimesEndTheNoteWithoutThePumpAndAStopEndsTheWait) {
    EXPECT_EQ(play(-5, 0), PlaybackResult::Ok);
    EXPECT_EQ(sent(), "0 E0 00 40|0 90 3C 64|0 E0 00 40|0 80 3C 00");
    EXPECT_EQ(time_.pumpCalls, 0);
    // A stop while the note sounds and its end is still ahead: no note-off.
    dev_.clearMessages();
    time_.onPump = [this](int32_t) {
        stop_ = true;
        if (time_.pumpCalls == 1)
            time_.now = origin_ + 100;
    };
    EXPECT_EQ(play(300, 400), PlaybackResult::Stopped);
    EXPECT_EQ(sent(), "0 E0 00 40|0 90 3C 64");
    EXPECT_EQ(time_.pumpCalls, 1);
    // A stop when the until time has already passed at the first poll still succeeds, and the
    // next call starts without the old stop request.
    time_.lateness = 200;
    time_.onPump = [this](int32_t) { stop_ = true; };
    EXPECT_EQ(play(300, 400), PlaybackResult::Ok);
    time_.onPump = nullptr;
    EXPECT_EQ(play(300, 400), PlaybackResult::Ok);
    EXPECT_FALSE(stop_);
}
