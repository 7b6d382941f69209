#include "tests/score/ParseHelpers.h"

#include <gtest/gtest.h>

using namespace notaro;
using namespace notaro::testing;

namespace {

/// One digit per record of the given field, for example "231".
std::string digits(const cTParse& p, uint8_t cGnsNote::*member) {
    std::string s;
    for (int32_t i = 0; i < p.nNotes(); ++i)
        s += static_cast<char>('0' + p.theNotes(i).*member);
    return s;
}

} // namespace

TEST(cTParseNotes, TokensOffsetsDurationsAndPitches) {
    cTParse p;
    ASSERT_EQ(parseBody(p, "  4c 4d."), kOk);
    EXPECT_EQ(places(p), "2+2 5+3 ");
    ASSERT_EQ(parseBody(p, "4c|4d,4e=4f^4g"), kOk);
    EXPECT_EQ(places(p), "0+2 3+2 6+2 9+2 12+2 ");
    ASSERT_EQ(parseBody(p, "12c 0c 4..c 1c 4.e- 16g# 2: 0: 99C~ 3.cc+ 4cx 4c''"), kOk);
    EXPECT_EQ(eachRecord(p, [](const cGnsNote& r) { return r.dur->toStr(); }),
              "1/12 2/1 7/16 1/1 3/8 1/16 1/2 2/1 1/99 1/2 1/4 1/4 ");
    EXPECT_FLOAT_EQ(p.theNotes(8).notePao->tMidi(), 47.5f);
    EXPECT_TRUE(p.theNotes(6).isRest());
    EXPECT_EQ(digits(p, &cGnsNote::staccatoLevel), "000000000001");
    ASSERT_EQ(parseText(p, crlf("**n[d-r-m];4r")), kOk);
    EXPECT_FLOAT_EQ(p.theNotes(0).notePao->tMidi(), 62); // the header's naming system
}

TEST(cTParseNotes, ErrorsReportTheFailingToken) {
    const char* const kMessages[] = {"Invalid note/rest",
                                     "Different pitches in a tie",
                                     "End of tie without a start of tie",
                                     "Start of tie inside another tie",
                                     "Start of slur inside another slur",
                                     "Start of slur inside a tie",
                                     "End of slur inside a tie",
                                     "End of slur without a start of slur",
                                     "Staccato inside a slur",
                                     "Staccato inside a tie"};
    const struct {
        const char* line;
        int32_t message, pos, len; // message: index into kMessages
    } cases[] = {{"4", 0, 0, 1},     {"c4", 0, 0, 2},          {"123c", 0, 0, 4},
                 {"4...c", 0, 0, 5}, {"4:(", 0, 0, 3},         {"4c 4H 4d", 0, 3, 2},
                 {"4c[]", 0, 0, 4},  {"2c[ 2d]", 1, 4, 3},     {"4c[ 4:", 1, 4, 2},
                 {"4c]", 2, 0, 3},   {"4c[ 4c[", 3, 4, 3},     {"4c( 4d(", 4, 4, 3},
                 {"4c[(", 5, 0, 4},  {"4b( 4c[ 4c)", 6, 8, 3}, {"4c)", 7, 0, 3},
                 {"4c'(", 8, 0, 4},  {"4c( 4d'", 8, 4, 3},     {"4c[' 4c]", 9, 0, 4}};
    for (const auto& t : cases)
        EXPECT_EQ(parseBody(t.line), (ParseOutcome{2, kMessages[t.message], t.pos, t.len}))
            << t.line;
    cTParse p;
    EXPECT_EQ(parseText(p, crlf("**n[d-r-m];4c")), (ParseOutcome{2, "Invalid note/rest", 0, 2}));
    // The record of the failing token is already in the list.
    EXPECT_EQ(std::get<1>(parseBody(p, "4c 4d]")), "End of tie without a start of tie");
    EXPECT_EQ(p.nNotes(), 2);
}

TEST(cTParseNotes, TieSlurAndStaccatoBits) {
    // Per record: the tie bits, the slur bits and the staccato level.
    const std::pair<const char*, const char*> cases[] = {
        {"2c[ 2c 2c]", "231 000 000"},   {"4c( 4: 4d)", "000 231 000"},
        {"4c( 4d[ 4d])", "021 231 000"}, {"4c[ 4c]( 4d)", "210 021 000"},
        {"4c( 4d')", "00 21 01"},        {"4c[ 4c]'", "21 00 01"},
        {"4c[[ 4c]]", "21 00 00"}};
    for (const auto& [line, bits] : cases) {
        const auto p = parsed(line);
        EXPECT_EQ(digits(*p, &cGnsNote::tie) + " " + digits(*p, &cGnsNote::slur) + " " +
                      digits(*p, &cGnsNote::staccatoLevel),
                  bits)
            << line;
    }
    // A tie runs across lines, comments and directives.
    const auto p = parsed("2g[;! held over;*t[90];2g 2g]");
    EXPECT_EQ(digits(*p, &cGnsNote::tie), "2031");
    EXPECT_EQ(p->theNotes(1).eventType, cGnsNote::kTempo);
}
