#include "midi/OnTimeRatio.h"
#include "midi/SmfStreamWriter.h"
#include "midi/TrackEventSink.h"
#include "tests/midi/midiTestSupport.h"

#include "tests/score/ParseHelpers.h"

using namespace notaro;
using namespace midiTest;
using notaro::testing::parsed;

namespace {

using V = std::vector<std::string>;

ScoreMidiOptions options(float timeScale, int32_t channel, int32_t instrument) {
    ScoreMidiOptions o;
    o.timeScale = timeScale;
    o.channel = channel;
    o.instrument = instrument;
    return o;
}

TEST(ScoreToMidiTest, EachNotationGivesItsEvents) {
    // After the program change of every track ("0 C0..."): "DELTA HEX" for channel messages (with
    // the data bytes a file holds) and "DELTA meta TYPE TEXT" for meta events.
    const struct {
        const char* body;
        V events;
        float timeScale = 1;
        int32_t instrument = -1;
        float ratio = 0; // every normal on-time ratio, when set
    } cases[] = {
        {"4c 4: 8d", {"0 903C7F", "182 803C00", "202 903E7F", "91 803E00"}},
        {"! nothing", {}},
        {"*t[90]\r\n4c", {"0 meta 81 \x0A\x2C\x2B", "0 903C7F", "182 803C00"}},
        // Tempos beyond the 24 bits of a tempo event are clamped instead of losing their top bits.
        {"*t[3]", {"0 meta 81 \xFF\xFF\xFF"}},
        {"*t[200000000]", {std::string("0 meta 81 \x00\x00\x01", 13)}},
        {"*t[1536]", {std::string("0 meta 81 \x00\x98\x96", 13)}}, // 39062.5: half to even
        {"4c[ 4c]", {"0 903C7F", "346 803C00"}},
        {"4c[ 4c 4c]", {"0 903C7F", "526 803C00"}},
        // A tie inside a slur: the slurred C is held, the tied D keeps the half-note ratio.
        {"4c( 4d[ 4d]) 4e",
         {"0 903C7F", "192 803C00", "0 903E7F", "346 803E00", "38 90407F", "182 804000"}},
        {"4c' 4d", {"0 903C7F", "86 803C00", "106 903E7F", "182 803E00"}},
        {"4c+ 4c", {"0 E00050", "0 903C7F", "182 803C00", "10 E00040", "0 903C7F", "182 803C00"}},
        // The wheel is left centred after a last quarter-tone note.
        {"4d~", {"0 E00050", "0 903D7F", "182 803D00", "10 E00040"}},
        // Meta comments take one tick of the pending time.
        {"4.:\r\n!!$5, la\r\n4c", {"1 meta 5 la", "287 903C7F", "182 803C00"}},
        {"4.:\r\n! la\r\n4c", {"288 903C7F", "182 803C00"}},
        {"4c\r\n!!$6, end\r\n!!$1,more",
         {"0 903C7F", "182 803C00", "10 meta 6 end", "0 meta 1 more"}},
        {"4c", {"0 903C7F", "365 803C00"}, 2},
        {"4c 4d'", {"0 903C7F", "96 803C00", "96 903E7F", "86 803E00"}, 1, -1, 0.5f},
        {"*i[40]\r\n4c", {"0 903C7F", "182 803C00"}, 1, 5},
        {"*i[40]\r\n4c", {"0 903C7F", "182 803C00"}, 1, 0},
        {"*i[40]\r\n4c", {"0 C028", "0 903C7F", "182 803C00"}},
    };
    for (const auto& c : cases) {
        tMidiF04 file;
        ScoreMidiOptions o = options(c.timeScale, 0, c.instrument);
        if (c.ratio > 0)
            o.ratios.normal.fill(c.ratio);
        ASSERT_EQ(buildScoreMidi(*parsed(c.body), o, file), MidiResult::Ok);
        EXPECT_EQ(file.midiHdrDivision(), 192);
        V events;
        const tMidiTrk& t = *file.tracks(0);
        for (int32_t i = 0; i < t.trkNEvents(); ++i) {
            const tMidiEvt& e = t.trkEvents(i);
            const auto first = static_cast<uint8_t>(e.eData[0]);
            events.push_back(
                std::to_string(e.deltaTick) + " " +
                (e.eType == 3
                     ? "meta " + std::to_string(first) + " " + e.eData.substr(1)
                     : midiU00::bytesToHex(e.eData.substr(0, (first & 0xE0) == 0xC0 ? 2 : 3))));
        }
        V expected = c.events;
        expected.insert(expected.begin(), c.instrument == 5 ? "0 C005" : "0 C000");
        EXPECT_EQ(events, expected) << c.body;
    }
}

TEST(ScoreToMidiTest, WrittenFileHasTheBytesOfTheFileObjectAndFailuresLeaveItAlone) {
    TempDir dir;
    const std::string path = dir.file("x.mid");
    tMidiF04 file;
    auto p = parsed("*t[90]\r\n!!$3, name\r\n4c+( 4d[ 4d]) 2.: 8e'\r\n!!$6, end");
    ASSERT_EQ(buildScoreMidi(*p, options(1.5f, 3, -1), file), MidiResult::Ok);
    ASSERT_EQ(scoreToMidiFile(path, *p, options(1.5f, 3, -1)), MidiResult::Ok);
    EXPECT_EQ(readBytes(path), file.makeMidiStr());
    p = parsed("4c");
    EXPECT_EQ(scoreToMidiFile(path, *p, options(1.0f, 16, -1)), MidiResult::ConversionFailed);
    EXPECT_EQ(scoreToMidiFile(path, *p, options(1.0f, 0, 200)), MidiResult::ConversionFailed);
    EXPECT_EQ(readBytes(path), file.makeMidiStr());
    EXPECT_EQ(buildScoreMidi(*parsed("0c"), options(3e7f, 0, -1), file),
              MidiResult::ConversionFailed);
}

// Over tables whose entries are their own indices, every expected ratio shows where between the
// table points it lies: 8/3 a third of the way from 2 to 4; beyond a double whole note or a 128th
// the end entries.
TEST(OnTimeRatio, InterpolatesInTheReciprocalBetweenNoteValues) {
    OnTimeRatios ratios;
    for (size_t i = 0; i < ratios.normal.size(); ++i) {
        ratios.normal[i] = static_cast<float>(i);
        ratios.staccato[i] = 10.0f + static_cast<float>(i);
    }
    const struct {
        int32_t n, d;
        uint8_t staccato;
        float expected;
    } cases[] = {{1, 4, 0, 3},    {2, 1, 0, 0},      {1, 128, 0, 8},
                 {1, 4, 1, 13},   {1, 12, 0, 4.5f},  {3, 8, 0, 2 + 1.0f / 3},
                 {1, 256, 1, 18}, {0, 1, 0, 0.875f}, {0, 1, 1, 0.5f}};
    for (const auto& c : cases)
        EXPECT_FLOAT_EQ(onTimeRatio(cDuration(c.n, c.d), c.staccato, ratios), c.expected)
            << c.n << "/" << c.d << " staccato " << int(c.staccato);
}

} // namespace

TEST(ScoreToMidiTest, StreamWriterEncodesEveryDeltaLengthAsTheTrackObjectDoes) {
    tMidiF04 file;
    file.setMidiHdrDivision(kScoreMidiDivision);
    TrackEventSink track(*file.tracks(0));
    SmfStreamWriter stream(kScoreMidiDivision);
    for (MidiEventSink* sink : std::initializer_list<MidiEventSink*>{&track, &stream}) {
        for (int32_t delta : {0, 127, 128, 16383, 16384, 2097151, 2097152, 268435455}) {
            sink->channelMessage(delta, 0x90, 60, 64);
            sink->channelMessage(delta, 0xC0, 5, 0);
            sink->metaEvent(delta, 0x01, "x");
        }
    }
    EXPECT_EQ(midiU00::bytesToHex(stream.finish()), midiU00::bytesToHex(file.makeMidiStr()));
}
