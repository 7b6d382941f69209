#include "ButtonHarness.h"

#include <gtest/gtest.h>
#include <vector>

using namespace glimmer;
using namespace glimmer::test;

namespace {

enum class State { Normal, Hovered, Pressed, Disabled, Default, DefaultPressed };

/// One expected pixel; negative coordinates count from the right or bottom edge (-1 = last).
struct Px {
    int x, y;
    quint32 ole;
};

struct StyleCase {
    const char* name;
    chBut::ButtonTypes type;
    State state;
    std::vector<Px> pixels;
};

// The fixed grey scheme: face, highlight, shadow, dark shadow, light, hot colour, hot fill.
constexpr quint32 F = 0xC0C0C0, HL = 0xFFFFFF, SH = 0x808080, DK = 0x000000, LT = 0xDFDFDF;
constexpr quint32 HOT = 0x800000, HOTFILL = 0xD1ADAD, PRESSFILL = 0xBF8080;

void enterState(ButtonHarness& h, State s) {
    switch (s) {
    case State::Normal:
        break;
    case State::Hovered:
        h.hover();
        break;
    case State::Pressed:
        h.hover();
        h.press();
        break;
    case State::Disabled:
        h.button->setEnabled(false);
        break;
    case State::Default:
        h.button->setDisplayAsDefault(true);
        break;
    case State::DefaultPressed:
        h.button->setDisplayAsDefault(true);
        h.hover();
        h.press();
        break;
    }
}

void expectPixels(const QImage& img, const std::vector<Px>& pixels) {
    for (const Px& p : pixels) {
        const int x = p.x < 0 ? img.width() + p.x : p.x;
        const int y = p.y < 0 ? img.height() + p.y : p.y;
        EXPECT_EQ(oleAt(img, x, y), p.ole) << "pixel (" << x << ", " << y << ")";
    }
}

class ButtonStyleTest : public ::testing::TestWithParam<StyleCase> {};

TEST_P(ButtonStyleTest, DrawsFrameOfStyleAndState) {
    const StyleCase& c = GetParam();
    ButtonHarness h;
    h.button->setColorScheme(chBut::ForceStandard);
    h.button->setButtonType(c.type);
    enterState(h, c.state);
    expectPixels(h.surface(), c.pixels);
}

// 60 × 24 buttons; (30, 0) top outer line, (30, 1) top inner, (30, -1) bottom outer,
// (30, -2) bottom inner, (0, 12) and (1, 12) left, (-1, 12) and (-2, 12) right, (5, 12) inside.
INSTANTIATE_TEST_SUITE_P(
    Styles, ButtonStyleTest,
    ::testing::Values(
        StyleCase{"flatNormal",
                  chBut::SimpleFlat,
                  State::Normal,
                  {{30, 0, HL}, {0, 12, HL}, {30, -1, SH}, {-1, 12, SH}, {30, 1, F}, {-2, 12, F}}},
        StyleCase{"flatHovered",
                  chBut::SimpleFlat,
                  State::Hovered,
                  {{30, 0, HL}, {30, -1, SH}, {30, 1, F}}},
        StyleCase{"flatPressed",
                  chBut::SimpleFlat,
                  State::Pressed,
                  {{30, 0, SH}, {0, 12, SH}, {30, -1, HL}, {-1, 12, HL}, {30, 1, F}}},
        StyleCase{"flatDisabled", chBut::SimpleFlat, State::Disabled, {{30, 0, HL}, {30, -1, SH}}},
        StyleCase{"highlightNormal",
                  chBut::FlatHighlight,
                  State::Normal,
                  {{30, 0, F}, {30, -1, F}, {0, 12, F}}},
        StyleCase{"highlightHovered",
                  chBut::FlatHighlight,
                  State::Hovered,
                  {{30, 0, HL}, {30, -1, SH}, {0, 12, HL}, {-1, 12, SH}, {30, 1, F}}},
        StyleCase{
            "highlightPressed", chBut::FlatHighlight, State::Pressed, {{30, 0, SH}, {30, -1, HL}}},
        StyleCase{
            "highlightDisabled", chBut::FlatHighlight, State::Disabled, {{30, 0, F}, {30, -1, F}}},
        StyleCase{
            "hover3dNormal", chBut::Hover3D, State::Normal, {{30, 0, F}, {30, 1, F}, {30, -1, F}}},
        StyleCase{"hover3dHovered",
                  chBut::Hover3D,
                  State::Hovered,
                  {{30, 0, HL},
                   {30, -1, DK},
                   {30, 1, LT},
                   {30, -2, SH},
                   {0, 12, HL},
                   {-1, 12, DK},
                   {1, 12, LT},
                   {-2, 12, SH}}},
        StyleCase{"hover3dPressed",
                  chBut::Hover3D,
                  State::Pressed,
                  {{30, 0, DK}, {30, -1, HL}, {30, 1, SH}, {30, -2, LT}}},
        StyleCase{"hover3dDisabled", chBut::Hover3D, State::Disabled, {{30, 0, F}, {30, 1, F}}},
        StyleCase{"classicNormal",
                  chBut::Windows32Bit,
                  State::Normal,
                  {{30, 0, HL},
                   {30, -1, DK},
                   {30, 1, LT},
                   {30, -2, SH},
                   {0, 0, HL},
                   {-1, 0, DK},
                   {5, 12, F}}},
        StyleCase{"classicHovered",
                  chBut::Windows32Bit,
                  State::Hovered,
                  {{30, 0, HL}, {30, -1, DK}, {30, 1, LT}, {30, -2, SH}}},
        StyleCase{"classicPressed",
                  chBut::Windows32Bit,
                  State::Pressed,
                  {{30, 0, DK}, {30, -1, HL}, {30, 1, SH}, {30, -2, LT}}},
        StyleCase{"classicDisabled",
                  chBut::Windows32Bit,
                  State::Disabled,
                  {{30, 0, HL}, {30, -1, DK}, {30, 1, LT}, {30, -2, SH}}},
        StyleCase{"classicDefault",
                  chBut::Windows32Bit,
                  State::Default,
                  {{30, 0, DK},
                   {0, 12, DK},
                   {30, -1, DK},
                   {-1, 12, DK},
                   {30, 1, HL},
                   {1, 12, HL},
                   {30, -2, DK},
                   {-2, 12, DK},
                   {30, 2, LT},
                   {30, -3, SH}}},
        StyleCase{"classicDefaultPressed",
                  chBut::Windows32Bit,
                  State::DefaultPressed,
                  {{30, 0, DK},
                   {30, -1, DK},
                   {30, 1, SH},
                   {30, -2, SH},
                   {1, 12, SH},
                   {-2, 12, SH},
                   {30, 2, F}}},
        StyleCase{
            "officeNormal", chBut::OfficeXP, State::Normal, {{30, 0, F}, {30, 1, F}, {5, 12, F}}},
        StyleCase{"officeHovered",
                  chBut::OfficeXP,
                  State::Hovered,
                  {{30, 0, HOT},
                   {30, -1, HOT},
                   {0, 12, HOT},
                   {-1, 12, HOT},
                   {30, 1, HOTFILL},
                   {5, 12, HOTFILL}}},
        StyleCase{"officePressed",
                  chBut::OfficeXP,
                  State::Pressed,
                  {{30, 0, HOT}, {0, 12, HOT}, {30, 1, PRESSFILL}, {5, 12, PRESSFILL}}},
        StyleCase{"officeDisabled", chBut::OfficeXP, State::Disabled, {{30, 0, F}, {5, 12, F}}},
        // XP: xpFace = 0xF0F0F0; rows darken by round(25 ÷ 24 × y), blue scaled by blue ÷ 192.
        StyleCase{"xpNormal",
                  chBut::WindowsXP,
                  State::Normal,
                  {{30, 0, 0x733C00},
                   {0, 12, 0x733C00},
                   {1, 1, 0x7B4D10},
                   {-2, -2, 0x7B4D10},
                   {1, -2, 0x7B4D10},
                   {30, 10, 0xE4E6E6},
                   {30, 20, 0xD6DBDB},
                   {30, -2, 0xB4C0C0},
                   {30, 1, 0xFFFFFF},
                   {1, 12, 0xEAEBEB},
                   {-2, 12, 0xC3CCCC}}},
        StyleCase{"xpHoveredOrangeRim",
                  chBut::WindowsXP,
                  State::Hovered,
                  {{30, 1, 0xCEF3FF},
                   {30, 2, 0x8CDBFF},
                   {30, -2, 0x0096E7},
                   {1, 12, 0x31B2FF},
                   {-2, 12, 0x31B2FF},
                   {2, 12, 0x6BCBFF},
                   {-3, 12, 0x6BCBFF},
                   {1, 1, 0x7B4D10},
                   {30, 10, 0xE4E6E6}}},
        StyleCase{"xpDefaultBlueRim",
                  chBut::WindowsXP,
                  State::Default,
                  {{30, 1, 0xFFE7CE},
                   {30, 2, 0xF7D7BD},
                   {30, -2, 0xEF826B},
                   {1, 12, 0xE7AE8C},
                   {2, 12, 0xF0D1B5}}},
        StyleCase{"xpPressed",
                  chBut::WindowsXP,
                  State::Pressed,
                  {{30, 0, 0x733C00},
                   {1, 1, 0x7B4D10},
                   {30, 10, 0xBEC6C6},
                   {30, 1, 0xA7B0B0},
                   {-3, 12, 0xF0F0F0},
                   {30, -2, 0xD8E0E0}}},
        StyleCase{"xpDisabled",
                  chBut::WindowsXP,
                  State::Disabled,
                  {{30, 10, 0xD2D8D8},
                   {30, 0, 0x879C9C},
                   {0, 12, 0x879C9C},
                   {1, 1, 0x96A8A8},
                   {-2, -2, 0x96A8A8}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ButtonRegionTest, WindowsXPCutsRoundedCorners) {
    ButtonHarness h;
    h.button->setButtonType(chBut::WindowsXP);
    const QRegion mask = h.button->mask();
    for (QPoint p : {QPoint(0, 0), QPoint(1, 0), QPoint(0, 1), QPoint(59, 0), QPoint(58, 0),
                     QPoint(59, 1), QPoint(0, 23), QPoint(1, 23), QPoint(0, 22), QPoint(59, 23),
                     QPoint(58, 23), QPoint(59, 22)})
        EXPECT_FALSE(mask.contains(p)) << p.x() << "," << p.y();
    for (QPoint p :
         {QPoint(2, 0), QPoint(1, 1), QPoint(0, 2), QPoint(57, 0), QPoint(30, 12), QPoint(58, 22)})
        EXPECT_TRUE(mask.contains(p)) << p.x() << "," << p.y();
    h.button->setButtonType(chBut::Windows32Bit);
    EXPECT_TRUE(h.button->mask().isEmpty()) << "other styles are plain rectangles";
}

TEST(ButtonSoftBevelTest, HalvesEveryShift) {
    ButtonHarness h;
    h.button->setColorScheme(chBut::Custom);
    h.button->setBackColor(0x808080);
    EXPECT_EQ(oleAt(h.surface(), 30, 1), 0x9F9F9Fu) << "light = face + 31";
    h.button->setSoftBevel(true);
    EXPECT_EQ(oleAt(h.surface(), 30, 1), 0x8F8F8Fu) << "light = face + 15";
    EXPECT_EQ(oleAt(h.surface(), 30, 0), 0x979797u) << "highlight = face + 23";
}

TEST(ButtonPaintTest, AmbientPaletteChangeRecoloursAllButCustomScheme) {
    struct Case {
        chBut::ColorTypes scheme;
        bool follows;
    };
    for (const Case c : {Case{chBut::UseWindows, true}, Case{chBut::UseContainer, true},
                         Case{chBut::Custom, false}}) {
        ButtonHarness h;
        h.button->setColorScheme(c.scheme);
        const quint32 before = oleAt(h.surface(), 5, 12);
        QPalette p = h.host->palette();
        p.setColor(QPalette::Button, QColor(10, 200, 30));
        p.setColor(QPalette::Window, QColor(10, 200, 30));
        h.host->setPalette(p);
        EXPECT_EQ(oleAt(h.surface(), 5, 12) == 0x1EC80Au, c.follows) << "scheme " << c.scheme;
        if (!c.follows) {
            EXPECT_EQ(oleAt(h.surface(), 5, 12), before);
        }
    }
}

TEST(ButtonPaintTest, WidgetShowsItsDrawnSurface) {
    ButtonHarness h;
    h.button->setCaption(QStringLiteral("Show"));
    EXPECT_EQ(render(*h.button), h.surface());
}

TEST(ButtonPaintTest, FocusRectangleIsDottedInTextColourInsetByStyle) {
    struct Case {
        chBut::ButtonTypes type;
        int inset;
        bool drawn;
    };
    for (const Case c : {Case{chBut::Windows32Bit, 4, true}, Case{chBut::SimpleFlat, 3, true},
                         Case{chBut::OfficeXP, 3, true}, Case{chBut::WindowsXP, 4, false}}) {
        ButtonHarness h;
        h.button->setColorScheme(chBut::ForceStandard);
        h.button->setButtonType(c.type);
        h.focus();
        ASSERT_TRUE(h.button->hasFocus());
        const QImage img = h.surface();
        const int i = c.inset;
        EXPECT_EQ(oleAt(img, i, i) == 0x000000u, c.drawn) << "type " << c.type;
        if (c.drawn) {
            EXPECT_NE(oleAt(img, i + 1, i), 0x000000u) << "dotted, type " << c.type;
            EXPECT_EQ(oleAt(img, i + 2, i), 0x000000u) << "type " << c.type;
            EXPECT_EQ(oleAt(img, 59 - i, 23 - i), 0x000000u)
                << "bottom-right corner, type " << c.type;
        }
        h.button->setShowFocusRect(false);
        EXPECT_NE(oleAt(h.surface(), i, i), 0x000000u) << "hidden with ShowFocusRect off";
    }
}

} // namespace
