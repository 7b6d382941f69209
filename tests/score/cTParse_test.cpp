#include "tests/score/ParseHelpers.h"

#include <gtest/gtest.h>

using namespace notaro;
using namespace notaro::testing;

TEST(cTParse, EmptyTextAndHeaders) {
    const char* const kIncorrect = "Incorrect header line";
    const struct {
        std::string text;
        int32_t line; // of the error, or 0 with the naming system in naming
        const char* message;
        tokens::NamingSystem naming = tokens::NamingSystem::LetterNames;
    } cases[] = {{"", 1, "Empty text"},
                 // A final CR LF makes one more, empty, line.
                 {crlf("!! a;   ;"), 3, "No header line"},
                 {"  **N[A-B-C]  ", 0, ""},
                 {"  **N[d-R-m]  ", 0, "", tokens::NamingSystem::Solfege},
                 {"**n[a-b-c] x", 1, kIncorrect},
                 {"**n[a-b-c]\n4c", 1, kIncorrect}, // only CR LF ends a line
                 {crlf("!! title;;**n[x-y-z]"), 3, kIncorrect},
                 {crlf("  !! note;**n[a-b-c]"), 1, kIncorrect}}; // "!!" not in column 1
    for (const auto& t : cases) {
        cTParse p;
        EXPECT_EQ(parseText(p, t.text), (ParseOutcome{t.line, t.message, 0, -1})) << t.text;
        EXPECT_EQ(p.namingSystem(), t.naming) << t.text;
    }
}

TEST(cTParse, CommentsAttachToTheNextRecordOrTheEnd) {
    const auto p = parsed("  ! first  ;!! second;*t[120];4c;! after one;4d;! tail 1;!!$T:tail 2");
    EXPECT_EQ(eachRecord(*p, [](const cGnsNote& r) { return "[" + r.preCommentLines.str() + "]"; }),
              "[! first\r\n!! second] [] [! after one] ");
    EXPECT_EQ(p->finalCommentLines(), "! tail 1\r\n!!$T:tail 2");
    EXPECT_EQ(metas(*p), "");
    // Meta comments are listed with the place of their text and the record they precede.
    EXPECT_EQ(metas(*parsed("!!$5, la la;4c;  !!$ 3 ,My tune ;!!$8, x;!!$x, y;4d;!!$7,é\tü;!!$1,")),
              "5 la la 2:6+5>0 | 3 My tune 4:9+7>1 | 7 é ü 8:5+3>-1 | 1  9:5+0>-1 | ");
}

TEST(cTParse, DirectivesIgnoredLinesOpenBowsAndOffsetsInCharacters) {
    const std::pair<const char*, int32_t> accepted[] = {
        {"*t[120]", 120}, {"*T[ 100 ]", 100}, {"*t[90.0]", 90}, {"*i[0]", 0}, {"*I[127]", 127}};
    for (auto [line, value] : accepted) {
        const cGnsNote r = parsed("4c;" + std::string(line))->theNotes(1);
        const bool tempo = (line[1] | 0x20) == 't';
        EXPECT_EQ(r.eventType, tempo ? cGnsNote::kTempo : cGnsNote::kInstrument) << line;
        EXPECT_EQ(r.xVal, value) << line;
        EXPECT_EQ(r.lineNum + r.noteLineNum + r.noteStrLen, 6) << line; // 3, 3 and 0
        EXPECT_FALSE(r.notePao.has_value() || r.dur.has_value());
    }
    const std::pair<const char*, std::vector<std::string>> refused[] = {
        {"Incorrect tempo", {"*t[0]", "*t[-60]", "*t[12.5]", "*t[fast]", "*t[3e9]"}},
        {"Incorrect instrument", {"*i[128]", "*i[-1]", "*i[1.5]", "*i[40000]"}},
        {"Invalid construct", {"*t120", "*x[1]", " ="}}};
    for (const auto& [message, lines] : refused)
        for (const std::string& line : lines)
            EXPECT_EQ(parseBody("4c;" + line), (ParseOutcome{3, message, 0, -1})) << line;
    cTParse p;
    ASSERT_EQ(parseBody(p, "=;===== 4c;.;4c"), kOk);
    EXPECT_EQ(p.nNotes(), 1);
    EXPECT_EQ(parseBody(p, "4c[;"),
              (ParseOutcome{3, "Reached end of file while a tie is not closed", 0, -1}));
    EXPECT_EQ(parseBody(p, "4c(;4d"),
              (ParseOutcome{3, "Reached end of file while a slur is not closed", 0, -1}));
    EXPECT_EQ(parseBody(p, "4c\t4x"), (ParseOutcome{2, "Invalid note/rest", 3, 2}));
    // "é" and "♪" are two and three bytes in UTF-8 but one character each.
    ASSERT_EQ(parseBody(p, "4cé 4d 4e♪ 4f"), kOk);
    EXPECT_EQ(places(p), "0+3 4+2 7+3 11+2 ");
    EXPECT_EQ(parseBody(p, "4c«x» 4z"), (ParseOutcome{2, "Invalid note/rest", 6, 2}));
}

TEST(cTParse, ObjectIsReusableAndTheListGrowsInStepsOfAHundred) {
    cTParse p;
    ASSERT_EQ(parseBody(p, "*def[A];4c;*enddef;4c[;4c]"), kOk);
    // Nothing of the first parse (definitions, ties, records) leaks into the second.
    EXPECT_EQ(parseBody(p, "*usedef[A]"),
              (ParseOutcome{2, "Reference to unknown definition 'A'", 0, -1}));
    std::string line;
    for (int i = 0; i < 100; ++i)
        line += "4c ";
    ASSERT_EQ(parseBody(p, line), kOk);
    EXPECT_EQ(p.recordCapacity(), 100);
    EXPECT_EQ(p.theNotes(0).tie, 0);
    ASSERT_EQ(parseBody(p, line + ";8d"), kOk);
    EXPECT_EQ(p.recordCapacity(), 200);
    EXPECT_EQ(p.theNotes(99).noteCharNum, 297);
    EXPECT_EQ(p.theNotes(100).dur->toStr(), "1/8");
    EXPECT_THROW(p.theNotes(101), std::out_of_range);
}
