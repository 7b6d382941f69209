#include "score/ScoreTransposer.h"

#include "tests/score/ParseHelpers.h"

using namespace notaro;
using notaro::testing::crlf;

namespace {

/// A request for a score whose body (";" between lines) may mark the selection with "{" and
/// "}"; the marks are taken out of the text. The header is letter names unless body has one.
struct Ask {
    std::string text;
    TransposeRequest request;
};

Ask ask(std::string body, int32_t steps, bool quarterTones = false, bool flats = false) {
    if (body.rfind("**", 0) != 0)
        body = "**n[a-b-c];" + body;
    Ask a{crlf(body), {}};
    a.request = TransposeRequest{steps, quarterTones, flats};
    if (const size_t open = a.text.find('{'); open != std::string::npos) {
        const size_t close = a.text.find('}');
        a.text.erase(close, 1).erase(open, 1);
        a.request.selectionStart = static_cast<int32_t>(open);
        a.request.selectionLength = static_cast<int32_t>(close - open - 1);
    }
    return a;
}

TransposeResult transposed(const Ask& a) {
    return transposeScore(a.text, a.request);
}

} // namespace

TEST(ScoreTransposer, RewritesOnlyThePitchesInTheScoresOwnSpelling) {
    const struct {
        Ask asked;
        const char* body; // the expected text after the header
    } cases[] = {
        // Values, dots, marks, separators, comments and directives keep every character.
        {ask("! 4c;*t[90];8.c#( 16e-) 4f'|2g[,2g]=0:^4a\t4b", 1),
         "! 4c;*t[90];8.d( 16e) 4f#'|2g#[,2g#]=0:^4a#\t4cc"},
        {ask("4c 4f# 4a", 1, false, true), "4d- 4g 4b-"},
        {ask("4c 4e 4b~ 4d+", 1, true), "4c+ 4e+ 4b 4d#"},
        {ask("4c 4e 4f#", -1, true, true), "4c~ 4e~ 4f+"},
        {ask("4c 4c#", 0, false, true), "4c 4d-"},
        // Octave letters, both ways across each octave's edge and at the ends of the range.
        {ask("4B 4BBBB 4bbbb 4c", -12), "4BB 4CCCC- 4bbb 4C"},
        {ask("4CCCC 4bbbbb", 1), "4CCCC# 4bbbbb#"},
        {ask("4CCCC# 4bbbbb", -1, false, true), "4CCCC 4bbbbb-"},
        {ask("4CCCC 4bbbbb", 0, true), "4CCCC 4bbbbb"},
        {ask("4CCCC~ 4bbbbb+", 1, true), "4CCCC 4bbbbb#"},
        {ask("4c 4CCCC", -1, true), "4B+ 4CCCC~"},
        // A natural sign stays where it was written, and comes where marks would join the pitch.
        {ask("4cn 4c#- 4c#c 4d#n", 1), "4c# 4dn- 4dc 4enn"},
        {ask("4d#d 4dn 4c#d", -1, false, true), "4dnd 4d- 4cd"},
        {ask("**n[d-r-m];4d 4t 4TT 4m-", 1), "4d# 4dd 4D 4m"},
        {ask("**N[D-R-M];4s 4S#", -2, false, true), "4f 4S-"},
        // A selection moves what it touches, a tie whole.
        {ask("4c {4d} 4e", 2), "4c 4e 4e"},
        {ask("4c 4d{ }4e", 2), "4c 4d 4e"},
        {ask("4e {4c[}; 4c] 4d", 1), "4e 4c#[; 4c#] 4d"},
        {ask("2c[;*t[60];{2c]} 4d", 1), "2c#[;*t[60];2c#] 4d"},
        {ask("{! a comment};4c", 5), "! a comment;4c"},
        // A definition moves with the one use in the selection, or when its own notes are there.
        {ask("*def[A];4c 4:;*enddef;4d;{*usedef[a]}", 1), "*def[A];4c# 4:;*enddef;4d;*usedef[a]"},
        {ask("*def[A];{4c};*enddef;*usedef[A];*usedef[A]", 1),
         "*def[A];4c#;*enddef;*usedef[A];*usedef[A]"},
        {ask("*def[A];4c;*enddef;{*usedef[A:2]}", -1), "*def[A];4B;*enddef;*usedef[A:2]"},
        // Unused definition bodies are notes of the score as well.
        {ask("*def[U];4e 4x;*enddef;4c", 1), "*def[U];4f 4x;*enddef;4c#"},
    };
    for (const auto& c : cases) {
        const TransposeResult r = transposed(c.asked);
        ASSERT_TRUE(r.ok()) << c.asked.text << ": " << r.refusal->message;
        EXPECT_EQ(r.text, crlf((c.asked.text.rfind("**N", 0) == 0     ? "**N[D-R-M];"
                                : c.asked.text.rfind("**n[d", 0) == 0 ? "**n[d-r-m];"
                                                                      : "**n[a-b-c];") +
                               std::string(c.body)))
            << c.asked.text;
    }
}

TEST(ScoreTransposer, RefusesNamingTheFirstNoteConcernedAndChangesNothing) {
    const struct {
        Ask asked;
        TransposeRefusalKind kind;
        int32_t line, column, length;
        const char* message;
    } cases[] = {
        {ask("4c 4bbbbb# 4c;8bbbbb#", 1, true), TransposeRefusalKind::OutOfRange, 2, 3, 7,
         "Moving up 1 quarter tone would take the note 4bbbbb# at line 2, column 4 above bbbbb#, "
         "the highest note a score can hold."},
        {ask("**n[d-r-m];2l;4DDDD- 4DDDD-", -2), TransposeRefusalKind::OutOfRange, 3, 0, 6,
         "Moving down 2 semitones would take the note 4DDDD- at line 3, column 1 below DDDD-, "
         "the lowest note a score can hold."},
        {ask("4c {4CCCC-}", -1, true), TransposeRefusalKind::OutOfRange, 2, 3, 6, nullptr},
        {ask("4c", 25), TransposeRefusalKind::BadAmount, 0, 0, -1, nullptr},
        {ask("4c;4c]", 1), TransposeRefusalKind::ScoreError, 3, 0, 3, nullptr},
        {ask("*def[A];4c;*enddef;{*usedef[A]};*usedef[A]", 1), TransposeRefusalKind::SplitBlock, 3,
         0, 2,
         "The definition 'A' (line 2) is played by line 5, whose notes move, and by line 6, whose "
         "notes stay: select the definition too to move it everywhere, or transpose the whole "
         "score."},
        {ask("*def[B];4c[;*enddef;*usedef[B];{4c]};*usedef[B];4c]", 1),
         TransposeRefusalKind::SplitBlock, 3, 0, 3, nullptr},
    };
    for (const auto& c : cases) {
        const TransposeResult r = transposed(c.asked);
        ASSERT_FALSE(r.ok()) << c.asked.text;
        EXPECT_EQ(r.refusal->kind, c.kind) << c.asked.text;
        EXPECT_EQ(std::tuple(r.refusal->line, r.refusal->column, r.refusal->length),
                  std::tuple(c.line, c.column, c.length))
            << c.asked.text;
        if (c.message) {
            EXPECT_EQ(r.refusal->message, c.message);
        }
        EXPECT_TRUE(r.edits.empty() && r.text.empty());
    }
}
