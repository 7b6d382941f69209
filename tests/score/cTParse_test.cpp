// The document structure: lines, header, comments, directives and the parse driver.
#include "ParseHelpers.h"

#include <gtest/gtest.h>

using namespace notaro;
using namespace notaro::testing;

TEST(cTParse, EmptyTextAndHeaders) {
    cTParse p;
    EXPECT_EQ(parseText(p, ""), (ParseOutcome{1, "Empty text", 0, -1}));
    // A final CR LF makes one more, empty, line.
    EXPECT_EQ(parseText(p, crlf({"!! a", "   ", ""})), (ParseOutcome{3, "No header line", 0, -1}));
    // Only CR LF ends a line: a lone LF stays inside the header line.
    EXPECT_EQ(parseText(p, "**n[a-b-c]\n4c"), (ParseOutcome{1, "Incorrect header line", 0, -1}));

    const struct {
        std::string text;
        int32_t line;   // 0: accepted
        int32_t naming; // when accepted
    } cases[] = {{"  **N[A-B-C]  ", 0, 0},
                 {"\t**n[d-r-m]", 0, 1},
                 {"**n[a-b-c] x", 1, 0},
                 {crlf({"!! title", "", "**n[x-y-z]"}), 3, 0},
                 {crlf({"  !! note", "**n[a-b-c]"}), 1, 0}, // blanks before "!!": not skipped
                 {crlf({"! note", "**n[a-b-c]"}), 1, 0}};
    for (const auto& t : cases) {
        const ParseOutcome o = parseText(p, t.text);
        if (t.line == 0) {
            EXPECT_EQ(o, kOk) << t.text;
            EXPECT_EQ(p.namingSystem(), t.naming) << t.text;
        } else {
            EXPECT_EQ(o, (ParseOutcome{t.line, "Incorrect header line", 0, -1})) << t.text;
        }
    }
}

TEST(cTParse, CommentsAttachToTheNextRecordOrTheEnd) {
    cTParse p;
    ASSERT_EQ(parseBody(p, {"  ! first  ", "!! second", "*t[120]", "4c", "! after one", "4d",
                            "! tail 1", "!!$T:tail 2"}),
              kOk);
    ASSERT_EQ(p.nNotes(), 3);
    EXPECT_EQ(p.theNotes(0).preCommentLines, "! first\r\n!! second");
    EXPECT_EQ(p.theNotes(1).preCommentLines, "");
    EXPECT_EQ(p.theNotes(2).preCommentLines, "! after one");
    EXPECT_EQ(p.finalCommentLines(), "! tail 1\r\n!!$T:tail 2");
}

TEST(cTParse, TempoAndInstrumentDirectives) {
    const struct {
        const char* line;
        const char* error; // "" when accepted
        int32_t eventType, value;
    } cases[] = {{"*t[120]", "", 1, 120},
                 {"*T[ 100 ]", "", 1, 100},
                 {"*t[90.0]", "", 1, 90},
                 {"*i[0]", "", 2, 0},
                 {"*I[127]", "", 2, 127},
                 {"*t[0]", "Incorrect tempo", 0, 0},
                 {"*t[-60]", "Incorrect tempo", 0, 0},
                 {"*t[12.5]", "Incorrect tempo", 0, 0},
                 {"*t[fast]", "Incorrect tempo", 0, 0},
                 {"*t[3000000000]", "Incorrect tempo", 0, 0},
                 {"*i[128]", "Incorrect instrument", 0, 0},
                 {"*i[-1]", "Incorrect instrument", 0, 0},
                 {"*i[1.5]", "Incorrect instrument", 0, 0},
                 {"*i[40000]", "Incorrect instrument", 0, 0},
                 {"*t120", "Invalid construct", 0, 0},
                 {"*x[1]", "Invalid construct", 0, 0},
                 {" =", "Invalid construct", 0, 0}};
    for (const auto& t : cases) {
        cTParse p;
        const ParseOutcome o = parseBody(p, {"4c", t.line});
        if (*t.error) {
            EXPECT_EQ(o, (ParseOutcome{3, t.error, 0, -1})) << t.line;
            continue;
        }
        ASSERT_EQ(o, kOk) << t.line;
        const cGnsNote& r = p.theNotes(1);
        EXPECT_EQ(r.eventType, t.eventType) << t.line;
        EXPECT_EQ(r.xVal, t.value) << t.line;
        EXPECT_EQ(r.lineNum, 3);
        EXPECT_EQ(r.noteLineNum, 3);
        EXPECT_EQ(r.noteStrLen, 0);
        EXPECT_FALSE(r.notePao.has_value() || r.dur.has_value());
    }
}

TEST(cTParse, IgnoredLinesAndOpenBowsAtTheEnd) {
    cTParse p;
    ASSERT_EQ(parseBody(p, {"=", "===== 4c", ".", "4c"}), kOk);
    EXPECT_EQ(p.nNotes(), 1);
    EXPECT_EQ(parseBody(p, {"4c[", ""}),
              (ParseOutcome{3, "Reached end of file while a tie is not closed", 0, -1}));
    EXPECT_EQ(parseBody(p, {"4c(", "4d"}),
              (ParseOutcome{3, "Reached end of file while a slur is not closed", 0, -1}));
}

TEST(cTParse, OffsetsCountCharactersNotBytes) {
    cTParse p;
    EXPECT_EQ(parseBody(p, {"4c\t4x"}), (ParseOutcome{2, "Invalid note/rest", 3, 2}));
    // "é" and "♪" are two and three bytes in UTF-8 but one character each.
    ASSERT_EQ(parseBody(p, {"4cé 4d 4e♪ 4f"}), kOk);
    EXPECT_EQ(p.theNotes(0).noteStrLen, 3);
    EXPECT_EQ(p.theNotes(1).noteCharNum, 4);
    EXPECT_EQ(p.theNotes(3).noteCharNum, 11);
    EXPECT_EQ(parseBody(p, {"4c«x» 4z"}), (ParseOutcome{2, "Invalid note/rest", 6, 2}));
}

TEST(cTParse, ObjectIsReusableAcrossParses) {
    cTParse p;
    ASSERT_EQ(parseBody(p, {"*def[A]", "4c", "*enddef", "4c[", "4c]"}), kOk);
    // Nothing of the first parse (definitions, ties, records) leaks into the second.
    EXPECT_EQ(parseBody(p, {"*usedef[A]"}),
              (ParseOutcome{2, "Reference to unknown definition 'A'", 0, -1}));
    ASSERT_EQ(parseBody(p, {"4d"}), kOk);
    EXPECT_EQ(p.nNotes(), 1);
    EXPECT_EQ(p.theNotes(0).tie, 0);
}

TEST(cTParse, RecordListGrowsInStepsOfAHundred) {
    cTParse p;
    std::string line;
    for (int i = 0; i < 100; ++i)
        line += "4c ";
    ASSERT_EQ(parseBody(p, {line}), kOk);
    EXPECT_EQ(p.recordCapacity(), 100);
    ASSERT_EQ(parseBody(p, {line, "8d"}), kOk);
    EXPECT_EQ(p.recordCapacity(), 200);
    EXPECT_EQ(p.theNotes(99).noteCharNum, 297);
    EXPECT_EQ(p.theNotes(100).dur->toStr(), "1/8");
    EXPECT_THROW(p.theNotes(101), std::out_of_range);
}
