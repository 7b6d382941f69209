// Notes lines: tokens, separators, ties, slurs and staccato.
#include "ParseHelpers.h"

#include <gtest/gtest.h>

#include <vector>

using namespace notaro;
using namespace notaro::testing;

namespace {

std::vector<int> field(const cTParse& p, uint8_t cGnsNote::*member) {
    std::vector<int> v;
    for (int32_t i = 0; i < p.nNotes(); ++i)
        v.push_back(p.theNotes(i).*member);
    return v;
}

} // namespace

TEST(cTParseNotes, TokensAndTheirOffsets) {
    cTParse p;
    ASSERT_EQ(parseBody(p, {"  4c 4d"}), kOk);
    EXPECT_EQ(p.theNotes(0).noteCharNum, 2);
    EXPECT_EQ(p.theNotes(1).noteCharNum, 5);
    EXPECT_EQ(p.theNotes(1).noteStrLen, 2);
    ASSERT_EQ(parseBody(p, {"4c|4d,4e=4f^4g"}), kOk);
    ASSERT_EQ(p.nNotes(), 5);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(p.theNotes(i).noteCharNum, 3 * i);
}

TEST(cTParseNotes, DurationsAndPitches) {
    cTParse p;
    ASSERT_EQ(parseBody(p, {"12c 0c 4..c 1c 4.e- 16g# 2: 0: 99C~ 3.cc+ 4cx 4c''"}), kOk);
    std::vector<std::string> durations;
    for (int32_t i = 0; i < p.nNotes(); ++i)
        durations.push_back(p.theNotes(i).dur->toStr());
    EXPECT_EQ(durations, (std::vector<std::string>{"1/12", "2/1", "7/16", "1/1", "3/8", "1/16",
                                                   "1/2", "2/1", "1/99", "1/2", "1/4", "1/4"}));
    EXPECT_FLOAT_EQ(p.theNotes(4).notePao->tMidi(), 63);
    EXPECT_TRUE(p.theNotes(6).isRest());
    EXPECT_FLOAT_EQ(p.theNotes(8).notePao->tMidi(), 47.5f);
    EXPECT_FLOAT_EQ(p.theNotes(9).notePao->tMidi(), 72.5f);
    EXPECT_EQ(field(p, &cGnsNote::staccatoLevel).back(), 1);

    ASSERT_EQ(parseText(p, crlf({"**n[d-r-m]", "4d 4r 4m 4f 4s 4l 4t 4dd"})), kOk);
    std::vector<float> midi;
    for (int32_t i = 0; i < p.nNotes(); ++i)
        midi.push_back(p.theNotes(i).notePao->tMidi());
    EXPECT_EQ(midi, (std::vector<float>{60, 62, 64, 65, 67, 69, 71, 72}));
}

TEST(cTParseNotes, ErrorsReportTheFailingToken) {
    const struct {
        const char* line;
        const char* message;
        int32_t pos, len;
    } cases[] = {
        {"4", "Invalid note/rest", 0, 1},
        {"c4", "Invalid note/rest", 0, 2},
        {"123c", "Invalid note/rest", 0, 4},
        {"4...c", "Invalid note/rest", 0, 5},
        {"4:(", "Invalid note/rest", 0, 3},
        {"4c 4H 4d", "Invalid note/rest", 3, 2},
        {"4ccccccc", "Invalid note/rest", 0, 8},
        {"4c[]", "Invalid note/rest", 0, 4},
        {"4c()", "Invalid note/rest", 0, 4},
        {"2c[ 2d]", "Different pitches in a tie", 4, 3},
        {"2c[ 2c#]", "Different pitches in a tie", 4, 4},
        {"4c[ 4:", "Different pitches in a tie", 4, 2},
        {"4c]", "End of tie without a start of tie", 0, 3},
        {"4c[ 4c[", "Start of tie inside another tie", 4, 3},
        {"4c( 4d(", "Start of slur inside another slur", 4, 3},
        {"4c[(", "Start of slur inside a tie", 0, 4},
        {"4b( 4c[ 4c)", "End of slur inside a tie", 8, 3},
        {"4c)", "End of slur without a start of slur", 0, 3},
        {"4c'(", "Staccato inside a slur", 0, 4},
        {"4c( 4d'", "Staccato inside a slur", 4, 3},
        {"4c[' 4c]", "Staccato inside a tie", 0, 4},
    };
    for (const auto& t : cases) {
        cTParse p;
        EXPECT_EQ(parseBody(p, {t.line}), (ParseOutcome{2, t.message, t.pos, t.len})) << t.line;
    }
    cTParse p;
    EXPECT_EQ(parseText(p, crlf({"**n[d-r-m]", "4c"})),
              (ParseOutcome{2, "Invalid note/rest", 0, 2}));
    // The record of the failing token is already in the list.
    EXPECT_EQ(parseBody(p, {"4c 4d]"}).message, "End of tie without a start of tie");
    EXPECT_EQ(p.nNotes(), 2);
}

TEST(cTParseNotes, TieSlurAndStaccatoBits) {
    const struct {
        const char* line;
        std::vector<int> tie, slur, staccato;
    } cases[] = {
        {"2c[ 2c 2c]", {2, 3, 1}, {0, 0, 0}, {0, 0, 0}},
        {"4c( 4: 4d)", {0, 0, 0}, {2, 3, 1}, {0, 0, 0}},
        {"4c( 4d[ 4d])", {0, 2, 1}, {2, 3, 1}, {0, 0, 0}},
        {"4c[ 4c]( 4d)", {2, 1, 0}, {0, 2, 1}, {0, 0, 0}},
        {"4c( 4d')", {0, 0}, {2, 1}, {0, 1}},
        {"4c[ 4c]'", {2, 1}, {0, 0}, {0, 1}},
        {"4c[[ 4c]]", {2, 1}, {0, 0}, {0, 0}},
    };
    for (const auto& t : cases) {
        cTParse p;
        ASSERT_EQ(parseBody(p, {t.line}), kOk) << t.line;
        EXPECT_EQ(field(p, &cGnsNote::tie), t.tie) << t.line;
        EXPECT_EQ(field(p, &cGnsNote::slur), t.slur) << t.line;
        EXPECT_EQ(field(p, &cGnsNote::staccatoLevel), t.staccato) << t.line;
    }
}

TEST(cTParseNotes, TieRunsAcrossLinesCommentsAndDirectives) {
    cTParse p;
    ASSERT_EQ(parseBody(p, {"2g[", "! held over", "*t[90]", "2g 2g]"}), kOk);
    EXPECT_EQ(field(p, &cGnsNote::tie), (std::vector<int>{2, 0, 3, 1}));
    EXPECT_EQ(p.theNotes(1).eventType, cGnsNote::kTempo);
}
