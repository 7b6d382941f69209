#include "tests/controls/ButtonHarness.h"
#include "tests/controls/CaseNames.h"

#include <gtest/gtest.h>
#include <tuple>
#include <vector>

using namespace glimmer;
using namespace glimmer::test;

namespace {

struct Ring {
    quint32 topLeft, bottomRight;
};

struct StyleCase {
    const char* name;
    chBut::ButtonTypes type;
    State state;
    std::vector<Ring> rings; // from the outer edge inwards
    std::vector<Px> pixels;  // further pixels the style fixes
};

void PrintTo(const StyleCase& c, std::ostream* os) {
    *os << c.name;
}

// The fixed grey scheme: face, highlight, shadow, dark shadow, light, hot colour, hot fill.
constexpr quint32 F = 0xC0C0C0, HL = 0xFFFFFF, SH = 0x808080, DK = 0x000000, LT = 0xDFDFDF;
constexpr quint32 HOT = 0x800000, HOTFILL = 0xD1ADAD, PRESSFILL = 0xBF8080;

class ButtonStyleTest : public ::testing::TestWithParam<StyleCase> {};

TEST_P(ButtonStyleTest, DrawsFrameOfStyleAndState) {
    const StyleCase& c = GetParam();
    ButtonHarness h; // 60 × 24: each ring is checked in the middle of its four sides
    h.style(c.type);
    enterState(h, c.state);
    const QImage img = h.surface();
    for (int i = 0; i < int(c.rings.size()); ++i) {
        const Ring& r = c.rings[i];
        // clang-format off
        expectPixels(img, {{30, i, r.topLeft}, {i, 12, r.topLeft},
                           {30, -1 - i, r.bottomRight}, {-1 - i, 12, r.bottomRight}});
        // clang-format on
    }
    expectPixels(img, c.pixels);
}

using B = chBut;
using C = StyleCase;
using S = State;
// clang-format off
INSTANTIATE_TEST_SUITE_P(Styles, ButtonStyleTest, ::testing::Values(
    C{"flatNormal", B::SimpleFlat, S::Normal, {{HL, SH}, {F, F}}, {}},
    C{"flatHovered", B::SimpleFlat, S::Hovered, {{HL, SH}, {F, F}}, {}},
    C{"flatPressed", B::SimpleFlat, S::Pressed, {{SH, HL}, {F, F}}, {}},
    C{"highlightNormal", B::FlatHighlight, S::Normal, {{F, F}, {F, F}}, {}},
    C{"highlightHovered", B::FlatHighlight, S::Hovered, {{HL, SH}, {F, F}}, {}},
    C{"highlightPressed", B::FlatHighlight, S::Pressed, {{SH, HL}, {F, F}}, {}},
    C{"highlightDisabled", B::FlatHighlight, S::Disabled, {{F, F}}, {}},
    C{"hover3dNormal", B::Hover3D, S::Normal, {{F, F}, {F, F}}, {}},
    C{"hover3dHovered", B::Hover3D, S::Hovered, {{HL, DK}, {LT, SH}, {F, F}}, {}},
    C{"hover3dPressed", B::Hover3D, S::Pressed, {{DK, HL}, {SH, LT}, {F, F}}, {}},
    C{"classicNormal", B::Windows32Bit, S::Normal, {{HL, DK}, {LT, SH}, {F, F}},
      {{0, 0, HL}, {-1, 0, DK}}},
    C{"classicHovered", B::Windows32Bit, S::Hovered, {{HL, DK}, {LT, SH}}, {}},
    C{"classicPressed", B::Windows32Bit, S::Pressed, {{DK, HL}, {SH, LT}}, {}},
    C{"classicDefault", B::Windows32Bit, S::Default, {{DK, DK}, {HL, DK}, {LT, SH}, {F, F}}, {}},
    C{"classicDefaultPressed", B::Windows32Bit, S::DefaultPressed,
      {{DK, DK}, {SH, SH}, {F, F}}, {}},
    C{"officeNormal", B::OfficeXP, S::Normal, {{F, F}, {F, F}}, {{5, 12, F}}},
    C{"officeHovered", B::OfficeXP, S::Hovered, {{HOT, HOT}, {HOTFILL, HOTFILL}},
      {{5, 12, HOTFILL}}},
    C{"officePressed", B::OfficeXP, S::Pressed, {{HOT, HOT}, {PRESSFILL, PRESSFILL}},
      {{5, 12, PRESSFILL}}},
    C{"officeDisabled", B::OfficeXP, S::Disabled, {{F, F}}, {{5, 12, F}}},
    // XP: xpFace = 0xF0F0F0; rows darken by round(25 ÷ 24 × y), blue scaled by blue ÷ 192.
    C{"xpNormal", B::WindowsXP, S::Normal, {{0x733C00, 0x733C00}},
      {{1, 1, 0x7B4D10}, {-2, -2, 0x7B4D10}, {1, -2, 0x7B4D10}, {30, 10, 0xE4E6E6},
       {30, 20, 0xD6DBDB}, {30, -2, 0xB4C0C0}, {30, 1, 0xFFFFFF}, {1, 12, 0xEAEBEB},
       {-2, 12, 0xC3CCCC}}},
    C{"xpHoveredOrangeRim", B::WindowsXP, S::Hovered, {},
      {{30, 1, 0xCEF3FF}, {30, 2, 0x8CDBFF}, {30, -2, 0x0096E7}, {1, 12, 0x31B2FF},
       {-2, 12, 0x31B2FF}, {2, 12, 0x6BCBFF}, {-3, 12, 0x6BCBFF}, {1, 1, 0x7B4D10}}},
    C{"xpDefaultBlueRim", B::WindowsXP, S::Default, {},
      {{30, 1, 0xFFE7CE}, {30, 2, 0xF7D7BD}, {30, -2, 0xEF826B}, {1, 12, 0xE7AE8C},
       {2, 12, 0xF0D1B5}}},
    C{"xpPressed", B::WindowsXP, S::Pressed, {{0x733C00, 0x733C00}},
      {{1, 1, 0x7B4D10}, {30, 10, 0xBEC6C6}, {30, 1, 0xA7B0B0}, {-3, 12, 0xF0F0F0},
       {30, -2, 0xD8E0E0}}},
    C{"xpDisabled", B::WindowsXP, S::Disabled, {{0x879C9C, 0x879C9C}},
      {{30, 10, 0xD2D8D8}, {1, 1, 0x96A8A8}, {-2, -2, 0x96A8A8}}}),
    CaseName());
// clang-format on

TEST(ButtonRegionTest, WindowsXPCutsRoundedCorners) {
    ButtonHarness h;
    h.button->setButtonType(chBut::WindowsXP);
    const QRegion mask = h.button->mask();
    // Three pixels go at each corner: the corner and its two neighbours along the edges.
    // clang-format off
    for (const auto& [x, y, kept] : {std::tuple{0, 0, false}, {1, 0, false}, {0, 1, false},
                                     {58, 23, false}, {59, 22, false}, {59, 0, false},
                                     {0, 23, false}, {2, 0, true}, {1, 1, true}, {58, 22, true}})
        // clang-format on
        EXPECT_EQ(mask.contains(QPoint(x, y)), kept) << x << "," << y;
    h.button->setButtonType(chBut::Windows32Bit);
    EXPECT_TRUE(h.button->mask().isEmpty()) << "other styles are plain rectangles";
}

TEST(ButtonPaintTest, SoftBevelHalvesEveryShiftAndWidgetShowsSurface) {
    ButtonHarness h;
    h.style(chBut::Windows32Bit, chBut::Custom);
    h.button->setBackColor(0x808080);
    EXPECT_EQ(oleAt(h.surface(), 30, 1), 0x9F9F9Fu) << "light = face + 31";
    h.button->setSoftBevel(true);
    EXPECT_EQ(oleAt(h.surface(), 30, 1), 0x8F8F8Fu) << "light = face + 15";
    EXPECT_EQ(oleAt(h.surface(), 30, 0), 0x979797u) << "highlight = face + 23";
    h.button->setCaption(QStringLiteral("Show"));
    EXPECT_EQ(render(*h.button), h.surface()) << "the widget shows its drawn surface";
}

TEST(ButtonPaintTest, AmbientPaletteChangeRecoloursAllButCustomScheme) {
    for (const auto scheme : {chBut::UseWindows, chBut::UseContainer, chBut::Custom}) {
        ButtonHarness h;
        h.button->setColorScheme(scheme);
        const quint32 before = oleAt(h.surface(), 5, 12);
        QPalette p = h.host->palette();
        p.setColor(QPalette::Button, QColor(10, 200, 30));
        p.setColor(QPalette::Window, QColor(10, 200, 30));
        h.host->setPalette(p);
        EXPECT_EQ(oleAt(h.surface(), 5, 12), scheme == chBut::Custom ? before : 0x1EC80Au)
            << "scheme " << scheme;
    }
}

TEST(ButtonPaintTest, FocusRectangleIsDottedInTextColourInsetByStyleWhileFocused) {
    // The inset is 4 for Windows 32-bit and XP, 3 otherwise; XP shows focus by its blue rim.
    for (const auto& [type, i, drawn] :
         {std::tuple{chBut::Windows32Bit, 4, true}, std::tuple{chBut::SimpleFlat, 3, true},
          std::tuple{chBut::OfficeXP, 3, true}, std::tuple{chBut::WindowsXP, 4, false}}) {
        ButtonHarness h;
        h.style(type);
        h.focus();
        ASSERT_TRUE(h.button->hasFocus());
        const QImage img = h.surface();
        const bool dotted = oleAt(img, i, i) == 0 && oleAt(img, i + 1, i) != 0 &&
                            oleAt(img, i + 2, i) == 0 && oleAt(img, 59 - i, 23 - i) == 0;
        EXPECT_EQ(dotted, drawn) << "type " << type;
        h.button->clearFocus();
        EXPECT_NE(oleAt(h.surface(), i, i), 0x000000u) << "gone with the focus";
        h.button->setShowFocusRect(false);
        h.focus();
        EXPECT_NE(oleAt(h.surface(), i, i), 0x000000u) << "hidden with ShowFocusRect off";
    }
}

} // namespace
