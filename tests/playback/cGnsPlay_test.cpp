#include "tests/common/SilenceCheck.h"
#include "tests/playback/PlaybackTestSupport.h"

#include "playback/cGnsPlay.h"

#include <sstream>

using namespace notaro;
using namespace notaro::playback;
using notaro::testing::Lines;

namespace {

class EventLog : public PlayerListener {
public:
    Lines lines;
    std::function<void()> onPlayingNote;

    void playingNoteLine(int32_t i, uint8_t pc, uint8_t oct, uint8_t acc, int32_t n, int32_t d,
                         float tm, int32_t ms, int32_t l, int32_t c, int32_t len) override {
        add("note ", i, " p", int(pc), " o", int(oct), " a", int(acc), " ", n, "/", d, " ", tm, " ",
            ms, "ms L", l, ":", c, "+", len);
        if (onPlayingNote)
            onPlayingNote();
    }
    void playingRestLine(int32_t i, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t) override {
        add("rest ", i);
    }
    void donePlayingLine(int32_t i, int32_t l, int32_t c, int32_t len) override {
        add("done ", i, " L", l, ":", c, "+", len);
    }
    void donePlayingAll() override { add("all done"); }
    void abortedPlaying(int32_t i, int32_t l, int32_t c, int32_t len) override {
        add("aborted ", i, " L", l, ":", c, "+", len);
    }
    void midiOutOpenFailed(const std::string& message, PlaybackResult rc) override {
        add(message, " (", code(rc), ")");
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
    void SetUp() override { player_.setListener(&log_); }

    /// Plays from a fresh start: the clock at its origin, no messages or events yet.
    PlaybackResult play(const std::string& score, int32_t from = 0, int32_t to = -2,
                        int32_t patch = -1, float tempo = 1.0f, cGnsPlay* player = nullptr,
                        int32_t channel = 0) {
        time_.now = origin_;
        dev_.clearMessages();
        log_.lines.clear();
        parser_ = notaro::testing::parsed(score);
        PlayOptions options;
        options.timeScale = tempo;
        options.channel = channel;
        options.patch = patch;
        options.ratios = ratios_;
        return (player ? *player : player_)
            .play(*parser_, from, to < -1 ? parser_->nNotes() - 1 : to, options);
    }
    /// Messages timed from the last open, that is from the start of the last play call.
    std::string sent() const { return notaro::testing::trace(dev_, dev_.openTick()); }

    notaro::testing::FakeTime time_;
    const int32_t origin_ = time_.now;
    std::function<void(const TimedShortMsg&)> onSend_;
    RecordingMidiOut dev_{time_.clock(), [this](const TimedShortMsg& m) {
                              if (onSend_)
                                  onSend_(m);
                          }};
    cGnsPlay player_{dev_, time_.pump(), time_.clock()};
    EventLog log_;
    std::unique_ptr<cTParse> parser_;
    OnTimeRatios ratios_;
};

} // namespace

TEST_F(Player, ListenerHearsEachRecordAndPlayFromAHandlerIsRefused) {
    PlaybackResult inner = PlaybackResult::Ok;
    log_.onPlayingNote = [&] { inner = player_.play(*parser_, 0, 0, PlayOptions()); };
    EXPECT_EQ(play("4c 8d"), PlaybackResult::Ok);
    EXPECT_EQ(log_.lines,
              (Lines{"note 0 p0 o4 a2 1/4 60 500ms L2:0+2", "done 0 L2:0+2",
                     "note 1 p1 o4 a2 1/8 62 250ms L2:3+2", "done 1 L2:3+2", "all done"}));
    EXPECT_EQ(inner, PlaybackResult::AlreadyPlaying);
    EXPECT_EQ(dev_.openCount(), 1);
    EXPECT_EQ(dev_.closeCount(), 1);
    EXPECT_FALSE(player_.isPlaying());
}

TEST_F(Player, SendsEachScoreAtItsTimes) {
    // Tempo before the first record and from a record on, staccato, tie, slur, tempo multiplier,
    // lateness, quarter tones, rest, program: from a record, forced, in force before the start.
    // After the program change and the wheel at the start ("0 C0 00|0 E0 00 40|", unless the row
    // starts with "!"); events: two per note or rest, then "all done".
    const struct {
        const char* score;
        int32_t from, patch;
        float tempo;
        int32_t lateness, end, events;
        const char* expected;
        float ratio = 0; // every normal on-time ratio, when set
    } cases[] = {
        {"*t[60];4c 4d", 2, -1, 1.0f, 0, 1000, 3, "0 90 3E 7F|950 E0 00 40|950 80 3E 00"},
        {"4c;*t[60];4d", 0, -1, 1.0f, 0, 1500, 5,
         "0 90 3C 7F|475 E0 00 40|475 80 3C 00|500 E0 00 40|500 90 3E 7F|1450 E0 00 40|"
         "1450 80 3E 00"},
        {"4c'", 0, -1, 1.0f, 0, 500, 3, "0 90 3C 7F|225 E0 00 40|225 80 3C 00"},
        {"4c[ 4c]", 0, -1, 1.0f, 0, 1000, 5, "0 90 3C 7F|875 E0 00 40|875 80 3C 00"},
        {"4c( 4d)", 0, -1, 1.0f, 0, 1000, 5,
         "0 90 3C 7F|500 E0 00 40|500 80 3C 00|500 E0 00 40|500 90 3E 7F|975 E0 00 40|"
         "975 80 3E 00"},
        {"4c", 0, -1, 2.0f, 0, 1000, 3, "0 90 3C 7F|950 E0 00 40|950 80 3C 00"},
        // Every wait ends 7 ms late, yet each note still starts 7 ms (not 7 x n) after its time.
        {"4c 4d 4e", 0, -1, 1.0f, 7, 1507, 7,
         "0 90 3C 7F|482 E0 00 40|482 80 3C 00|507 E0 00 40|507 90 3E 7F|982 E0 00 40|"
         "982 80 3E 00|1007 E0 00 40|1007 90 40 7F|1482 E0 00 40|1482 80 40 00"},
        {"4c+ 4d~", 0, -1, 1.0f, 0, 1000, 5,
         "!0 C0 00|0 E0 00 50|0 90 3C 7F|475 E0 00 40|475 80 3C 00|500 E0 00 30|500 90 3E 7F|"
         "975 E0 00 40|975 80 3E 00"},
        {"4: 4c", 0, -1, 1.0f, 0, 1000, 5,
         "!0 C0 00|500 E0 00 40|500 90 3C 7F|975 E0 00 40|975 80 3C 00"},
        {"*i[40];4c", 0, -1, 1.0f, 0, 500, 3,
         "!0 C0 00|0 C0 28|0 E0 00 40|0 90 3C 7F|475 E0 00 40|475 80 3C 00"},
        {"*i[40];4c", 0, 5, 1.0f, 0, 500, 3,
         "!0 C0 05|0 E0 00 40|0 90 3C 7F|475 E0 00 40|475 80 3C 00"},
        {"*i[40];4c", 0, 0, 1.0f, 0, 500, 3, "0 90 3C 7F|475 E0 00 40|475 80 3C 00"},
        {"*i[40];4c", 1, -1, 1.0f, 0, 500, 3,
         "!0 C0 28|0 E0 00 40|0 90 3C 7F|475 E0 00 40|475 80 3C 00"},
        {"4c 4d'", 0, -1, 1.0f, 0, 1000, 5,
         "0 90 3C 7F|250 E0 00 40|250 80 3C 00|500 E0 00 40|500 90 3E 7F|725 E0 00 40|"
         "725 80 3E 00",
         0.5f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.score) + " from " + std::to_string(c.from));
        time_.lateness = c.lateness;
        ratios_ = OnTimeRatios();
        if (c.ratio > 0)
            ratios_.normal.fill(c.ratio);
        EXPECT_EQ(play(c.score, c.from, -2, c.patch, c.tempo), PlaybackResult::Ok);
        const std::string expected =
            *c.expected == '!' ? c.expected + 1 : std::string("0 C0 00|0 E0 00 40|") + c.expected;
        EXPECT_EQ(sent(), expected);
        EXPECT_EQ(time_.now - origin_, c.end);
        EXPECT_EQ(int32_t(log_.lines.size()), c.events);
        EXPECT_EQ(log_.lines.back(), "all done");
    }
}

TEST_F(Player, StopAtAnyMomentEndsInSilence) {
    // The stop comes from the pump once atMs have passed, or from the device as it first sends
    // the message onMsg (written for channel 0).
    const struct {
        const char *what, *score;
        int32_t atMs;
        const char* onMsg;
    } cases[] = {
        {"before the first note", "4c+ 4d", -1, "C0 00"},
        {"during a note", "2c 4d", 200, nullptr},
        {"as a note is due to end", "4c+ 4d", 475, nullptr},
        {"in the silent part of a staccato note", "4c' 4d", 300, nullptr},
        {"during a rest", "4c 4: 4d", 700, nullptr},
        {"inside a tie chain", "4c+[ 4c+ 4c+] 4d", 700, nullptr},
        {"inside a slur", "4c( 4d+ 4e) 4f", 700, nullptr},
        {"during the wheel message of a quarter tone", "4c 4d+ 4e", -1, "E0 00 50"},
        {"between the centred wheel and the note-off", "4c+ 4d", -1, "E0 00 40"},
        {"as a tempo record inside a tie chain is due", "4c+[;*t[60];4c+];4d", 500, nullptr},
        {"after an instrument record", "4c;*i[40];4d+ 4e", -1, "C0 28"},
    };
    for (const auto& c : cases)
        for (const int32_t channel : {0, 9}) {
            cGnsPlay player(dev_, time_.pump(), time_.clock()); // a stop request stays with it
            player.setListener(&log_);
            int seen = 0;
            onSend_ = [&](const TimedShortMsg& m) {
                if (c.onMsg && shortMsgText(m.msg & ~0x0Fu) == c.onMsg && seen++ == 0)
                    player.stopPlaying();
            };
            time_.onPump = [&](int32_t now) {
                if (c.atMs >= 0 && now - origin_ >= c.atMs)
                    player.stopPlaying();
            };
            EXPECT_EQ(play(c.score, 0, -2, -1, 1.0f, &player, channel), PlaybackResult::Ok);
            // The stopped record's position ends both its last events.
            ASSERT_GE(log_.lines.size(), 2u) << c.what;
            EXPECT_EQ("aborted " + log_.lines.end()[-2].substr(5), log_.lines.back()) << c.what;
            EXPECT_FALSE(dev_.isOpen()) << c.what;
            std::vector<uint32_t> sent; // read without the device's own bookkeeping
            for (const TimedShortMsg& m : dev_.messages())
                sent.push_back(m.msg);
            EXPECT_EQ(notaro::testing::leftSounding(sent), "") << c.what << ", channel " << channel;
        }
}

TEST_F(Player, StopRequestsBelongToTheirPlayer) {
    // From inside this player's first wait, as its half note is due to end: another player is
    // stopped, or this one is stopped and the other then plays a note of its own. A stopped note
    // is ended by the closing device, without the player's centred wheel.
    const struct {
        bool stopThis;
        const char* expected;
    } cases[] = {{false, "0 C0 00|0 E0 00 40|0 90 3C 7F|900 E0 00 40|900 80 3C 00"},
                 {true, "0 C0 00|0 E0 00 40|0 90 3C 7F|900 80 3C 00"}};
    for (const auto& c : cases) {
        notaro::testing::FakeTime otherTime;
        RecordingMidiOut otherDev{otherTime.clock()};
        cGnsPlay other(otherDev, otherTime.pump(), otherTime.clock());
        const auto otherScore = notaro::testing::parsed("4e");
        cGnsPlay player(dev_, time_.pump(), time_.clock());
        time_.onPump = [&, calls = 0](int32_t) mutable {
            if (calls++ > 0)
                return;
            (c.stopThis ? player : other).stopPlaying();
            if (c.stopThis)
                other.play(*otherScore, 0, 0, PlayOptions());
        };
        EXPECT_EQ(play("2c", 0, -2, -1, 1.0f, &player), PlaybackResult::Ok);
        EXPECT_EQ(sent(), c.expected) << c.stopThis;
        EXPECT_EQ(otherDev.messages().size(), c.stopThis ? 5u : 0u); // its note played whole
    }
}

TEST_F(Player, EmptyStretchesFinishAndOverflowsOrBadIndexesFail) {
    EXPECT_EQ(play("4c 4d", 1, 0), PlaybackResult::Ok);
    EXPECT_EQ(sent(), "0 C0 00");
    EXPECT_EQ(log_.lines, Lines{"all done"});
    EXPECT_EQ(play("4c 4d", 0, -2, -1, 1e10f), PlaybackResult::Failure);
    EXPECT_EQ(log_.lines, Lines{});
    EXPECT_FALSE(player_.isPlaying());
    EXPECT_EQ(play("4c", 0, 5), PlaybackResult::Failure);
    EXPECT_EQ(dev_.closeCount(), 3);
}

TEST_F(Player, DeviceThatDoesNotOpenIsReportedToTheOwner) {
    dev_.failOpenWith(PlaybackResult::NoDriver);
    EXPECT_EQ(play("4c"), PlaybackResult::Ok);
    EXPECT_EQ(log_.lines, (Lines{"Couldn't open midi out, rc = 6 (6)"}));
    EXPECT_TRUE(dev_.messages().empty());
    EXPECT_FALSE(player_.isPlaying());
    EXPECT_EQ(play("4c"), PlaybackResult::Ok);
    EXPECT_EQ(dev_.openCount(), 1);
}

TEST(DurToMSec, RoundsTheWholeNoteFirst) {
    constexpr int32_t kNone = cGnsPlay::kNoLength;
    const struct {
        int32_t n, d, qnpm, ms;
    } cases[] = {{1, 4, 120, 500}, {1, 8, 120, 250},   {1, 4, 60, 1000},
                 {3, 8, 90, 1000}, {1, 3, 120, 667},   {7, 256, 120, 55},
                 {1, 4, 0, kNone}, {1, 0, 120, kNone}, {2147483647, 1, 120, kNone}};
    for (const auto& c : cases)
        EXPECT_EQ(cGnsPlay::durToMSec(c.n, c.d, c.qnpm), c.ms)
            << c.n << "/" << c.d << " at " << c.qnpm;
}
