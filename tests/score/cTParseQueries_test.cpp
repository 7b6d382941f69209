#include "tests/score/ParseHelpers.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace notaro;
using namespace notaro::testing;

TEST(cTParseQueries, PrevTempoAndInstrumentLookOnlyBeforeAndLinesFindTheirNotes) {
    cTParse p;
    // Records: tempo 90 (0), note (1), note (2), tempo 60 (3).
    ASSERT_EQ(parseBody(p, "*t[90];4c 4d;*t[60]"), kOk);
    std::string tempos;
    for (int32_t i : {0, 1, 3, 4, 100, -5})
        tempos += std::to_string(p.getPrevQNPM(i)) + " ";
    EXPECT_EQ(tempos, "120 90 90 90 90 120 ");
    EXPECT_EQ(p.getPrevInstrument(3), cTParse::kDefaultInstrument);
    ASSERT_EQ(parseBody(p, "4c;*i[40];4d;*i[12]"), kOk);
    EXPECT_EQ(std::to_string(p.getPrevInstrument(1)) + std::to_string(p.getPrevInstrument(3)),
              "040");
    ASSERT_EQ(parseBody(p, "4c 4d;;8e 8f"), kOk);
    EXPECT_EQ(p.iNoteOfILine(3), 2);
    EXPECT_EQ(p.iNoteOfILine(5), cTParse::kNoRecord);
    // Caret positions are 1-based columns; the end of a line finds the next line's first note.
    const int32_t kNone = cTParse::kNoRecord;
    for (auto [line, column, note] :
         {std::tuple{2, 1, 0}, {2, 3, 1}, {2, 6, 2}, {3, 1, 2}, {4, 5, 3}, {4, 6, kNone}})
        EXPECT_EQ(p.iNoteOfILineIPos(line, column), note) << line << ":" << column;
}

TEST(cTParseQueries, DurationSumsTieChainsAndRestRuns) {
    cTParse p;
    ASSERT_EQ(parseBody(p, "4c 8d 12e 12f 12g"), kOk);
    std::optional<cDuration> d;
    EXPECT_EQ(p.interNoteDur(0, 5, d), SumResult::Ok);
    EXPECT_EQ(d->toStr(), "5/8");
    EXPECT_EQ(p.interNoteDur(2, 2, d), SumResult::Ok);
    EXPECT_EQ(d->toStr(), "0/1");
    EXPECT_EQ(p.noteSeqDur(1, 2).toStr() + " " + p.noteSeqDur(3, 10).toStr() + " " +
                  p.noteSeqDur(0, 0).toStr(),
              "5/24 1/6 0/1");

    ASSERT_EQ(parseBody(p, "2c[ 2c 2c] 4d 4: 4: 4e 2c[ 2c] 4d"), kOk);
    std::string parts;
    for (int32_t i : {0, 1, 3, 4, 5})
        parts += std::to_string(p.numNoteParts(i));
    EXPECT_EQ(parts, "32121");
    EXPECT_EQ(std::to_string(p.numSeparateNotes(7, 3)) + std::to_string(p.numSeparateNotes(0, 4)) +
                  std::to_string(p.numSeparateNotes(0, 1)) +
                  std::to_string(p.numSeparateNotes(0, 0)),
              "2211");
}

TEST(cTParseQueries, NoteToStrAndQueriesOnDirectivesOrOutsideTheListFail) {
    cTParse p;
    ASSERT_EQ(parseBody(p, ";;;;;4c( 4c[ 4c]) 2.: 8e';4..f~ 0.C# 12g 3.g 1.c"), kOk);
    const struct {
        int32_t note;
        bool doRe;
        const char* text;
    } cases[] = {{0, false, "4c s> d=1/4"},    {1, false, "4c t> <s> d=1/4"},
                 {2, false, "4c <t <s d=1/4"}, {3, false, "2.: d=3/4"},
                 {4, true, "8m d=1/8"},        {5, false, "4..f~ d=7/16"},
                 {6, false, "0.C# d=3/1"},     {7, true, "12s d=1/12"},
                 {8, false, "2g d=1/2"}, // a dotted third is a half
                 {9, false, "1.c d=3/2"}};
    for (const auto& t : cases)
        EXPECT_EQ(p.noteToStr(t.note, t.doRe), t.text);
    EXPECT_EQ(p.noteToStr(1, false, true), "L7 4c t> <s> d=1/4");
    ASSERT_EQ(parseBody(p, "*t[100];4c"), kOk);
    std::optional<cDuration> d;
    EXPECT_THROW(p.noteToStr(0, false), std::invalid_argument);
    EXPECT_THROW(p.numNoteParts(0), std::invalid_argument);
    EXPECT_THROW(p.interNoteDur(0, 2, d), std::invalid_argument);
    EXPECT_THROW(p.noteToStr(2, false), std::out_of_range);
    EXPECT_THROW(p.noteSeqDur(-1, 2), std::out_of_range);
}
