// Definitions: "*def[" ... "*enddef" blocks, "*usedef[" expansion, cycles and size limits.
#include "ParseHelpers.h"

#include <gtest/gtest.h>

#include <chrono>

using namespace notaro;
using namespace notaro::testing;

TEST(cTParseDefinitions, UseExpandsTheBodyWithTheUseLineNumber) {
    cTParse p;
    ASSERT_EQ(parseBody(p, {"*def[A]", "4c 4d", "*enddef", "*usedef[A:2]"}), kOk);
    ASSERT_EQ(p.nNotes(), 4);
    const char* names[] = {"c", "d", "c", "d"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(p.theNotes(i).notePao->toStr(false), names[i]);
        EXPECT_EQ(p.theNotes(i).lineNum, 5);
        EXPECT_EQ(p.theNotes(i).noteLineNum, 3);
    }
    EXPECT_EQ(p.theNotes(1).noteCharNum, 3);
}

TEST(cTParseDefinitions, UseLinesReadNameAndCount) {
    const struct {
        const char* use;
        int32_t records; // -1: an error
        const char* error;
    } cases[] = {{"*usedef[a]", 1, ""},
                 {"*usedef[ A : 3 ]", 3, ""},
                 {"*USEDEF[A:2.0]", 2, ""},
                 {"*usedef[A:0]", -1, "Invalid construct"},
                 {"*usedef[A:-1]", -1, "Invalid construct"},
                 {"*usedef[A:x]", -1, "Invalid construct"},
                 {"*usedef[A:40000]", -1, "Invalid construct"},
                 {"*usedef[:2]", -1, "Reference to unknown definition ':2'"},
                 {"*usedef[B]", -1, "Reference to unknown definition 'B'"}};
    for (const auto& t : cases) {
        cTParse p;
        const ParseOutcome o = parseBody(p, {"*DEF[A]", "4c", "*EndDef", t.use});
        if (t.records >= 0) {
            ASSERT_EQ(o, kOk) << t.use;
            EXPECT_EQ(p.nNotes(), t.records) << t.use;
        } else {
            EXPECT_EQ(o, (ParseOutcome{5, t.error, 0, -1})) << t.use;
        }
    }
}

TEST(cTParseDefinitions, DefinitionLineErrors) {
    cTParse p;
    EXPECT_EQ(parseBody(p, {"*usedef[A]", "*def[A]", "4c", "*enddef"}),
              (ParseOutcome{2, "Reference to unknown definition 'A'", 0, -1}));
    EXPECT_EQ(parseBody(p, {"*def[A]", "*enddef"}), (ParseOutcome{3, "Null definition", 0, -1}));
    EXPECT_EQ(parseBody(p, {"*def[A]", "4c", "*enddef", "*def[a]", "4d", "*enddef"}),
              (ParseOutcome{5, "The definition 'a' was defined before", 0, -1}));
    EXPECT_EQ(parseBody(p, {"4c", "*enddef"}), (ParseOutcome{3, "*EndDef without *def", 0, -1}));
    EXPECT_EQ(parseBody(p, {"*def[A]", "*def[B]", "4c", "*enddef", "*enddef"}),
              (ParseOutcome{6, "*EndDef without *def", 0, -1}));
    for (const char* bad : {"*def[", "*def[A", "*enddef now"})
        EXPECT_EQ(parseBody(p, {bad}), (ParseOutcome{2, "Invalid construct", 0, -1})) << bad;
}

TEST(cTParseDefinitions, BlankBodyAndOpenDefinitionProduceNothing) {
    cTParse p;
    ASSERT_EQ(parseBody(p, {"*def[A]", "", "*enddef", "*usedef[A:5]", "4c"}), kOk);
    EXPECT_EQ(p.nNotes(), 1);
    ASSERT_EQ(parseBody(p, {"4c", "*def[A]", "4d", "4x", "*usedef[A]"}), kOk);
    EXPECT_EQ(p.nNotes(), 1);
}

TEST(cTParseDefinitions, NestedUseIsExpandedOnlyWhenUsed) {
    cTParse p;
    ASSERT_EQ(parseBody(p, {"*def[A]", "4c", "*enddef", "*def[B]", "8d", "*usedef[A:2]", "*enddef",
                            "*usedef[B:2]"}),
              kOk);
    ASSERT_EQ(p.nNotes(), 6);
    std::string seq;
    for (int32_t i = 0; i < p.nNotes(); ++i) {
        seq += p.theNotes(i).notePao->toStr(false);
        EXPECT_EQ(p.theNotes(i).lineNum, 9);
    }
    EXPECT_EQ(seq, "dccdcc");
    EXPECT_EQ(p.theNotes(1).noteLineNum, 3);
    EXPECT_EQ(p.theNotes(0).noteLineNum, 6);
}

TEST(cTParseDefinitions, BodyErrorIsReportedOnTheUseLineWithoutRange) {
    cTParse p;
    EXPECT_EQ(parseBody(p, {"*def[A]", "4c", "4x", "*enddef", "", "", "", "*usedef[A]"}),
              (ParseOutcome{9, "Invalid note/rest", 0, -1}));
}

TEST(cTParseDefinitions, TieRunsThroughAnExpansion) {
    cTParse p;
    ASSERT_EQ(parseBody(p, {"*def[A]", "4c 4c[", "*enddef", "*usedef[A]", "4c]"}), kOk);
    EXPECT_EQ(p.theNotes(1).tie, 2);
    EXPECT_EQ(p.theNotes(2).tie, 1);
}

TEST(cTParseDefinitions, CyclesAreStoppedOnTheTopLevelLine) {
    cTParse p;
    // A definition can only name definitions made before the line that uses it, so a cycle
    // needs a use line inside a body that is expanded later.
    EXPECT_EQ(parseBody(p, {"*def[A]", "4c", "*usedef[A]", "*enddef", "*usedef[A]"}),
              (ParseOutcome{6, "The definition 'A' uses itself", 0, -1}));
    EXPECT_EQ(parseBody(p, {"*def[A]", "4c", "*usedef[b]", "*enddef", "*def[B]", "*usedef[A]",
                            "*enddef", "*usedef[B]"}),
              (ParseOutcome{9, "The definition 'B' uses itself", 0, -1}));
    // Using the same definition twice in a row is not a cycle.
    ASSERT_EQ(parseBody(p, {"*def[A]", "4c", "*enddef", "*def[B]", "*usedef[A]", "*usedef[A]",
                            "*enddef", "*usedef[B:2]"}),
              kOk);
    EXPECT_EQ(p.nNotes(), 4);
}

namespace {

/// Ten definitions each using the previous one 32767 times: far more notes than any score needs.
std::string explosiveScore(const std::string& body) {
    std::string text = "**n[a-b-c]\r\n*def[D0]\r\n" + body + "\r\n*enddef\r\n";
    for (int i = 1; i < 10; ++i)
        text += "*def[D" + std::to_string(i) + "]\r\n*usedef[D" + std::to_string(i - 1) +
                ":32767]\r\n*enddef\r\n";
    return text + "4c\r\n*usedef[D9:32767]\r\n";
}

} // namespace

TEST(cTParseDefinitions, RunawayExpansionStopsAtTheRecordLimit) {
    cTParse p;
    const std::string text = explosiveScore("4c 4d");
    const ParseOutcome o = parseText(p, text);
    EXPECT_EQ(o.line, 33);
    EXPECT_EQ(o.message,
              "Too many notes: the score would make more than 4000000 notes, rests and directives");
    EXPECT_EQ(o.len, -1);
    EXPECT_EQ(p.nNotes(), cTParse::kMaxRecords);
    EXPECT_EQ(p.recordCapacity(), cTParse::kMaxRecords);
}

TEST(cTParseDefinitions, RunawayExpansionOfEmptyBodiesStopsAtTheLineLimit) {
    cTParse p;
    const ParseOutcome o = parseText(p, explosiveScore("."));
    EXPECT_EQ(o.line, 33);
    EXPECT_EQ(o.message,
              "Too many lines: the definitions would expand to more than 16000000 lines");
    EXPECT_EQ(p.nNotes(), 1);
}

TEST(cTParseDefinitions, RunawayCommentsStopAtTheCommentLimit) {
    cTParse p;
    const std::string comment = "! " + std::string(2000, 'x');
    const ParseOutcome o = parseText(p, explosiveScore(comment));
    EXPECT_EQ(o.line, 33);
    EXPECT_EQ(o.message,
              "Too many comment lines: the score would hold more than 64 MB of comments");
}

TEST(cTParseDefinitions, LimitOnATopLevelNotesLineKeepsTheTokenRange) {
    cTParse p;
    std::string text = "**n[a-b-c]\r\n*def[A]\r\n4c\r\n*enddef\r\n";
    for (int i = 0; i < 122; ++i)
        text += "*usedef[A:32767]\r\n";
    // Lines 5..126 make 3997574 records; line 127 fills the list and then asks for one more.
    const int32_t room = cTParse::kMaxRecords - 122 * 32767;
    std::string last;
    for (int32_t i = 0; i < room; ++i)
        last += "4c ";
    text += last + "8e";
    EXPECT_EQ(
        parseText(p, text),
        (ParseOutcome{
            127,
            "Too many notes: the score would make more than 4000000 notes, rests and directives",
            3 * room, 2}));
    EXPECT_EQ(p.nNotes(), cTParse::kMaxRecords);
}
