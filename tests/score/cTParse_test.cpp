// The document structure: lines, header, comments, directives and the parse driver.
#include "ParseHelpers.h"

#include <gtest/gtest.h>

using namespace notaro;
using namespace notaro::testing;

TEST(cTParse, EmptyTextAndMissingHeader)
{
    cTParse p;
    EXPECT_EQ(parseText(p, ""), (ParseOutcome{1, "Empty text", 0, -1}));
    EXPECT_EQ(parseText(p, crlf({"", "!! title", "   "})), (ParseOutcome{3, "No header line", 0, -1}));
    // A final CR LF makes one more, empty, line.
    EXPECT_EQ(parseText(p, crlf({"!! a", "!! b", ""})), (ParseOutcome{3, "No header line", 0, -1}));
}

struct HeaderCase {
    std::string text;
    ParseOutcome outcome;
    int32_t naming;
};

void PrintTo(const HeaderCase& c, std::ostream* os) { *os << c.text; }

class cTParseHeader : public ::testing::TestWithParam<HeaderCase> {};

TEST_P(cTParseHeader, AcceptsOnlyTheTwoForms)
{
    cTParse p;
    EXPECT_EQ(parseText(p, GetParam().text), GetParam().outcome);
    if (GetParam().outcome.line == 0) {
        EXPECT_EQ(p.namingSystem(), GetParam().naming);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, cTParseHeader,
    ::testing::Values(HeaderCase{"**n[a-b-c]", kOk, 0}, HeaderCase{"  **N[A-B-C]  ", kOk, 0},
                      HeaderCase{"**N[D-R-M]", kOk, 1},
                      HeaderCase{"\t**n[d-r-m]", kOk, 1},
                      HeaderCase{"**n[a-b-c] x", {1, "Incorrect header line", 0, -1}, 0},
                      HeaderCase{crlf({"!! title", "", "**n[x-y-z]"}), {3, "Incorrect header line", 0, -1}, 0},
                      HeaderCase{crlf({"  !! note", "**n[a-b-c]"}), {1, "Incorrect header line", 0, -1}, 0},
                      HeaderCase{crlf({"! note", "**n[a-b-c]"}), {1, "Incorrect header line", 0, -1}, 0}));

TEST(cTParse, OnlyCrLfEndsALine)
{
    cTParse p;
    // A lone LF stays inside the header line, which then no longer matches.
    EXPECT_EQ(parseText(p, "**n[a-b-c]\n4c"), (ParseOutcome{1, "Incorrect header line", 0, -1}));
}

TEST(cTParse, CommentsAttachToTheNextRecordOrTheEnd)
{
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

struct DirectiveCase {
    std::string line;
    std::string error; // "" when accepted
    int32_t eventType;
    int32_t value;
};

void PrintTo(const DirectiveCase& c, std::ostream* os) { *os << c.line; }

class cTParseDirective : public ::testing::TestWithParam<DirectiveCase> {};

TEST_P(cTParseDirective, ReadsTempoAndInstrument)
{
    const DirectiveCase& t = GetParam();
    cTParse p;
    const ParseOutcome o = parseBody(p, {"4c", t.line});
    if (t.error.empty()) {
        ASSERT_EQ(o, kOk) << t.line;
        ASSERT_EQ(p.nNotes(), 2);
        const cGnsNote& r = p.theNotes(1);
        EXPECT_EQ(r.eventType, t.eventType);
        EXPECT_EQ(r.xVal, t.value);
        EXPECT_EQ(r.lineNum, 3);
        EXPECT_EQ(r.noteLineNum, 3);
        EXPECT_EQ(r.noteCharNum, 0);
        EXPECT_EQ(r.noteStrLen, 0);
        EXPECT_FALSE(r.notePao.has_value());
        EXPECT_FALSE(r.dur.has_value());
    } else {
        EXPECT_EQ(o, (ParseOutcome{3, t.error, 0, -1})) << t.line;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, cTParseDirective,
    ::testing::Values(DirectiveCase{"*t[120]", "", 1, 120}, DirectiveCase{"*T[ 100 ]", "", 1, 100},
                      DirectiveCase{"  *t[60]  ", "", 1, 60}, DirectiveCase{"*t[90.0]", "", 1, 90},
                      DirectiveCase{"*t[0]", "Incorrect tempo", 0, 0},
                      DirectiveCase{"*t[-60]", "Incorrect tempo", 0, 0},
                      DirectiveCase{"*t[90.5]", "Incorrect tempo", 0, 0},
                      DirectiveCase{"*t[12.5]", "Incorrect tempo", 0, 0},
                      DirectiveCase{"*t[fast]", "Incorrect tempo", 0, 0},
                      DirectiveCase{"*t[]", "Incorrect tempo", 0, 0},
                      DirectiveCase{"*t[3000000000]", "Incorrect tempo", 0, 0},
                      DirectiveCase{"*t120", "Invalid construct", 0, 0},
                      DirectiveCase{"*i[0]", "", 2, 0}, DirectiveCase{"*I[127]", "", 2, 127},
                      DirectiveCase{"*i[ 40 ]", "", 2, 40},
                      DirectiveCase{"*i[128]", "Incorrect instrument", 0, 0},
                      DirectiveCase{"*i[-1]", "Incorrect instrument", 0, 0},
                      DirectiveCase{"*i[1.5]", "Incorrect instrument", 0, 0},
                      DirectiveCase{"*i[40000]", "Incorrect instrument", 0, 0},
                      DirectiveCase{"*x[1]", "Invalid construct", 0, 0},
                      DirectiveCase{"*", "Invalid construct", 0, 0},
                      DirectiveCase{" =", "Invalid construct", 0, 0}));

TEST(cTParse, RuleAndDotLinesAreIgnored)
{
    cTParse p;
    ASSERT_EQ(parseBody(p, {"=", "===== 4c", ".", "4c"}), kOk);
    EXPECT_EQ(p.nNotes(), 1);
}

TEST(cTParse, OpenTieOrSlurAtTheEndIsReportedOnTheLastLine)
{
    cTParse p;
    EXPECT_EQ(parseBody(p, {"4c[", ""}),
              (ParseOutcome{3, "Reached end of file while a tie is not closed", 0, -1}));
    EXPECT_EQ(parseBody(p, {"4c(", "4d"}),
              (ParseOutcome{3, "Reached end of file while a slur is not closed", 0, -1}));
}

TEST(cTParse, TabCountsAsOneCharacter)
{
    cTParse p;
    EXPECT_EQ(parseBody(p, {"4c\t4x"}), (ParseOutcome{2, "Invalid note/rest", 3, 2}));
}

TEST(cTParse, OffsetsCountCharactersNotBytes)
{
    cTParse p;
    // "é" and "♪" are two and three bytes in UTF-8 but one character each.
    ASSERT_EQ(parseBody(p, {"4cé 4d 4e♪ 4f"}), kOk);
    ASSERT_EQ(p.nNotes(), 4);
    EXPECT_EQ(p.theNotes(0).noteStrLen, 3);
    EXPECT_EQ(p.theNotes(1).noteCharNum, 4);
    EXPECT_EQ(p.theNotes(2).noteCharNum, 7);
    EXPECT_EQ(p.theNotes(2).noteStrLen, 3);
    EXPECT_EQ(p.theNotes(3).noteCharNum, 11);
    EXPECT_EQ(parseBody(p, {"4c«x» 4z"}), (ParseOutcome{2, "Invalid note/rest", 6, 2}));
}

TEST(cTParse, ObjectIsReusableAcrossParses)
{
    cTParse p;
    ASSERT_EQ(parseBody(p, {"*def[A]", "4c", "*enddef", "4c[", "4c]"}), kOk);
    EXPECT_EQ(p.nNotes(), 2);
    // Nothing of the first parse (definitions, ties, records) leaks into the second.
    EXPECT_EQ(parseBody(p, {"*usedef[A]"}),
              (ParseOutcome{2, "Reference to unknown definition 'A'", 0, -1}));
    ASSERT_EQ(parseBody(p, {"4d"}), kOk);
    EXPECT_EQ(p.nNotes(), 1);
    EXPECT_EQ(p.theNotes(0).tie, 0);
}

TEST(cTParse, RecordListGrowsInStepsOfAHundred)
{
    cTParse p;
    std::string line;
    for (int i = 0; i < 100; ++i)
        line += "4c ";
    ASSERT_EQ(parseBody(p, {line}), kOk);
    EXPECT_EQ(p.recordCapacity(), 100);
    ASSERT_EQ(parseBody(p, {line, "8d"}), kOk);
    EXPECT_EQ(p.nNotes(), 101);
    EXPECT_EQ(p.recordCapacity(), 200);
    EXPECT_EQ(p.theNotes(99).noteCharNum, 297);
    EXPECT_EQ(p.theNotes(100).dur->toStr(), "1/8");
    EXPECT_THROW(p.theNotes(101), std::out_of_range);
}
