#include "controls/ButtonColors.h"
#include "controls/ColorMath.h"
#include "tests/controls/QtTestEnvironment.h"

#include <glimmer/OleColor.h>

#include <algorithm>
#include <gtest/gtest.h>

using namespace glimmer;

namespace {

QColor grey(int c) {
    return QColor(c, c, c);
}

TEST(ColorMathTest, ShiftMovesEachChannelAndClampsAtBothEnds) {
    for (const int c : {0, 1, 100, 128, 254, 255}) {
        for (const int v : {-200, -64, -1, 0, 1, 31, 200}) {
            const int want = std::clamp(c + v, 0, 255);
            EXPECT_EQ(ColorMath::shift(grey(c), v, false, false), grey(want)) << c << " + " << v;
            // Soft bevel halves the shift towards zero: odd shifts lose their last unit.
            EXPECT_EQ(ColorMath::shift(grey(c), v, false, true),
                      ColorMath::shift(grey(c), v / 2, false, false))
                << c << " + " << v << " soft";
        }
    }
}

TEST(ColorMathTest, XpShiftMovesBlueInProportionToBlue) {
    // blue + v × blue ÷ 192, truncated: none at blue 0, 99 of 100 at blue 191; red and green
    // move by v.
    EXPECT_EQ(ColorMath::shift(QColor(10, 20, 0), 50, true, false), QColor(60, 70, 0));
    EXPECT_EQ(ColorMath::shift(QColor(100, 120, 191), -100, true, false), QColor(0, 20, 92));
    EXPECT_EQ(ColorMath::shift(QColor(0, 0, 250), 100, true, false).blue(), 255);
}

TEST(ColorMathTest, LightenKeepsWhiteAndLiftsBlackToItsFloor) {
    for (const int b : {0, 128, 176, 255}) {
        EXPECT_EQ(ColorMath::lighten(grey(0), b), grey(b));
        EXPECT_EQ(ColorMath::lighten(grey(255), b), grey(255));
    }
    EXPECT_EQ(ColorMath::lighten(grey(128), 128), grey(191)) << "128 + 127 × 128 ÷ 255";
}

TEST(ButtonColorsTest, EachSchemeTakesItsSourcesAndShadesAroundTheFace) {
    ButtonColors::Input in;
    in.backColor = 0x808080;
    in.backOver = 0x00FF00;
    in.foreColor = 0x0000FF;
    in.foreOver = 0xFF0000;
    in.own = glimmer::test::fixedPalette();
    in.host = in.own;
    in.host.setColor(QPalette::Window, grey(128));
    in.host.setColor(QPalette::WindowText, QColor(1, 2, 3));
    ButtonColors s[5];
    for (in.scheme = 1; in.scheme <= 4; ++in.scheme)
        s[in.scheme] = ButtonColors::compute(in);
    // Use Windows: the system colours of the button's palette.
    EXPECT_EQ(s[1].face, in.own.color(QPalette::Button));
    EXPECT_EQ(s[1].text, in.own.color(QPalette::ButtonText));
    EXPECT_EQ(s[1].hot, in.own.color(QPalette::Highlight));
    // Custom: the colour properties; Use Container: the host window's colours.
    EXPECT_EQ(s[2].faceOver, QColor(0, 255, 0));
    EXPECT_EQ(s[2].textOver, QColor(0, 0, 255));
    EXPECT_EQ(s[2].hotFill, s[2].face);
    EXPECT_EQ(s[4].face, grey(128));
    EXPECT_EQ(s[4].textOver, QColor(1, 2, 3));
    // The system selection colour lightened by 176 is the hot fill of both palette schemes.
    for (const int scheme : {1, 4}) {
        EXPECT_EQ(s[scheme].faceOver, s[scheme].face);
        EXPECT_EQ(s[scheme].hotFill, ColorMath::lighten(in.own.color(QPalette::Highlight), 176));
    }
    const auto atLeast = [](const QColor& a, const QColor& b) {
        return a.red() >= b.red() && a.green() >= b.green() && a.blue() >= b.blue();
    };
    for (const ButtonColors& c : {s[1], s[2], s[3], s[4]}) {
        EXPECT_TRUE(atLeast(c.highlight, c.light) && atLeast(c.light, c.face) &&
                    atLeast(c.face, c.shadow) && atLeast(c.shadow, c.darkShadow));
    }
    // The same face shades alike, from the properties or from the host window.
    for (auto colour : {&ButtonColors::light, &ButtonColors::shadow, &ButtonColors::darkShadow,
                        &ButtonColors::highlight})
        EXPECT_EQ(s[2].*colour, s[4].*colour);
}

} // namespace

TEST(OleColorTest, GreyTextIsThePalettesDisabledText) {
    QPalette palette;
    palette.setColor(QPalette::Active, QPalette::Text, Qt::black);
    palette.setColor(QPalette::Disabled, QPalette::Text, Qt::red);
    EXPECT_EQ(OleColor::toColor(0x80000011u, palette), QColor(Qt::red));
}
