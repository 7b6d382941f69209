#include "ColorMath.h"
#include "ButtonColors.h"
#include "CaseNames.h"
#include "QtTestEnvironment.h"

#include <glimmer/OleColor.h>

#include <gtest/gtest.h>

using namespace glimmer;
using glimmer::test::plain;

namespace {

struct ShiftCase {
    const char* name;
    quint32 color;
    int v;
    bool xp;
    bool soft;
    quint32 expected;
};

void PrintTo(const ShiftCase& c, std::ostream* os) {
    *os << c.name;
}

class ShiftColorTest : public ::testing::TestWithParam<ShiftCase> {};

TEST_P(ShiftColorTest, MovesChannelsAndClamps) {
    const ShiftCase& c = GetParam();
    EXPECT_EQ(OleColor::fromColor(ColorMath::shift(plain(c.color), c.v, c.xp, c.soft)), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ShiftColorTest,
    ::testing::Values(
        ShiftCase{"plainUp", 0x102030, 31, false, false, 0x2F3F4F},
        ShiftCase{"plainDownClampsAtZero", 0x102030, -64, false, false, 0x000000},
        ShiftCase{"plainUpClampsAt255", 0xF0F0F0, 47, false, false, 0xFFFFFF},
        // XP mode moves blue by v × blue ÷ 192: 240 − 10 × 240 ÷ 192 = 240 − 12 (truncated)
        ShiftCase{"xpBlueScaled", 0xF0F0F0, -10, true, false, 0xE4E6E6},
        ShiftCase{"xpBlueUp", 0xC0C0C0, 48, true, false, 0xF0F0F0},
        // soft bevel halves the shift towards zero: −31 becomes −15
        ShiftCase{"softHalves", 0x808080, -31, false, true, 0x717171},
        ShiftCase{"softOddPositive", 0x808080, 31, false, true, 0x8F8F8F}),
    test::CaseName());

TEST(LightenTest, BlendsEachChannelTowardsWhite) {
    // 128 + 127 × channel ÷ 255: 0 stays 128, 128 becomes 191, 255 becomes 255.
    EXPECT_EQ(OleColor::fromColor(ColorMath::lighten(plain(0xFF8000), 128)), 0xFFBF80u);
    EXPECT_EQ(OleColor::fromColor(ColorMath::lighten(plain(0x000000), 176)), 0xB0B0B0u);
}

struct SchemeCase {
    int scheme;
    quint32 face, faceOver, text, textOver, light, shadow, darkShadow, highlight, hot, hotFill;
};

TEST(ButtonColorsTest, EachSchemeDerivesItsColourSet) {
    ButtonColors::Input in;
    in.backColor = 0x808080;
    in.backOver = 0x00FF00;
    in.foreColor = 0x0000FF;
    in.foreOver = 0xFF0000;
    in.own = glimmer::test::fixedPalette();
    in.host = in.own;
    in.host.setColor(QPalette::Window, QColor(100, 150, 200));
    in.host.setColor(QPalette::WindowText, QColor(1, 2, 3));
    // clang-format off
    const SchemeCase cases[] = {
        // Use Windows: the palette; hot fill Lighten(selection, 176) = 176 + 79 × channel ÷ 255
        {1, 0xC8D0D4, 0xC8D0D4, 0, 0, 0xE3E3E3, 0x808080, 0x404040, 0xFFFFFF, 0x6A240A, 0xD0BBB3},
        // Custom: the properties; light +31, shadow −64, dark shadow −192, highlight +47, hot −128
        {2, 0x808080, 0x00FF00, 0x0000FF, 0xFF0000, 0x9F9F9F, 0x404040, 0, 0xAFAFAF, 0, 0x808080},
        // Force Standard ignores palette and properties
        {3, 0xC0C0C0, 0xC0C0C0, 0, 0, 0xDFDFDF, 0x808080, 0, 0xFFFFFF, 0x800000, 0xD1ADAD},
        // Use Container: the host window's colours, shaded as for Custom
        {4, 0xC89664, 0xC89664, 0x030201, 0x030201, 0xE7B583, 0x885624, 0x080000, 0xF7C593,
            0x6A240A, 0xD0BBB3}};
    // clang-format on
    for (const SchemeCase& c : cases) {
        in.scheme = c.scheme;
        const ButtonColors b = ButtonColors::compute(in);
        const QColor got[] = {b.face,   b.faceOver,   b.text,      b.textOver, b.light,
                              b.shadow, b.darkShadow, b.highlight, b.hot,      b.hotFill};
        const quint32 want[] = {c.face,   c.faceOver,   c.text,      c.textOver, c.light,
                                c.shadow, c.darkShadow, c.highlight, c.hot,      c.hotFill};
        for (int i = 0; i < 10; ++i)
            EXPECT_EQ(OleColor::fromColor(got[i]), want[i])
                << "scheme " << c.scheme << ", colour " << i;
    }
}

TEST(OleColorTest, PlainValuesAreBlueGreenRed) {
    EXPECT_EQ(OleColor::toColor(0x00123456, QPalette()), QColor(0x56, 0x34, 0x12));
    EXPECT_EQ(OleColor::fromColor(QColor(0x56, 0x34, 0x12)), 0x123456u);
}

TEST(OleColorTest, SystemValuesFollowThePalette) {
    const QPalette p = glimmer::test::fixedPalette();
    EXPECT_EQ(OleColor::toColor(OleColor::ButtonFace, p), QColor(212, 208, 200));
    EXPECT_EQ(OleColor::toColor(OleColor::ButtonText, p), QColor(0, 0, 0));
    EXPECT_EQ(OleColor::toColor(OleColor::Highlight, p), QColor(10, 36, 106));
    EXPECT_TRUE(OleColor::isSystemColor(0x8000000F));
    EXPECT_FALSE(OleColor::isSystemColor(0x00FFFFFF));
}

} // namespace
