// Stopping the player at any moment leaves the output silent once the device is closed.
#include "PlaybackTestSupport.h"
#include "SilenceCheck.h"

#include "OnRatios.h"
#include "cGnsPlay.h"

using namespace notaro;
using namespace notaro::playback;
using notaro::testing::FakeTime;
using notaro::testing::Lines;

namespace {

struct StopSeen : PlayerListener {
    bool aborted = false;
    void abortedPlaying(int32_t, int32_t, int32_t, int32_t) override { aborted = true; }
};

} // namespace

TEST(SilentStop, EveryMomentOfPlaybackEndsInSilence) {
    defaultOnRatios(onRatioNormal, onRatioStaccato);
    // The stop comes from the pump once atMs have passed, or from the device as it sends the
    // message onMsg (written for channel 0) for the nth time.
    const struct {
        const char* what;
        Lines score;
        int32_t atMs;
        const char* onMsg;
        int nth;
    } cases[] = {
        {"before the first note", {"4c+ 4d"}, -1, "C0 00", 0},
        {"during a note", {"2c 4d"}, 200, nullptr, 0},
        {"as a note is due to end", {"4c+ 4d"}, 475, nullptr, 0},
        {"in the silent part of a staccato note", {"4c' 4d"}, 300, nullptr, 0},
        {"during a rest", {"4c 4: 4d"}, 700, nullptr, 0},
        {"inside a tie chain", {"4c+[ 4c+ 4c+] 4d"}, 700, nullptr, 0},
        {"inside a slur", {"4c( 4d+ 4e) 4f"}, 700, nullptr, 0},
        {"during the wheel message of a quarter tone", {"4c 4d+ 4e"}, -1, "E0 00 50", 0},
        {"between the centred wheel and the note-off", {"4c+ 4d"}, -1, "E0 00 40", 0},
        {"as a tempo record inside a tie chain is due",
         {"4c+[", "*t[60]", "4c+]", "4d"},
         500,
         nullptr,
         0},
        {"after an instrument record", {"4c", "*i[40]", "4d+ 4e"}, -1, "C0 28", 0},
    };
    for (const auto& c : cases)
        for (const int32_t channel : {0, 9}) {
            FakeTime time;
            const int32_t origin = time.now;
            cGnsPlay* player = nullptr;
            int seen = 0;
            RecordingMidiOut dev(time.clock(), [&](const TimedShortMsg& m) {
                if (c.onMsg && shortMsgText(m.msg & ~0x0Fu) == c.onMsg && seen++ == c.nth)
                    player->stopPlaying();
            });
            cGnsPlay play(dev, time.pump(), time.clock());
            player = &play;
            time.onPump = [&](int32_t now) {
                if (c.atMs >= 0 && now - origin >= c.atMs)
                    play.stopPlaying();
            };
            StopSeen stop;
            play.setListener(&stop);
            Lines score{"**n[a-b-c]"};
            score.insert(score.end(), c.score.begin(), c.score.end());
            const auto parser = notaro::testing::parseScore(score);
            EXPECT_EQ(play.play(*parser, 0, parser->nNotes() - 1, 1.0f, channel, 100, -1), 0);
            EXPECT_TRUE(stop.aborted) << c.what;
            EXPECT_FALSE(dev.isOpen()) << c.what;
            std::vector<uint32_t> sent; // read without the device's own bookkeeping
            for (const TimedShortMsg& m : dev.messages())
                sent.push_back(m.msg);
            EXPECT_EQ(notaro::testing::leftSounding(sent), "") << c.what << ", channel " << channel;
        }
}
