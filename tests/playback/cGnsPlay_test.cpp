// The real-time player: which messages it sends when, and which events it raises.
#include "PlaybackTestSupport.h"

#include "OnRatios.h"
#include "cGnsPlay.h"

#include <sstream>

using namespace notaro;
using namespace notaro::playback;
using notaro::testing::FakeTime;
using notaro::testing::Lines;

namespace {

/// Writes every event as one line of text.
class EventLog : public PlayerListener {
public:
    Lines lines;
    std::function<void()> onPlayingNote;

    void playingNoteLine(int32_t iNote, uint8_t pitchClass, uint8_t octave, uint8_t accidental,
                         int32_t durN, int32_t durD, float tmNoteVal, int32_t durMS,
                         int32_t lineNum, int32_t charPos, int32_t theLen) override {
        add("note ", iNote, " p", int(pitchClass), " o", int(octave), " a", int(accidental), " ",
            durN, "/", durD, " ", tmNoteVal, " ", durMS, "ms L", lineNum, ":", charPos, "+",
            theLen);
        if (onPlayingNote)
            onPlayingNote();
    }
    void playingRestLine(int32_t iNote, int32_t durN, int32_t durD, int32_t durMS, int32_t lineNum,
                         int32_t charPos, int32_t theLen) override {
        add("rest ", iNote, " ", durN, "/", durD, " ", durMS, "ms L", lineNum, ":", charPos, "+",
            theLen);
    }
    void donePlayingLine(int32_t iNote, int32_t lineNum, int32_t charPos, int32_t theLen) override {
        add("done ", iNote, " L", lineNum, ":", charPos, "+", theLen);
    }
    void donePlayingAll() override { add("all done"); }
    void abortedPlaying(int32_t iNote, int32_t lineNum, int32_t charPos, int32_t theLen) override {
        add("aborted ", iNote, " L", lineNum, ":", charPos, "+", theLen);
    }
    void midiOutOpenFailed(const std::string& message, int32_t rc) override {
        add(message, " (", rc, ")");
    }

private:
    template <typename... Parts> void add(const Parts&... parts) {
        std::ostringstream s;
        (s << ... << parts);
        lines.push_back(s.str());
    }
};

class Player : public ::testing::Test {
protected:
    void SetUp() override {
        defaultOnRatios(onRatioNormal, onRatioStaccato);
        player_.setListener(&log_);
    }

    /// Plays the score's records from..to (all when to < -1) and returns play's result.
    int32_t play(const Lines& score, int32_t from = 0, int32_t to = -2, int32_t patch = -1,
                 float tempo = 1.0f) {
        parser_ = notaro::testing::parseScore(score);
        return player_.play(*parser_, from, to < -1 ? parser_->nNotes() - 1 : to, tempo, 0, 127,
                            patch);
    }
    /// Messages timed from the last open, that is from the start of the last play call.
    Lines sent() const { return notaro::testing::trace(dev_, dev_.openTick()); }

    FakeTime time_;
    const int32_t origin_ = time_.now;
    RecordingMidiOut dev_{time_.clock()};
    cGnsPlay player_{dev_, time_.pump(), time_.clock()};
    EventLog log_;
    std::unique_ptr<cTParse> parser_;
};

const char* kHeader = "**n[a-b-c]";

} // namespace

TEST_F(Player, QuarterThenEighthFollowTheOnTimeRatios) {
    EXPECT_EQ(play({kHeader, "4c 8d"}), 0);
    EXPECT_EQ(sent(), (Lines{"0 C0 00", "0 E0 00 40", "0 90 3C 7F", "475 E0 00 40", "475 80 3C 00",
                             "500 E0 00 40", "500 90 3E 7F", "737 E0 00 40", "737 80 3E 00"}));
    EXPECT_EQ(time_.now - origin_, 750);
    EXPECT_EQ(log_.lines,
              (Lines{"note 0 p0 o4 a2 1/4 60 500ms L2:0+2", "done 0 L2:0+2",
                     "note 1 p1 o4 a2 1/8 62 250ms L2:3+2", "done 1 L2:3+2", "all done"}));
    EXPECT_EQ(dev_.openCount(), 1);
    EXPECT_EQ(dev_.closeCount(), 1);
    EXPECT_FALSE(player_.isPlaying());
}

TEST_F(Player, SendsEachScoreAtItsTimes) {
    const struct {
        const char* what;
        Lines score;
        int32_t from;
        float tempo;
        int32_t lateness;
        Lines expected;
        int32_t end;
        size_t events; // listener calls: two per note or rest, then "all done"
    } cases[] = {
        {"the tempo in force before the first record",
         {kHeader, "*t[60]", "4c 4d"},
         2,
         1.0f,
         0,
         {"0 C0 00", "0 E0 00 40", "0 90 3E 7F", "950 E0 00 40", "950 80 3E 00"},
         1000,
         3},
        {"a tempo record changes lengths from there on",
         {kHeader, "4c", "*t[60]", "4d"},
         0,
         1.0f,
         0,
         {"0 C0 00", "0 E0 00 40", "0 90 3C 7F", "475 E0 00 40", "475 80 3C 00", "500 E0 00 40",
          "500 90 3E 7F", "1450 E0 00 40", "1450 80 3E 00"},
         1500,
         5},
        {"staccato",
         {kHeader, "4c'"},
         0,
         1.0f,
         0,
         {"0 C0 00", "0 E0 00 40", "0 90 3C 7F", "225 E0 00 40", "225 80 3C 00"},
         500,
         3},
        {"a tie sounds once and ends with the chain's ratio",
         {kHeader, "4c[ 4c]"},
         0,
         1.0f,
         0,
         {"0 C0 00", "0 E0 00 40", "0 90 3C 7F", "875 E0 00 40", "875 80 3C 00"},
         1000,
         5},
        {"a slurred note sounds its whole length",
         {kHeader, "4c( 4d)"},
         0,
         1.0f,
         0,
         {"0 C0 00", "0 E0 00 40", "0 90 3C 7F", "500 E0 00 40", "500 80 3C 00", "500 E0 00 40",
          "500 90 3E 7F", "975 E0 00 40", "975 80 3E 00"},
         1000,
         5},
        {"quarter tones play the even neighbour with the wheel",
         {kHeader, "4c+ 4d~"},
         0,
         1.0f,
         0,
         {"0 C0 00", "0 E0 00 50", "0 90 3C 7F", "475 E0 00 40", "475 80 3C 00", "500 E0 00 30",
          "500 90 3E 7F", "975 E0 00 40", "975 80 3E 00"},
         1000,
         5},
        {"a rest only waits",
         {kHeader, "4: 4c"},
         0,
         1.0f,
         0,
         {"0 C0 00", "500 E0 00 40", "500 90 3C 7F", "975 E0 00 40", "975 80 3C 00"},
         1000,
         5},
        {"the tempo multiplier scales every length",
         {kHeader, "4c"},
         0,
         2.0f,
         0,
         {"0 C0 00", "0 E0 00 40", "0 90 3C 7F", "950 E0 00 40", "950 80 3C 00"},
         1000,
         3},
        // Every wait ends 7 ms late, yet each note still starts 7 ms (not 7 x n) after its time.
        {"lateness is made up by the next record",
         {kHeader, "4c 4d 4e"},
         0,
         1.0f,
         7,
         {"0 C0 00", "0 E0 00 40", "0 90 3C 7F", "482 E0 00 40", "482 80 3C 00", "507 E0 00 40",
          "507 90 3E 7F", "982 E0 00 40", "982 80 3E 00", "1007 E0 00 40", "1007 90 40 7F",
          "1482 E0 00 40", "1482 80 40 00"},
         1507,
         7},
        // 2000 x 7/256 = 54.7 -> 55 ms; ratio between the 32nd and 64th entries: 0.8686 -> 48 ms.
        {"a double-dotted 64th plays",
         {kHeader, "64..c 4d"},
         0,
         1.0f,
         0,
         {"0 C0 00", "0 E0 00 40", "0 90 3C 7F", "48 E0 00 40", "48 80 3C 00", "55 E0 00 40",
          "55 90 3E 7F", "530 E0 00 40", "530 80 3E 00"},
         555,
         5},
    };
    for (const auto& c : cases) {
        time_.now = origin_;
        time_.lateness = c.lateness;
        dev_.clearMessages();
        log_.lines.clear();
        EXPECT_EQ(play(c.score, c.from, -2, -1, c.tempo), 0) << c.what;
        EXPECT_EQ(sent(), c.expected) << c.what;
        EXPECT_EQ(time_.now - origin_, c.end) << c.what;
        EXPECT_EQ(log_.lines.size(), c.events) << c.what;
        EXPECT_EQ(log_.lines.back(), "all done") << c.what;
    }
    EXPECT_EQ(log_.lines.at(0), "note 0 p0 o4 a2 7/256 60 55ms L2:0+5");
}

TEST_F(Player, InstrumentRecordsFollowTheScoreUnlessForced) {
    EXPECT_EQ(play({kHeader, "*i[40]", "4c"}, 0, -2, -1), 0);
    EXPECT_EQ(sent().at(1), "0 C0 28");
    dev_.clearMessages();
    EXPECT_EQ(play({kHeader, "*i[40]", "4c"}, 0, -2, 5), 0);
    EXPECT_EQ(sent(),
              (Lines{"0 C0 05", "0 E0 00 40", "0 90 3C 7F", "475 E0 00 40", "475 80 3C 00"}));
    dev_.clearMessages();
    EXPECT_EQ(play({kHeader, "*i[40]", "4c"}, 1, -2, -1), 0);
    EXPECT_EQ(sent().at(0), "0 C0 28");
}

TEST_F(Player, StopDuringANoteEndsPlaybackInSilence) {
    time_.onPump = [this](int32_t now) {
        if (now - origin_ >= 200)
            player_.stopPlaying();
    };
    // The first wait jumps straight to 900; stop there, in the middle of the note's sounding part.
    EXPECT_EQ(play({kHeader, "2c 4d"}), 0);
    EXPECT_EQ(log_.lines,
              (Lines{"note 0 p0 o4 a2 1/2 60 1000ms L2:0+2", "done 0 L2:0+2", "aborted 0 L2:0+2"}));
    // No note-off from the wait itself; closing the device switches the note off.
    EXPECT_EQ(sent(), (Lines{"0 C0 00", "0 E0 00 40", "0 90 3C 7F", "900 80 3C 00"}));
    EXPECT_EQ(dev_.closeCount(), 1);
    EXPECT_FALSE(dev_.isOpen());
}

TEST_F(Player, StopInsideATieChainLeavesNothingSounding) {
    time_.onPump = [this](int32_t now) {
        if (now - origin_ >= 500)
            player_.stopPlaying();
    };
    EXPECT_EQ(play({kHeader, "4c+[ 4c+] 4d"}), 0);
    EXPECT_EQ(sent(),
              (Lines{"0 C0 00", "0 E0 00 50", "0 90 3C 7F", "500 80 3C 00", "500 E0 00 40"}));
    EXPECT_EQ(log_.lines.back(), "aborted 0 L2:0+4");
}

TEST_F(Player, PlayFromItsOwnEventHandlerIsRefused) {
    int32_t inner = 0;
    log_.onPlayingNote = [&] { inner = player_.play(*parser_, 0, 0, 1.0f, 0, 127, -1); };
    EXPECT_EQ(play({kHeader, "4c"}), 0);
    EXPECT_EQ(inner, cGnsPlay::kAlreadyPlaying);
    EXPECT_EQ(dev_.openCount(), 1);
    EXPECT_EQ(log_.lines.back(), "all done");
}

TEST_F(Player, EmptyStretchOpensSendsTheProgramAndFinishes) {
    EXPECT_EQ(play({kHeader, "4c 4d"}, 1, 0), 0);
    EXPECT_EQ(sent(), (Lines{"0 C0 00"}));
    EXPECT_EQ(log_.lines, (Lines{"all done"}));
    EXPECT_EQ(dev_.closeCount(), 1);
}

TEST_F(Player, DeviceThatDoesNotOpenIsReportedToTheOwner) {
    dev_.failOpenWith(6);
    EXPECT_EQ(play({kHeader, "4c"}), 0);
    EXPECT_EQ(log_.lines, (Lines{"Couldn't open midi out, rc = 6 (6)"}));
    EXPECT_TRUE(dev_.messages().empty());
    EXPECT_FALSE(player_.isPlaying());
    EXPECT_EQ(play({kHeader, "4c"}), 0);
    EXPECT_EQ(dev_.openCount(), 1);
}

TEST_F(Player, OverflowsAndBadIndexesEndPlaybackAsAFailure) {
    EXPECT_EQ(play({kHeader, "4c 4d"}, 0, -2, -1, 1e10f), cGnsPlay::kFailure);
    EXPECT_EQ(log_.lines, Lines{});
    EXPECT_FALSE(player_.isPlaying());
    EXPECT_EQ(play({kHeader, "4c"}, 0, 5), cGnsPlay::kFailure);
    EXPECT_EQ(dev_.closeCount(), 2);
}

TEST(DurToMSec, RoundsTheWholeNoteFirst) {
    const struct {
        int32_t n, d, qnpm, ms;
    } cases[] = {
        {1, 4, 120, 500}, {1, 8, 120, 250}, {1, 4, 60, 1000},
        {3, 8, 90, 1000}, {1, 3, 120, 667}, {7, 256, 120, 55},
        {1, 4, 0, -2},    {1, 0, 120, -2},  {2147483647, 1, 120, -2},
    };
    for (const auto& c : cases)
        EXPECT_EQ(cGnsPlay::durToMSec(c.n, c.d, c.qnpm), c.ms)
            << c.n << "/" << c.d << " at " << c.qnpm;
}
