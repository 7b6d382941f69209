#include "tests/score/ParseHelpers.h"

#include <gtest/gtest.h>

#include <vector>

using namespace notaro;
using namespace notaro::testing;

namespace {

/// The pitch of each record with the line of the record and the line of its own text.
std::string expansion(const cTParse& p) {
    return eachRecord(p, [](const cGnsNote& r) {
        return r.notePao->toStr(false) + std::to_string(r.lineNum) + ":" +
               std::to_string(r.noteLineNum);
    });
}

/// Ten definitions each using the previous one 32767 times: far more notes than any score needs.
std::string explosiveScore(const std::string& body) {
    std::string text = "*def[D0];" + body + ";*enddef;";
    for (int i = 1; i < 10; ++i)
        text += "*def[D" + std::to_string(i) + "];*usedef[D" + std::to_string(i - 1) +
                ":32767];*enddef;";
    return text + "4c;*usedef[D9:32767];";
}

} // namespace

// Body lines are separated by ";"; A is a one-note definition on lines 2 to 4.
const std::string kA = "*def[A];4c;*enddef;";

TEST(cTParseDefinitions, UsesExpandWithTheUseLineNumber) {
    // body, expansion: pitch, line of the record, line of its text
    const std::pair<std::string, const char*> cases[] = {
        {"*def[A];4c 4d;*enddef;*usedef[A:2]", "c5:3 d5:3 c5:3 d5:3 "},
        {"*DEF[A];4c;*EndDef;*usedef[ a : 3 ]", "c5:3 c5:3 c5:3 "},
        {kA + "*def[B];8d;*usedef[A:2];*enddef;*usedef[B:2]", "d9:6 c9:3 c9:3 d9:6 c9:3 c9:3 "},
        // Using the same definition twice in a row is not a cycle.
        {kA + "*def[B];*usedef[A];*usedef[A];*enddef;*usedef[B:2]", "c9:3 c9:3 c9:3 c9:3 "},
        // A blank body and a definition left open produce nothing.
        {"*def[A];;*enddef;*usedef[A:5];4c", "c6:6 "},
        {"4c;*def[A];4d;4x;*usedef[A]", "c2:2 "}};
    for (const auto& [body, want] : cases) {
        EXPECT_EQ(expansion(*parsed(body)), want) << body;
    }
    // A meta comment in a body is listed at every use, as its record's comments repeat.
    const auto m = parsed("*def[A];!!$6, m;4c;*enddef;*usedef[A:2];!!$1,x");
    EXPECT_EQ(metas(*m), "6 m 3:6+1>0 | 6 m 3:6+1>1 | 1 x 7:5+1>-1 | ");
    EXPECT_EQ(m->metaCommentLines().size(), 2u); // each use names the one body line
    const auto p = parsed("*def[A];4c 4c[;*enddef;*usedef[A];4c]");
    EXPECT_EQ(p->theNotes(1).noteCharNum, 3);
    EXPECT_EQ(p->theNotes(1).tie, cGnsNote::kBowToNext); // the tie runs through the expansion
    EXPECT_EQ(p->theNotes(2).tie, cGnsNote::kBowFromPrevious);
}

TEST(cTParseDefinitions, ErrorsAreReportedOnTheTopLevelLine) {
    // message, bodies with the line reported
    const std::pair<const char*, std::vector<std::pair<std::string, int32_t>>> cases[] = {
        {"Invalid construct",
         {{kA + "*usedef[A:0]", 5},
          {kA + "*usedef[A:x]", 5},
          {kA + "*usedef[A:40000]", 5},
          {"*def[", 2},
          {"*enddef now", 2}}},
        {"Reference to unknown definition ':2'", {{kA + "*usedef[:2]", 5}}},
        {"Reference to unknown definition 'A'", {{"*usedef[A];" + kA, 2}}},
        {"Null definition", {{"*def[A];*enddef", 3}}},
        {"The definition 'a' was defined before", {{kA + "*def[a];4d;*enddef", 5}}},
        {"*EndDef without *def", {{"4c;*enddef", 3}, {"*def[A];*def[B];4c;*enddef;*enddef", 6}}},
        {"Invalid note/rest", {{"*def[A];4c;4x;*enddef;;*usedef[A]", 7}}},
        // A definition can only name definitions made before the line that uses it, so a
        // cycle needs a use line inside a body that is expanded later.
        {"The definition 'A' uses itself", {{"*def[A];4c;*usedef[A];*enddef;*usedef[A]", 6}}},
        {"The definition 'B' uses itself",
         {{"*def[A];4c;*usedef[b];*enddef;*def[B];*usedef[A];*enddef;*usedef[B]", 9}}}};
    for (const auto& [message, bodies] : cases)
        for (const auto& [body, line] : bodies)
            EXPECT_EQ(parseBody(body), (ParseOutcome{line, message, 0, -1})) << body;
}

TEST(cTParseDefinitions,
     RunawayExpansionsStopAtTheirLimitsCountingEveryLineAndKeepingTheTokenRange) {
    cTParse p;
    EXPECT_EQ(parseBody(p, explosiveScore("! " + std::string(2000, 'x'))),
              (ParseOutcome{
                  33, "Too many comment lines: the score would hold more than 64 MB of comments", 0,
                  -1}));
    EXPECT_EQ(p.nNotes(), 1);
    // Two comment lines of 1 KiB with their line ends, 32768 times: exactly the limit.
    const std::string kib = "!" + std::string(1021, 'x');
    const std::string full = "*def[A];" + kib + ";" + kib + ";*enddef;*usedef[A:32767];*usedef[A]";
    EXPECT_EQ(parseBody(p, full), kOk);
    EXPECT_EQ(std::get<0>(parseBody(p, full + ";!")), 8);
    // Each pass of A is eight lines with a note on the second; each pass of B is its use line
    // and 32767 passes of A. The 16000000th line is the note of pass 1206 of A in the 62nd
    // pass of B, so 61 * 32767 + 1206 notes are made before the limit stops the expansion.
    EXPECT_EQ(parseBody(p, "*def[A];.;4c;.;.;.;.;.;.;*enddef;*def[B];*usedef[A:32767];*enddef;"
                           "*usedef[B:32767]"),
              (ParseOutcome{
                  15, "Too many lines: the definitions would expand to more than 16000000 lines", 0,
                  -1}));
    EXPECT_EQ(p.nNotes(), 61 * 32767 + 1206);
    std::string text = "*def[A];4c;*enddef;";
    for (int i = 0; i < 122; ++i)
        text += "*usedef[A:32767];";
    // Lines 5..126 make 3997574 records; line 127 fills the list and then asks for one more.
    const int32_t room = cTParse::kMaxRecords - 122 * 32767;
    for (int32_t i = 0; i < room; ++i)
        text += "4c ";
    EXPECT_EQ(parseBody(p, text + "8e"),
              (ParseOutcome{127,
                            "Too many notes: the score would make more than 4000000 notes, rests "
                            "and directives",
                            3 * room, 2}));
    EXPECT_EQ(p.nNotes(), cTParse::kMaxRecords);
}
