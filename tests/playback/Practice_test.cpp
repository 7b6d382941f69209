#include "tests/common/SilenceCheck.h"
#include "tests/playback/PlaybackTestSupport.h"

#include "playback/ClickTrack.h"
#include "playback/MidiPanic.h"
#include "playback/cGnsPlay.h"

using namespace notaro;
using namespace notaro::playback;

namespace {

std::vector<uint32_t> sentMsgs(const RecordingMidiOut& dev) {
    std::vector<uint32_t> sent;
    for (const TimedShortMsg& m : dev.messages())
        sent.push_back(m.msg);
    return sent;
}

/// Each pass as "pass@percent@ms", and what sounded on into a later pass as it began.
struct PassLog : PlayerListener {
    std::function<std::string()> now;
    std::string passes, seamLeftovers;
    const RecordingMidiOut* dev = nullptr;
    bool aborted = false;

    void startingPass(int32_t pass, int32_t percent) override {
        passes += (passes.empty() ? "" : " ") + std::to_string(pass) + "@" +
                  std::to_string(percent) + "@" + now();
        if (pass > 1)
            seamLeftovers += notaro::testing::leftSounding(sentMsgs(*dev));
    }
    void abortedPlaying(int32_t, int32_t, int32_t, int32_t) override { aborted = true; }
};

/// The note-on times of one channel, with "A" or "b" for the accent and beat keys on channel 10.
std::string noteOns(const RecordingMidiOut& dev, int32_t origin, int32_t channel) {
    std::string s;
    for (const TimedShortMsg& m : dev.messages()) {
        if (statusOf(m.msg) != 0x90 + channel)
            continue;
        s += (s.empty() ? "" : " ") + std::to_string(m.ms - origin);
        if (channel == ClickTrack::kChannel)
            s += data1Of(m.msg) == ClickTrack::kAccentKey ? "A"
                 : data1Of(m.msg) == ClickTrack::kBeatKey ? "b"
                                                          : "?";
    }
    return s;
}

PracticeOptions practice(int32_t passes, int32_t countInBars = 0, bool click = false,
                         int32_t beatsPerBar = 4, int32_t percent = 100, TempoRamp ramp = {}) {
    PracticeOptions o;
    o.passes = passes;
    o.countInBars = countInBars;
    o.click = click;
    o.beatsPerBar = beatsPerBar;
    o.tempoPercent = percent;
    o.ramp = ramp;
    return o;
}

} // namespace

TEST(Practice, LoopsCountInClickAndTempoKeepTheirTimes) {
    // practice(passes, count-in bars, click, beats per bar, tempo %, ramp {on, start, step, top}).
    // Seams: pass n + 1 begins exactly one pass length (at its own tempo) after pass n.
    const struct {
        const char *what, *score;
        int32_t to;
        PracticeOptions practice;
        int32_t atMs, setPercent; // at atMs, the tempo is set to setPercent or (0) stopped
        const char *passes, *melody, *clicks;
    } cases[] = {
        {"three passes", "4c 8d 8e", -1, practice(3), -1, 0, "1@100@0 2@100@1000 3@100@2000",
         "0 500 750 1000 1500 1750 2000 2500 2750", ""},
        {"half tempo doubles every interval", "4c 8d 8e", -1, practice(2, 0, false, 4, 50), -1, 0,
         "1@50@0 2@50@2000", "0 1000 1500 2000 3000 3500", ""},
        {"ramp 50 +30 up to 100, then held", "4c 8d 8e", -1,
         practice(4, 0, false, 4, 100, {true, 50, 30, 100}), -1, 0,
         "1@50@0 2@80@2000 3@100@3249 4@100@4249",
         "0 1000 1500 2000 2625 2937 3249 3749 3999 4249 4749 4999", ""},
        {"count-in of two bars of two", "4c 4d", -1, practice(1, 2, false, 2), -1, 0,
         "0@100@0 1@100@2000", "2000 2500", "0A 500b 1000A 1500b"},
        {"count-in at the start note's tempo, click through two passes", "*t[60];4c;*t[120];4d", -1,
         practice(2, 1, true, 2, 50), -1, 0, "0@50@0 1@50@4000 2@50@7000", "4000 6000 7000 9000",
         "0A 2000b 4000A 6000b 7000A 9000b"},
        {"clicks inside a long note", "2c 4d", -1, practice(2, 0, true, 3), -1, 0,
         "1@100@0 2@100@1500", "0 1000 1500 2500", "0A 500b 1000b 1500A 2000b 2500b"},
        {"a tie at the end of the stretch ends at the seam", "4c[ 4c]", 0, practice(2), -1, 0,
         "1@100@0 2@100@500", "0 500", ""},
        {"tempo set while playing, from the next note on", "4c 4d 4e 4f", -1, practice(1), 500, 50,
         "1@100@0", "0 500 1500 2500", ""},
        {"stopped in the second pass", "4c 4d", -1, practice(3, 0, true), 1200, 0,
         "1@100@0 2@100@1000", "0 500 1000", "0A 500b 1000A"},
        {"stopped during the count-in", "4c", -1, practice(1, 1, true), 700, 0, "0@100@0", "",
         "0A 500b"},
        {"until stopped", "4c", -1, practice(0), 1400, 0, "1@100@0 2@100@500 3@100@1000",
         "0 500 1000", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        notaro::testing::FakeTime time;
        const int32_t origin = time.now;
        RecordingMidiOut dev{time.clock()};
        cGnsPlay player(dev, time.pump(), time.clock());
        PassLog log;
        log.now = [&] { return std::to_string(time.now - origin); };
        log.dev = &dev;
        player.setListener(&log);
        time.onPump = [&](int32_t now) {
            if (c.atMs >= 0 && now - origin >= c.atMs)
                c.setPercent ? player.setTempoPercent(c.setPercent) : player.stopPlaying();
        };
        const auto parser = notaro::testing::parsed(c.score);
        PlayOptions options;
        options.practice = c.practice;
        EXPECT_EQ(player.play(*parser, 0, c.to < 0 ? parser->nNotes() - 1 : c.to, options),
                  PlaybackResult::Ok);
        EXPECT_EQ(log.passes, c.passes);
        EXPECT_EQ(noteOns(dev, origin, 0), c.melody);
        EXPECT_EQ(noteOns(dev, origin, ClickTrack::kChannel), c.clicks);
        EXPECT_EQ(log.seamLeftovers, "");
        EXPECT_EQ(log.aborted, c.atMs >= 0 && c.setPercent == 0);
        EXPECT_EQ(notaro::testing::leftSounding(sentMsgs(dev)), "");
    }
}

TEST(Practice, OptionsOutOfRangeAreRefused) {
    const PracticeOptions bad[] = {practice(-1), practice(1, 3), practice(1, 0, false, 0),
                                   practice(1, 0, false, 4, 201),
                                   practice(1, 0, false, 4, 100, {true, 80, 5, 70})};
    notaro::testing::FakeTime time;
    RecordingMidiOut dev{time.clock()};
    cGnsPlay player(dev, time.pump(), time.clock());
    const auto parser = notaro::testing::parsed("4c");
    for (const PracticeOptions& practice : bad) {
        PlayOptions options;
        options.practice = practice;
        EXPECT_EQ(player.play(*parser, 0, 0, options), PlaybackResult::BadArgument);
    }
    EXPECT_EQ(dev.openCount(), 0);
}

TEST(Practice, PanicSilencesEveryChannelWhetherOpenOrNot) {
    notaro::testing::FakeTime time;
    RecordingMidiOut dev{time.clock()};
    for (const bool open : {false, true}) {
        dev.clearMessages();
        if (open) {
            dev.open();
            dev.shortMsg(packShortMsg(0x93, 60, 100));
        }
        EXPECT_EQ(sendPanic(dev), PlaybackResult::Ok);
        EXPECT_EQ(dev.isOpen(), open);
        std::vector<uint32_t> expected(open, packShortMsg(0x93, 60, 100));
        for (uint8_t channel = 0; channel < 16; ++channel)
            for (const uint8_t controller : {120, 123, 121})
                expected.push_back(packShortMsg(0xB0 | channel, controller));
        EXPECT_EQ(sentMsgs(dev), expected);
    }
    dev.close();
    EXPECT_EQ(dev.messages().size(), 49u); // the panic already ended the note
}
