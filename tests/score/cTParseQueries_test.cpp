// Queries on the parsed record list.
#include "ParseHelpers.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace notaro;
using namespace notaro::testing;

TEST(cTParseQueries, PrevTempoAndInstrumentLookOnlyBefore) {
    cTParse p;
    // Records: tempo 90 (0), note (1), note (2), tempo 60 (3).
    ASSERT_EQ(parseBody(p, {"*t[90]", "4c 4d", "*t[60]"}), kOk);
    EXPECT_EQ(p.getPrevQNPM(0), 120);
    EXPECT_EQ(p.getPrevQNPM(1), 90);
    EXPECT_EQ(p.getPrevQNPM(3), 90);
    EXPECT_EQ(p.getPrevQNPM(4), 90);
    EXPECT_EQ(p.getPrevQNPM(100), 90);
    EXPECT_EQ(p.getPrevQNPM(-5), 120);
    EXPECT_EQ(p.getPrevInstrument(3), 0);

    ASSERT_EQ(parseBody(p, {"4c", "*i[40]", "4d", "*i[12]"}), kOk);
    EXPECT_EQ(p.getPrevInstrument(1), 0);
    EXPECT_EQ(p.getPrevInstrument(2), 40);
    EXPECT_EQ(p.getPrevInstrument(3), 40);
    EXPECT_EQ(p.getPrevQNPM(3), 120);
}

TEST(cTParseQueries, NoteOfLineAndCaret) {
    cTParse p;
    ASSERT_EQ(parseBody(p, {"4c 4d", "", "8e 8f"}), kOk);
    EXPECT_EQ(p.iNoteOfILine(1), 0);
    EXPECT_EQ(p.iNoteOfILine(3), 2);
    EXPECT_EQ(p.iNoteOfILine(5), -1);
    // Caret positions are 1-based columns.
    EXPECT_EQ(p.iNoteOfILineIPos(2, 1), 0);
    EXPECT_EQ(p.iNoteOfILineIPos(2, 3), 1);
    EXPECT_EQ(p.iNoteOfILineIPos(2, 6), 2); // end of the line: the next line's first note
    EXPECT_EQ(p.iNoteOfILineIPos(3, 1), 2);
    EXPECT_EQ(p.iNoteOfILineIPos(4, 5), 3);
    EXPECT_EQ(p.iNoteOfILineIPos(4, 6), -1);
}

TEST(cTParseQueries, DurationSums) {
    cTParse p;
    ASSERT_EQ(parseBody(p, {"4c 8d 12e 12f 12g"}), kOk);
    std::optional<cDuration> d;
    EXPECT_EQ(p.interNoteDur(0, 5, d), 0);
    EXPECT_EQ(d->toStr(), "5/8");
    EXPECT_EQ(p.interNoteDur(2, 2, d), 0);
    EXPECT_EQ(d->toStr(), "0/1");
    EXPECT_EQ(p.noteSeqDur(1, 2).toStr(), "5/24");
    EXPECT_EQ(p.noteSeqDur(3, 10).toStr(), "1/6");
    EXPECT_EQ(p.noteSeqDur(0, 0).toStr(), "0/1");
}

TEST(cTParseQueries, TieChainsAndRestRuns) {
    cTParse p;
    ASSERT_EQ(parseBody(p, {"2c[ 2c 2c] 4d 4: 4: 4e 2c[ 2c] 4d"}), kOk);
    EXPECT_EQ(p.numNoteParts(0), 3);
    EXPECT_EQ(p.numNoteParts(1), 2);
    EXPECT_EQ(p.numNoteParts(3), 1);
    EXPECT_EQ(p.numNoteParts(4), 2);
    EXPECT_EQ(p.numNoteParts(5), 1);
    EXPECT_EQ(p.numSeparateNotes(7, 3), 2);
    EXPECT_EQ(p.numSeparateNotes(0, 4), 2);
    EXPECT_EQ(p.numSeparateNotes(0, 1), 1);
    EXPECT_EQ(p.numSeparateNotes(0, 0), 1);
}

TEST(cTParseQueries, NoteToStr) {
    cTParse p;
    ASSERT_EQ(parseBody(p, {"", "", "", "", "", "4c( 4c[ 4c]) 2.: 8e'", "4..f~ 0.C# 12g 3.g"}),
              kOk);
    EXPECT_EQ(p.noteToStr(0, false), "4c s> d=1/4");
    EXPECT_EQ(p.noteToStr(1, false), "4c t> <s> d=1/4");
    EXPECT_EQ(p.noteToStr(1, false, true), "L7 4c t> <s> d=1/4");
    EXPECT_EQ(p.noteToStr(2, false), "4c <t <s d=1/4");
    EXPECT_EQ(p.noteToStr(3, false), "2.: d=3/4");
    EXPECT_EQ(p.noteToStr(4, false), "8e d=1/8");
    EXPECT_EQ(p.noteToStr(4, true), "8m d=1/8");
    EXPECT_EQ(p.noteToStr(5, false), "4..f~ d=7/16");
    EXPECT_EQ(p.noteToStr(6, false), "0.C# d=3/1");
    EXPECT_EQ(p.noteToStr(7, true), "12s d=1/12");
    EXPECT_EQ(p.noteToStr(8, false), "2g d=1/2"); // a dotted third is a half
}

TEST(cTParseQueries, QueriesOnDirectivesOrOutsideTheListFail) {
    cTParse p;
    ASSERT_EQ(parseBody(p, {"*t[100]", "4c"}), kOk);
    std::optional<cDuration> d;
    EXPECT_THROW(p.noteToStr(0, false), std::invalid_argument);
    EXPECT_THROW(p.numNoteParts(0), std::invalid_argument);
    EXPECT_THROW(p.interNoteDur(0, 2, d), std::invalid_argument);
    EXPECT_THROW(p.noteToStr(2, false), std::out_of_range);
    EXPECT_THROW(p.noteSeqDur(-1, 2), std::out_of_range);
}
