#include "base/TextUtil.h"
#include "score/ScoreTokens.h"

#include <gtest/gtest.h>

using namespace notaro::tokens;

namespace {

// One letter per character (code point) of the line for the kind of its span; blank for none.
constexpr char kLetters[] = "Hcmtideuvpakrox";

std::string picture(std::string_view line, const std::vector<TokenSpan>& spans) {
    std::string out(static_cast<size_t>(notaro::text::charCount(line)), ' ');
    for (const TokenSpan& s : spans) {
        // Characters and bytes must describe the same stretch.
        EXPECT_EQ(notaro::text::charCount(line.substr(0, s.byteStart)), s.start) << line;
        EXPECT_EQ(notaro::text::charCount(line.substr(s.byteStart, s.byteLength)), s.length);
        for (int32_t i = 0; i < s.length; ++i)
            out[static_cast<size_t>(s.start + i)] = kLetters[static_cast<int>(s.kind)];
    }
    return out;
}

constexpr auto B = LinePlace::BeforeHeader;
constexpr auto L = LinePlace::LetterNames;
constexpr auto S = LinePlace::Solfege;

} // namespace

TEST(ScoreTokens, SpansOfEachKindOfLine) {
    const struct {
        LinePlace place;
        const char *line, *expected;
        LinePlace after;
    } rows[] = {
        // The header search: "!!" lines in column 1 are skipped, anything else is the header.
        {B, "!!$ title ", "ccccccccc ", B},
        {B, "  !! x", "  xxxx", L},
        {B, " **N[D-R-M] ", " HHHHHHHHHH ", S},
        // Notes lines: value, pitch, accidental, marks, rest, separators, ignored characters.
        {L, "4c# 8.d-( 2: 4cx|4d", "vpa vvpak vr vpoovp", L},
        {L, "4cc[ 12CC'] 4...c é4c 4:(", "vppk vvppkk xxxxx xxx xxx", L},
        {L, "4cé[ 4c\U0001F600 4d", "vpok vpo vp", L},
        {L, "4c\t4d,^=4e", "vp vpooovp", L},
        {S, "4r 4d 4c", "vp vp xx", S},
        // Whole lines.
        {L, " ! note ", " cccccc ", L},
        {L, "!!$1, x", "mmmmmmm", L},
        {L, "!!$8, x", "ccccccc", L}, // only types 1 to 7 become text events
        {L, "*T[ 100 ]", "ttttttttt", L},
        {L, "*t[fast] ", "tttttttt ", L},
        {L, "*i[42]", "iiiiii", L},
        {L, "*def[ A ]", "ddddddddd", L},
        {L, "*EndDef", "eeeeeee", L},
        {L, "*usedef[A:2]", "uuuuuuuuuuuu", L},
        {L, "*usedef[A:0]", "xxxxxxxxxxxx", L},
        {L, "*def[A", "xxxxxx", L},
        {L, "====", "oooo", L},
        {L, " =", " x", L},
        {L, ".", "o", L},
    };
    for (const auto& r : rows) {
        LinePlace place = r.place;
        EXPECT_EQ(picture(r.line, scanLine(r.line, place)), r.expected) << r.line;
        EXPECT_EQ(place, r.after) << r.line;
    }
}
