// Sounding one note against the tick counter: the messages, their times, and stops.
#include "PlaybackTestSupport.h"

#include "TimedNote.h"

using namespace notaro::playback;
using notaro::testing::FakeTime;
using notaro::testing::trace;
using Lines = std::vector<std::string>;

namespace {

class TimedNote : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(dev_.open(), 0); }

    int32_t play(int32_t note, int32_t cents, int32_t onUntil, int32_t until, int32_t flags)
    {
        return playTimedNote(dev_, 0, note, 100, cents, time_.now + onUntil, time_.now + until, flags,
                             time_.clock(), time_.pump());
    }
    Lines sent() const { return trace(dev_, origin_); }

    FakeTime time_;
    const int32_t origin_ = time_.now;
    RecordingMidiOut dev_{time_.clock()};
};

} // namespace

TEST_F(TimedNote, NoteOnCentsSetsTheWheelFirst)
{
    const struct {
        int32_t cents;
        const char* wheel;
    } cases[] = {{0, "0 E0 00 40"}, {50, "0 E0 00 50"}, {-50, "0 E0 00 30"}, {200, "0 E0 7F 7F"}, {-200, "0 E0 00 00"}};
    for (const auto& c : cases) {
        dev_.clearMessages();
        EXPECT_EQ(midiNoteOnCents(dev_, 0, 60, 127, c.cents), 0);
        EXPECT_EQ(sent(), (Lines{c.wheel, "0 90 3C 7F"})) << c.cents;
    }
}

TEST_F(TimedNote, OutOfRangeArgumentsSendNothing)
{
    EXPECT_EQ(midiNoteOnCents(dev_, 0, 60, 127, 201), kBadArgumentRc);
    EXPECT_EQ(midiNoteOnCents(dev_, 0, 60, 127, -201), kBadArgumentRc);
    EXPECT_EQ(midiNoteOnCents(dev_, 0, 128, 127, 0), kBadArgumentRc);
    EXPECT_EQ(midiNoteOnCents(dev_, 16, 60, 127, 0), kBadArgumentRc);
    EXPECT_EQ(midiNoteOnCents(dev_, -1, 60, 127, 0), kBadArgumentRc);
    EXPECT_EQ(midiNoteOffCenter(dev_, 0, 128, 0), kBadArgumentRc);
    EXPECT_EQ(midiNoteOffCenter(dev_, 16, 60, 0), kBadArgumentRc);
    EXPECT_EQ(midiProgramChange(dev_, 16, 0), kBadArgumentRc);
    EXPECT_EQ(midiProgramChange(dev_, 0, 128), kBadArgumentRc);
    EXPECT_TRUE(dev_.messages().empty());
}

TEST_F(TimedNote, AFailedWheelMessageKeepsTheNoteFromSounding)
{
    dev_.failSendWith(0, 7);
    EXPECT_EQ(midiNoteOnCents(dev_, 0, 60, 127, 50), 7);
    dev_.failSendWith(0, 9);
    EXPECT_EQ(midiNoteOffCenter(dev_, 0, 60, 0), 9);
    EXPECT_TRUE(dev_.messages().empty());
}

TEST_F(TimedNote, FlagsChooseWhichEndsAreSent)
{
    const struct {
        int32_t flags;
        Lines expected;
    } cases[] = {
        {0, {"0 E0 00 50", "0 90 3C 64", "300 E0 00 40", "300 80 3C 00"}},
        {kNoteAlreadyOn, {"300 E0 00 40", "300 80 3C 00"}},
        {kNoteKeepsOn, {"0 E0 00 50", "0 90 3C 64"}},
        {kNoteAlreadyOn | kNoteKeepsOn, {}},
    };
    for (const auto& c : cases) {
        SetUp();
        time_.now = origin_;
        dev_.clearMessages();
        EXPECT_EQ(play(60, 50, 300, 400, c.flags), 0);
        EXPECT_EQ(sent(), c.expected) << "flags " << c.flags;
        EXPECT_EQ(time_.now, origin_ + 400);
        dev_.close();
    }
}

TEST_F(TimedNote, ARestSendsNothingAndWaits)
{
    EXPECT_EQ(play(-1, 0, 100, 250, 0), 0);
    EXPECT_TRUE(dev_.messages().empty());
    EXPECT_EQ(time_.now, origin_ + 250);
}

TEST_F(TimedNote, AnOnTimeAlreadyPassedEndsTheNoteAtOnce)
{
    EXPECT_EQ(play(64, 0, -5, 100, 0), 0);
    EXPECT_EQ(sent(), (Lines{"0 E0 00 40", "0 90 40 64", "0 E0 00 40", "0 80 40 00"}));
}

TEST_F(TimedNote, TimesAlreadyPassedDoNotRunThePump)
{
    EXPECT_EQ(play(64, 0, 0, 0, 0), 0);
    EXPECT_EQ(time_.pumpCalls, 0);
}

TEST_F(TimedNote, StopWhileSoundingEndsTheWaitWithoutNoteOff)
{
    time_.onPump = [](int32_t) { requestStop(); };
    time_.lateness = 0;
    EXPECT_EQ(play(60, 0, 300, 400, 0), kStoppedRc);
    EXPECT_EQ(sent(), (Lines{"0 E0 00 40", "0 90 3C 64"}));
    EXPECT_EQ(time_.now, origin_ + 300);
    // The note is not left sounding: closing the device switches it off.
    dev_.close();
    EXPECT_EQ(sent(), (Lines{"0 E0 00 40", "0 90 3C 64", "300 80 3C 00"}));
}

TEST_F(TimedNote, StopWhenTheEndHasPassedStillSucceeds)
{
    // The pump arrives so late that the until time has passed at the first poll.
    time_.lateness = 200;
    time_.onPump = [](int32_t) { requestStop(); };
    EXPECT_EQ(play(60, 0, 300, 400, 0), 0);
}

TEST_F(TimedNote, EachCallStartsWithoutAStopRequest)
{
    requestStop();
    EXPECT_EQ(play(60, 0, 300, 400, 0), 0);
    EXPECT_FALSE(stopRequested());
}
