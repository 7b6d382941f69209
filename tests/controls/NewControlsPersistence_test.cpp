#include "CaseNames.h"
#include "QtTestEnvironment.h"

#include <glimmer/L2M2.h>
#include <glimmer/MemoryPropertyBag.h>
#include <glimmer/PropertyError.h>
#include <glimmer/s2M2.h>
#include <glimmer/sGraph.h>
#include <glimmer/t1Cap.h>
#include <glimmer/t1Grad.h>

#include <gtest/gtest.h>
#include <functional>
#include <memory>

using namespace glimmer;
using namespace glimmer::test;

namespace {

/// Reads, writes and creates one kind of control through its property bag.
struct ControlKind {
    const char* name;
    std::function<std::unique_ptr<QWidget>()> make;
    std::function<void(QWidget&, const PropertyBag&)> read;
    std::function<void(const QWidget&, PropertyBag&)> write;
    std::vector<PropertyCase> cases; // in an order the setters accept
};
void PrintTo(const ControlKind& c, std::ostream* os) { *os << c.name; }

template <typename C> ControlKind kind(const char* name, std::vector<PropertyCase> cases) {
    return {name, [] { return std::make_unique<C>(); },
            [](QWidget& w, const PropertyBag& b) { static_cast<C&>(w).ReadProperties(b); },
            [](const QWidget& w, PropertyBag& b) { static_cast<const C&>(w).WriteProperties(b); },
            std::move(cases)};
}

const std::vector<ControlKind>& kinds() {
    // clang-format off
    static const std::vector<ControlKind> all = {
        kind<t1Cap>("t1Cap", {{"Caption", QString(), QStringLiteral("Title")}, {"HAlign", 1, 2},
            {"TextAlign", 0, 1}, {"vAlign", 1, 0}, {"ForeColor", 0u, 0x102030u},
            {"Back1Color", 0u, 5u}, {"Back2Color", 0xFFFFFFu, 6u}, {"Direction", 0, 3},
            {"Appearance", 13, 14}, {"BackStyle", 1, 0}}),
        kind<t1Grad>("t1Grad", {{"FirstColor", 0u, 7u}, {"SecondColor", 0xFFFFFFu, 8u},
            {"Direction", 0, 2}, {"Appearance", 13, 4}}),
        kind<sGraph>("sGraph", {{"BackColor", 0x8000000Fu, 0x202020u}, {"GridColor", 0xE0E0E0u, 1u},
            {"PlotColor", 0x0000E0u, 2u}, {"BorderColor", 0u, 3u},
            {"DarkShadowColor", 0x80000010u, 4u}, {"LightShadowColor", 0x80000016u, 5u},
            {"level", 0, 2}, {"MinValue", 0, -50}, {"MaxValue", 20, 50}, {"GridHDist", 6, 9},
            {"GridVDist", 5, 11}, {"VGridDir", 0, 1}}),
        kind<L2M2>("L2M2", {{"BackColor", 0xC0C0C0u, 1u}, {"LedOffColor", 0xC0C0C0u, 2u},
            {"LedOnColor", 0x00FF00u, 3u}, {"LedOffBorderColor", 0u, 4u},
            {"LedOnBorderColor", 0xFF0000u, 5u}, {"LedInnerWidth", 5, 3}, {"LedInterSpace", 1, -1},
            {"NumLEDs", 12, 20}, {"MinValue", 0.0f, 1.0f}, {"MaxValue", 6.0f, 9.0f},
            {"MaxJumpRatio", 0.0f, 0.5f}, {"Value", 0.0f, 2.5f}}),
        kind<s2M2>("s2M2", {{"BackColor", 0xC0C0C0u, 1u}, {"BarColor", 0x808080u, 2u},
            {"BarHiLiteColor", 0x00FF00u, 3u}, {"MajorMarkColor", 0x808080u, 4u},
            {"MinorMarkColor", 0x808080u, 5u}, {"NumbersColor", 0x00FF00u, 6u},
            {"PointerColor", 0xFF0000u, 7u}, {"MajorDivisions", 4, 5}, {"MinorDivisions", 2, 3},
            {"BarWidth", 3, 4}, {"BarHiliteWidth", 2, 1}, {"PointerBarSpace", -2, 0},
            {"NumVOffAdjust", -2, 1}, {"MinValue", 0.0f, -1.0f}, {"MaxValue", 6.0f, 4.0f},
            {"MaxJumpRatio", 0.0f, 1.0f}, {"Value", 0.0f, 3.5f}}),
    };
    // clang-format on
    return all;
}

class NewControlBag : public ::testing::TestWithParam<ControlKind> {};

// Defaults from an empty bag; every other value survives a write and a read into a new control.
TEST_P(NewControlBag, DefaultsAndRoundTrip) {
    const ControlKind& k = GetParam();
    std::unique_ptr<QWidget> first = k.make();
    k.read(*first, MemoryPropertyBag());
    expectCases(*first, k.cases, true);
    setOthers(*first, k.cases);
    MemoryPropertyBag bag;
    k.write(*first, bag);
    std::unique_ptr<QWidget> second = k.make();
    k.read(*second, bag);
    expectCases(*second, k.cases, false);
}

INSTANTIATE_TEST_SUITE_P(Glimmer, NewControlBag, ::testing::ValuesIn(kinds()), CaseName());

TEST(NewControlBag, BadValuesRaiseFromABagAndAreRefusedThroughQt) {
    MemoryPropertyBag bag;
    bag.WriteProperty(QStringLiteral("appearance"), 15); // keys match without regard to case
    t1Grad panel;
    EXPECT_THROW(panel.ReadProperties(bag), PropertyError);
    EXPECT_NO_THROW(panel.setProperty("Appearance", 15));
    EXPECT_EQ(panel.Appearance(), t1Grad::SoftGray);
    sGraph graph;
    EXPECT_NO_THROW(graph.setProperty("level", 7));
    EXPECT_EQ(graph.level(), sGraph::sg_Flat);
    // A stored grid distance below the smallest still gives a grid that ends.
    MemoryPropertyBag tight;
    tight.WriteProperty(QStringLiteral("GridHDist"), 0);
    graph.ReadProperties(tight);
    EXPECT_EQ(graph.GridHDist(), 4);
}

} // namespace
