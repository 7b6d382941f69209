// Score-to-MIDI conversion: the events written for notes, rests, ties, slurs, staccato,
// quarter tones, tempo, instruments and meta comments.
#include "OnRatios.h"
#include "ScoreToMidi.h"
#include "midiTestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>

using namespace notaro;

namespace {

/// Each event as "DELTA HEX" for channel messages and "DELTA meta TYPE TEXT" for meta events.
std::vector<std::string> events(const tMidiF04& file) {
    std::vector<std::string> out;
    const tMidiTrk& t = *file.tracks(0);
    for (int32_t i = 0; i < t.trkNEvents(); ++i) {
        const tMidiEvt& e = t.trkEvents(i);
        std::string s = std::to_string(e.deltaTick) + " ";
        if (e.eType == 3) {
            s += "meta " + std::to_string(static_cast<uint8_t>(e.eData[0])) + " " +
                 e.eData.substr(1);
        } else {
            // Program changes carry one data byte; the stored third byte is not written.
            const auto status = static_cast<uint8_t>(e.eData[0]);
            const size_t size = (status & 0xE0) == 0xC0 ? 2 : e.eData.size();
            char buf[4];
            for (unsigned char c : e.eData.substr(0, size)) {
                std::snprintf(buf, sizeof buf, "%02X", c);
                s += buf;
            }
        }
        out.push_back(s);
    }
    return out;
}

std::vector<std::string> convert(const std::string& body, float timeScale = 1.0f,
                                 int32_t instrument = -1) {
    cTParse p;
    std::string msg;
    int32_t pos = 0, len = 0;
    std::string text = "**n[a-b-c]\r\n" + body;
    EXPECT_EQ(p.parseAramText(text, msg, pos, len), 0) << msg;
    tMidiF04 file;
    EXPECT_EQ(buildScoreMidi(p, timeScale, 0, instrument, file), 0);
    EXPECT_EQ(file.midiHdrDivision(), 192);
    return events(file);
}

using V = std::vector<std::string>;

class ScoreToMidiTest : public ::testing::Test {
protected:
    void SetUp() override { defaultOnRatios(onRatioNormal, onRatioStaccato); }
};

} // namespace

TEST_F(ScoreToMidiTest, WorkedExample) {
    EXPECT_EQ(convert("4c 4: 8d"),
              (V{"0 C000", "0 903C7F", "182 803C00", "202 903E7F", "91 803E00"}));
}

TEST_F(ScoreToMidiTest, EmptyScoreHasOnlyTheProgram) {
    EXPECT_EQ(convert("! nothing"), (V{"0 C000"}));
}

TEST_F(ScoreToMidiTest, TempoEvents) {
    EXPECT_EQ(convert("*t[90]\r\n4c"),
              (V{"0 C000", "0 meta 81 \x0A\x2C\x2B", "0 903C7F", "182 803C00"}));
    // Tempos beyond the 24 bits of a tempo event are clamped instead of losing their top bits.
    EXPECT_EQ(convert("*t[3]")[1], "0 meta 81 \xFF\xFF\xFF");
    EXPECT_EQ(convert("*t[100000000]")[1], std::string("0 meta 81 \x00\x00\x01", 13));
}

TEST_F(ScoreToMidiTest, TiesJoinIntoOneNote) {
    EXPECT_EQ(convert("4c[ 4c]"), (V{"0 C000", "0 903C7F", "346 803C00"}));
    // A tie inside a slur: the slurred C is held, the tied D keeps the half-note ratio.
    EXPECT_EQ(convert("4c( 4d[ 4d]) 4e"), (V{"0 C000", "0 903C7F", "192 803C00", "0 903E7F",
                                             "346 803E00", "38 90407F", "182 804000"}));
}

TEST_F(ScoreToMidiTest, SlurAndStaccato) {
    EXPECT_EQ(convert("4c( 4d)"),
              (V{"0 C000", "0 903C7F", "192 803C00", "0 903E7F", "182 803E00"}));
    EXPECT_EQ(convert("4c' 4d"),
              (V{"0 C000", "0 903C7F", "86 803C00", "106 903E7F", "182 803E00"}));
}

TEST_F(ScoreToMidiTest, QuarterTonesUseThePitchWheel) {
    EXPECT_EQ(convert("4c+ 4c"), (V{"0 C000", "0 E00050", "0 903C7F", "182 803C00", "10 E00040",
                                    "0 903C7F", "182 803C00"}));
    // The wheel is left centred after a last quarter-tone note.
    EXPECT_EQ(convert("4d~"), (V{"0 C000", "0 E00050", "0 903D7F", "182 803D00", "10 E00040"}));
}

TEST_F(ScoreToMidiTest, MetaCommentsTakeOneTickOfThePendingTime) {
    EXPECT_EQ(convert("4.:\r\n!!$5, la\r\n4c"),
              (V{"0 C000", "1 meta 5 la", "287 903C7F", "182 803C00"}));
    EXPECT_EQ(convert("4.:\r\n! la\r\n4c"), (V{"0 C000", "288 903C7F", "182 803C00"}));
    EXPECT_EQ(convert("4c\r\n!!$6, end\r\n!!$1,more"),
              (V{"0 C000", "0 903C7F", "182 803C00", "10 meta 6 end", "0 meta 1 more"}));
}

TEST_F(ScoreToMidiTest, TimeScaleAndInstruments) {
    EXPECT_EQ(convert("4c", 2.0f), (V{"0 C000", "0 903C7F", "365 803C00"}));
    EXPECT_EQ(convert("*i[40]\r\n4c", 1.0f, 5), (V{"0 C005", "0 903C7F", "182 803C00"}));
    EXPECT_EQ(convert("*i[40]\r\n4c", 1.0f, -1), (V{"0 C000", "0 C028", "0 903C7F", "182 803C00"}));
}

TEST(ParseMetaComment, AcceptsTypesOneToSeven) {
    struct Case {
        const char* line;
        bool ok;
        int32_t type;
        const char* text;
    } cases[] = {{"!!$5, la la", true, 5, "la la"}, {"!!$ 3 ,My tune", true, 3, "My tune"},
                 {"\t!!$1,\tx ", true, 1, "x"},     {"!!$7,", true, 7, ""},
                 {"!!$2.4, r", true, 2, "r"},       {"!!$8, x", false, 0, ""},
                 {"!!$, x", false, 0, ""},          {"!!$x, y", false, 0, ""},
                 {"! $5, x", false, 0, ""},         {"!!$5 x", false, 0, ""}};
    for (const Case& c : cases) {
        int32_t type = 0;
        std::string text;
        EXPECT_EQ(parseMetaComment(c.line, type, text), c.ok) << c.line;
        if (c.ok) {
            EXPECT_EQ(type, c.type) << c.line;
            EXPECT_EQ(text, c.text) << c.line;
        }
    }
}

TEST_F(ScoreToMidiTest, BadArgumentsFailWithoutTouchingAnExistingFile) {
    midiTest::TempDir dir;
    const std::string path = dir.file("keep.mid");
    midiTest::writeBytes(path, "old contents");
    cTParse p;
    std::string msg;
    int32_t pos = 0, len = 0;
    ASSERT_EQ(p.parseAramText("**n[a-b-c]\r\n4c", msg, pos, len), 0);
    EXPECT_EQ(scoreToMidiFile(path, p, 1.0f, 16, -1), -9999);
    EXPECT_EQ(scoreToMidiFile(path, p, 1.0f, 0, 200), -9999);
    EXPECT_EQ(midiTest::readBytes(path), "old contents");
    EXPECT_EQ(scoreToMidiFile(dir.file("no/such/folder/x.mid"), p, 1.0f, 0, -1), -7);
    EXPECT_EQ(scoreToMidiFile(path, p, 1.0f, 0, -1), 0);
    EXPECT_EQ(midiTest::readBytes(path).substr(0, 4), "MThd");
}

TEST_F(ScoreToMidiTest, TickOverflowFails) {
    cTParse p;
    std::string msg;
    int32_t pos = 0, len = 0;
    ASSERT_EQ(p.parseAramText("**n[a-b-c]\r\n0c", msg, pos, len), 0);
    tMidiF04 file;
    EXPECT_EQ(buildScoreMidi(p, 3e7f, 0, -1, file), -9999);
}

TEST_F(ScoreToMidiTest, WrittenFileHasTheBytesOfTheFileObject) {
    midiTest::TempDir dir;
    const std::string path = dir.file("x.mid");
    for (const char* body : {"*t[90]\r\n!!$3, name\r\n4c+( 4d[ 4d]) 2.: 8e'\r\n!!$6, end", "! none",
                             "*i[40]\r\n0c~ 99d#"}) {
        cTParse p;
        std::string msg;
        int32_t pos = 0, len = 0;
        ASSERT_EQ(p.parseAramText(std::string("**n[a-b-c]\r\n") + body, msg, pos, len), 0) << msg;
        tMidiF04 file;
        ASSERT_EQ(buildScoreMidi(p, 1.5f, 3, -1, file), 0);
        ASSERT_EQ(scoreToMidiFile(path, p, 1.5f, 3, -1), 0);
        EXPECT_EQ(midiTest::readBytes(path), file.makeMidiStr()) << body;
    }
}
