#include "ColorMath.h"
#include "ButtonColors.h"
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
    [](const auto& info) { return std::string(info.param.name); });

TEST(LightenTest, BlendsEachChannelTowardsWhite) {
    // 128 + 127 × channel ÷ 255: 0 stays 128, 128 becomes 191, 255 becomes 255.
    EXPECT_EQ(OleColor::fromColor(ColorMath::lighten(plain(0xFF8000), 128)), 0xFFBF80u);
    EXPECT_EQ(OleColor::fromColor(ColorMath::lighten(plain(0x000000), 176)), 0xB0B0B0u);
}

TEST(ButtonColorsTest, ForceStandardIgnoresPaletteAndProperties) {
    ButtonColors::Input in;
    in.scheme = 3;
    in.backColor = 0x0000FF;
    in.own = glimmer::test::fixedPalette();
    const ButtonColors c = ButtonColors::compute(in);
    EXPECT_EQ(OleColor::fromColor(c.face), 0xC0C0C0u);
    EXPECT_EQ(OleColor::fromColor(c.light), 0xDFDFDFu);
    EXPECT_EQ(OleColor::fromColor(c.shadow), 0x808080u);
    EXPECT_EQ(OleColor::fromColor(c.darkShadow), 0x000000u);
    EXPECT_EQ(OleColor::fromColor(c.highlight), 0xFFFFFFu);
    EXPECT_EQ(OleColor::fromColor(c.hot), 0x800000u);
    EXPECT_EQ(OleColor::fromColor(c.hotFill), 0xD1ADADu);
}

TEST(ButtonColorsTest, CustomDerivesBevelFromFace) {
    ButtonColors::Input in;
    in.scheme = 2;
    in.backColor = 0x808080;
    in.backOver = 0x00FF00;
    in.foreColor = 0x0000FF;
    in.foreOver = 0xFF0000;
    const ButtonColors c = ButtonColors::compute(in);
    EXPECT_EQ(OleColor::fromColor(c.light), 0x9F9F9Fu);
    EXPECT_EQ(OleColor::fromColor(c.shadow), 0x404040u);
    EXPECT_EQ(OleColor::fromColor(c.darkShadow), 0x000000u);
    EXPECT_EQ(OleColor::fromColor(c.highlight), 0xAFAFAFu);
    EXPECT_EQ(OleColor::fromColor(c.hot), 0x000000u);
    EXPECT_EQ(OleColor::fromColor(c.hotFill), 0x808080u);
    EXPECT_EQ(OleColor::fromColor(c.faceOver), 0x00FF00u);
    EXPECT_EQ(OleColor::fromColor(c.textOver), 0xFF0000u);
}

TEST(ButtonColorsTest, UseWindowsResolvesSystemColoursThroughPalette) {
    ButtonColors::Input in;
    in.scheme = 1;
    in.own = glimmer::test::fixedPalette();
    const ButtonColors c = ButtonColors::compute(in);
    EXPECT_EQ(c.face, QColor(212, 208, 200));
    EXPECT_EQ(c.light, QColor(227, 227, 227));
    EXPECT_EQ(c.shadow, QColor(128, 128, 128));
    EXPECT_EQ(c.darkShadow, QColor(64, 64, 64));
    EXPECT_EQ(c.highlight, QColor(255, 255, 255));
    EXPECT_EQ(c.hot, QColor(10, 36, 106));
    // Lighten(selection, 176): 176 + 79 × channel ÷ 255
    EXPECT_EQ(c.hotFill, QColor(179, 187, 208));
}

TEST(ButtonColorsTest, UseContainerTakesHostWindowColours) {
    ButtonColors::Input in;
    in.scheme = 4;
    in.own = glimmer::test::fixedPalette();
    in.host = glimmer::test::fixedPalette();
    in.host.setColor(QPalette::Window, QColor(100, 150, 200));
    in.host.setColor(QPalette::WindowText, QColor(1, 2, 3));
    const ButtonColors c = ButtonColors::compute(in);
    EXPECT_EQ(c.face, QColor(100, 150, 200));
    EXPECT_EQ(c.text, QColor(1, 2, 3));
    EXPECT_EQ(c.light, QColor(131, 181, 231));
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
