#include "score/cNotePAO.h"

#include <gtest/gtest.h>

using namespace notaro;

TEST(cNotePAO, ReadsPitchesInBothNamingSystems) {
    const struct {
        const char* text;
        bool doRe;
        int32_t used;
        float midi;
    } cases[] = {{"c", false, 1, 60},  {"C", false, 1, 48},     {"ccccc#", false, 6, 109},
                 {"a", false, 1, 69},  {"c~", false, 2, 59.5f}, {"c+", false, 2, 60.5f},
                 {"c-", false, 2, 59}, {"B-", false, 2, 58},    {"cn", false, 2, 60},
                 {"cN", false, 1, 60}, {"d", true, 1, 60},      {"s", true, 1, 67},
                 {"T", true, 1, 59},   {"rr#", true, 3, 75}};
    for (const auto& t : cases) {
        cNotePAO p;
        EXPECT_EQ(p.fromStr(t.text, t.doRe), t.used) << t.text;
        EXPECT_FLOAT_EQ(p.tMidi(), t.midi) << t.text;
    }
    for (const char* text : {"CCCCC", "cccccc", "H", "x", "", "S", "\xC3\xA9"})
        EXPECT_EQ(cNotePAO().fromStr(text, false), cNotePAO::kNoPitch) << text;
    EXPECT_EQ(cNotePAO().fromStr("C", true), cNotePAO::kNoPitch);
}

TEST(cNotePAO, WritesPitchesThatReadBackAndEnharmonicPitchesDiffer) {
    EXPECT_EQ((cNotePAO{6, 0, 2}.toStr(false)), "BB-");
    EXPECT_EQ((cNotePAO{6, 0, 9}.toStr(false) + cNotePAO{cNotePAO::kRest}.toStr(false)), "");
    EXPECT_TRUE(cNotePAO{cNotePAO::kRest}.isRest());
    for (bool doRe : {false, true})
        for (uint8_t pitch = 0; pitch < 7; ++pitch)
            for (uint8_t acc = 0; acc < 5; ++acc)
                for (uint8_t oct = 0; oct <= 8; ++oct) {
                    const cNotePAO a{pitch, acc, oct};
                    const std::string s = a.toStr(doRe);
                    cNotePAO b;
                    ASSERT_EQ(b.fromStr(s, doRe), static_cast<int32_t>(s.size())) << s;
                    EXPECT_TRUE(b.isEqualTo(a)) << s;
                }
    cNotePAO cSharp, dFlat;
    cSharp.fromStr("c#", false);
    dFlat.fromStr("d-", false);
    EXPECT_FLOAT_EQ(cSharp.tMidi(), dFlat.tMidi());
    EXPECT_FALSE(cSharp.isEqualTo(dFlat));
    EXPECT_EQ(cNotePAO::letterIndex(" g ", false), 4);
    EXPECT_EQ(cNotePAO::letterOf(7, false) + cNotePAO::accidentalOf(5), "");
}
