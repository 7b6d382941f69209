#include "cNotePAO.h"

#include <gtest/gtest.h>

using notaro::cNotePAO;

namespace {

struct PitchCase {
    const char* text;
    bool doRe;
    int32_t used;
    float midi; // checked when used > 0
};

void PrintTo(const PitchCase& c, std::ostream* os) { *os << c.text; }

class cNotePAORead : public ::testing::TestWithParam<PitchCase> {};

TEST_P(cNotePAORead, ReadsPitchAndMidiNumber)
{
    const PitchCase& t = GetParam();
    cNotePAO p;
    EXPECT_EQ(p.fromStr(t.text, t.doRe), t.used) << t.text;
    if (t.used > 0) {
        EXPECT_FLOAT_EQ(p.tMidi(), t.midi) << t.text;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Letters, cNotePAORead,
    ::testing::Values(PitchCase{"c", false, 1, 60}, PitchCase{"C", false, 1, 48},
                      PitchCase{"CCCC", false, 4, 12}, PitchCase{"ccccc#", false, 6, 109},
                      PitchCase{"a", false, 1, 69}, PitchCase{"c~", false, 2, 59.5f},
                      PitchCase{"c+", false, 2, 60.5f}, PitchCase{"c-", false, 2, 59},
                      PitchCase{"B-", false, 2, 58}, PitchCase{"cn", false, 2, 60},
                      PitchCase{"cN", false, 1, 60}, PitchCase{"cC", false, 1, 60},
                      PitchCase{"e", false, 1, 64}, PitchCase{"f", false, 1, 65},
                      PitchCase{"CCCCC", false, -1, 0}, PitchCase{"cccccc", false, -1, 0},
                      PitchCase{"H", false, -1, 0}, PitchCase{"x", false, -1, 0},
                      PitchCase{"", false, -1, 0}, PitchCase{"S", false, -1, 0},
                      PitchCase{"\xC3\xA9", false, -1, 0}));

INSTANTIATE_TEST_SUITE_P(Solfege, cNotePAORead,
                         ::testing::Values(PitchCase{"d", true, 1, 60}, PitchCase{"s", true, 1, 67},
                                           PitchCase{"T", true, 1, 59}, PitchCase{"C", true, -1, 0},
                                           PitchCase{"rr#", true, 3, 75}));

TEST(cNotePAO, NewObjectIsMiddleC)
{
    cNotePAO p;
    EXPECT_EQ(p.pitch, 0);
    EXPECT_EQ(p.accidental, 2);
    EXPECT_EQ(p.octave, 4);
    EXPECT_EQ(p.toStr(false), "c");
    EXPECT_EQ(p.toStr(true), "d");
}

TEST(cNotePAO, ToStrWritesOctaveByCaseAndRepetition)
{
    cNotePAO p;
    p.pitch = 6;
    p.accidental = 0;
    p.octave = 2;
    EXPECT_EQ(p.toStr(false), "BB-");
    p.octave = 8;
    p.accidental = 3;
    EXPECT_EQ(p.toStr(false), "bbbbb+");
    EXPECT_EQ(p.toStr(true), "ttttt+");
    p.octave = 9;
    EXPECT_EQ(p.toStr(false), "");
}

TEST(cNotePAO, EveryWritablePitchReadsBack)
{
    for (bool doRe : {false, true})
        for (uint8_t pitch = 0; pitch < 7; ++pitch)
            for (uint8_t acc = 0; acc < 5; ++acc)
                for (uint8_t oct = 0; oct <= 8; ++oct) {
                    cNotePAO p;
                    p.pitch = pitch;
                    p.accidental = acc;
                    p.octave = oct;
                    const std::string s = p.toStr(doRe);
                    cNotePAO q;
                    ASSERT_EQ(q.fromStr(s, doRe), static_cast<int32_t>(s.size())) << s;
                    EXPECT_TRUE(q.isEqualTo(p)) << s;
                }
}

TEST(cNotePAO, RestAndEquality)
{
    cNotePAO rest;
    rest.pitch = cNotePAO::kRest;
    EXPECT_TRUE(rest.isRest());
    EXPECT_EQ(rest.toStr(false), "");
    cNotePAO cSharp, dFlat;
    cSharp.fromStr("c#", false);
    dFlat.fromStr("d-", false);
    EXPECT_FLOAT_EQ(cSharp.tMidi(), dFlat.tMidi());
    EXPECT_FALSE(cSharp.isEqualTo(dFlat));
    cNotePAO copy;
    copy.cpy(cSharp);
    EXPECT_TRUE(copy.isEqualTo(cSharp));
}

TEST(cNotePAO, TableHelpers)
{
    EXPECT_EQ(cNotePAO::letterIndex(" g ", false), 4);
    EXPECT_EQ(cNotePAO::letterIndex("gg", false), 127);
    EXPECT_EQ(cNotePAO::letterIndex("l", true), 5);
    EXPECT_EQ(cNotePAO::letterOf(7, false), "");
    EXPECT_EQ(cNotePAO::letterOf(2, true), "M");
    EXPECT_EQ(cNotePAO::accidentalIndex("N"), 127);
    EXPECT_EQ(cNotePAO::accidentalIndex("#"), 4);
    EXPECT_EQ(cNotePAO::accidentalOf(1), "~");
    EXPECT_EQ(cNotePAO::accidentalOf(5), "");
}

} // namespace
