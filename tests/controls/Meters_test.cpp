#include "tests/controls/QtTestEnvironment.h"

#include <glimmer/L2M2.h>
#include <glimmer/MemoryPropertyBag.h>
#include <glimmer/s2M2.h>

#include <QApplication>
#include <glimmer/ControlError.h>
#include <glimmer/sGraph.h>
#include <gtest/gtest.h>
#include <memory>

using namespace glimmer;
using namespace glimmer::test;

namespace {

TEST(Meter, AStartedLedLights) {
    // value, minimum, maximum, LEDs, lit
    // clang-format off
    for (const auto& [value, min, max, leds, lit] : {std::tuple{0.1f, 0.f, 6.f, 12, 1},
             {1.f, 0.f, 6.f, 12, 2}, {1.01f, 0.f, 6.f, 12, 3}, {9.f, 0.f, 6.f, 12, 12},
             {-3.f, 0.f, 6.f, 12, 0}, {-5.f, -10.f, 0.f, 4, 2}, {3.f, 3.f, 3.f, 12, 0}}) {
        // clang-format on
        L2M2 bar;
        bar.setNumLEDs(leds);
        bar.setMinValue(-100);
        bar.setMaxValue(max);
        bar.setMinValue(min);
        bar.setValue(value);
        EXPECT_EQ(bar.litCount(), lit) << value << " in " << min << " … " << max;
    }
}

TEST(Meter, JumpRatioAndBoundReplacement) {
    L2M2 bar;
    bar.setMaxJumpRatio(1.5f);
    EXPECT_EQ(bar.MaxJumpRatio(), 1.0f);
    bar.setMaxJumpRatio(0.25f);
    bar.setValue(6); // a quarter of the range 0 … 6 per write
    EXPECT_EQ(bar.Value(), 1.5f);
    bar.setValue(-6);
    EXPECT_EQ(bar.Value(), 0.0f);
    bar.setMinValue(10); // above the upper bound: the whole part of 6 × 0.9
    EXPECT_EQ(bar.MinValue(), 5.0f);
    bar.setMaxValue(1); // below the lower bound: 5 × 1.1 + 1
    EXPECT_FLOAT_EQ(bar.MaxValue(), 6.5f);
    L2M2 wide;
    wide.setMaxValue(15);
    wide.setMinValue(20);
    EXPECT_EQ(wide.MinValue(), 13.0f); // 13.5 cut, not rounded
    MemoryPropertyBag bag;
    bag.WriteProperty(QStringLiteral("LedInterSpace"), -3); // a bag obeys the setters' bound
    wide.ReadProperties(bag);
    EXPECT_EQ(wide.LedInterSpace(), -1);
    s2M2 scale;
    scale.resize(100, 40);
    scale.Refresh(); // minor step 11, so the bar spans 88 pixels
    scale.setValue(0.1f);
    EXPECT_EQ(scale.highlightLength(), 2); // 1.47 rounded up
}

TEST(L2M2, LightsLedsAndRepaintsOnlyTheChangedOnes) {
    QWidget host;
    auto* bar = new L2M2(&host);
    bar->setGeometry(0, 0, 300, 12);
    host.show();
    // 12 LEDs of 5 + 2 pixels with 1 between: 95 pixels, whatever the host asked for.
    EXPECT_EQ(bar->width(), 95);
    bar->setMaxJumpRatio(0.5f);
    bar->setValue(6);
    EXPECT_EQ(bar->litCount(), 6);
    const QImage image = render(*bar);
    // clang-format off
    expectPixels(image, {{0, 0, 0xFF0000}, {3, 5, 0x00FF00}, {40, 0, 0xFF0000}, {43, 5, 0x00FF00},
                         {47, 5, 0xC0C0C0}, {48, 0, 0}, {51, 5, 0xC0C0C0}, {-1, -1, 0}});
    // clang-format on

    EventSpy spy;
    bar->installEventFilter(&spy);
    QApplication::processEvents();
    spy.painted = QRegion();
    bar->setValue(6); // LEDs 6 … 11 light
    QApplication::processEvents();
    EXPECT_EQ(bar->litCount(), 12);
    EXPECT_EQ(spy.painted.boundingRect(), QRect(48, 0, 47, 12));
    bar->setLedInnerWidth(1); // three pixels wide: still one of colour inside the border
    expectPixels(render(*bar), {{1, 5, 0x00FF00}, {2, 5, 0xFF0000}});
}

TEST(s2M2, DrawsBarMarksNumbersAndPointer) {
    QWidget host;
    auto* scale = new s2M2(&host);
    scale->setFont(fixedFont());
    scale->setGeometry(0, 0, 100, 40);
    host.show();
    // (100 − 12) ÷ 4 ÷ 2 = 11 → minor step 11, major 22, width 22 × 4 + 12.
    EXPECT_EQ(scale->minorStep(), 11);
    EXPECT_EQ(scale->width(), 100);
    scale->setValue(3);
    EXPECT_EQ(scale->highlightLength(), 44);
    const QImage image = render(*scale);
    const int s = 9; // PointerBarSpace + 11
    // Bar, highlight (two rows) and beyond it; major mark i = 1 (x 27, 28); minor mark i = 0,
    // j = 1 (five rows); pointer block x 46 … 52; its tip rows 5, 3 and 1 wide.
    // clang-format off
    expectPixels(image, {{5, s + 2, 0x808080}, {5, s, 0x00FF00}, {48, s + 1, 0x00FF00},
                         {53, s, 0x808080}, {27, s + 3, 0x808080}, {28, s + 8, 0x808080},
                         {16, s + 7, 0x808080}, {16, s + 8, 0xC0C0C0},
                         {46, 3, 0xFF0000}, {52, 7, 0xFF0000},
                         {47, 8, 0xFF0000}, {46, 8, 0xC0C0C0}, {50, 9, 0xFF0000},
                         {49, 10, 0xFF0000}, {50, 10, 0x808080}});
    // clang-format on
    // Numbers in the numbers colour from y = 20 down, "0" centred on the first major mark.
    const QRect numbers = inkBox(image, 0x00FF00, QRect(0, s + 9, 100, 31));
    const QFontMetrics metrics(fixedFont());
    EXPECT_GE(numbers.top(), 20);
    EXPECT_LE(numbers.top(), 20 + metrics.ascent());
    EXPECT_NEAR(numbers.left(), 5 - metrics.horizontalAdvance("0") / 2 + 1, 1);
    EXPECT_GE(numbers.right(), 93);
}

TEST(sGraph, RingFollowsTheWidthAndWraps) {
    QWidget host;
    auto* graph = new sGraph(&host);
    EXPECT_EQ(graph->NPoints(), 10);
    graph->appendPointVal(7);
    graph->setGeometry(0, 0, 22, 3);
    host.show();
    EXPECT_EQ(graph->height(), 5); // never below 5 × 5
    EXPECT_EQ(graph->NPoints(), 20);
    EXPECT_EQ(graph->pointVal(0), 7); // kept through the resize
    graph->resetValues();
    for (int i = 0; i < graph->NPoints() + 1; ++i)
        graph->appendPointVal(i);
    EXPECT_EQ(graph->StartPoint(), 1);
    EXPECT_EQ(graph->pointVal(0), 20);
    graph->prependPointVal(-1);
    graph->prependPointVal(-2);
    EXPECT_EQ(graph->StartPoint(), graph->NPoints() - 1);
    try {
        graph->pointVal(graph->NPoints());
        ADD_FAILURE() << "no error for a slot past the end";
    } catch (const ControlError& e) {
        EXPECT_EQ(e.number(), 0x800E0202u);
        EXPECT_EQ(e.source(), "sGraph");
        EXPECT_EQ(e.description(), "subscript out of range");
    }
    EXPECT_THROW(graph->setPointVal(-1, 0), ControlError);
    graph->resetValues();
    EXPECT_EQ(graph->StartPoint(), 0);
    EXPECT_EQ(graph->pointVal(5), 0);
}

TEST(sGraph, DrawsGridBothWaysAndThePlot) {
    QWidget host;
    auto* graph = new sGraph(&host);
    graph->setGeometry(0, 0, 30, 25);
    graph->setBackColor(0xFFFFFF);
    host.show();
    graph->setGridHDist(2); // becomes 4
    EXPECT_EQ(graph->GridHDist(), 4);
    const quint32 grid = 0xE0E0E0;
    const quint32 back = 0xFFFFFF;
    // Horizontal lines at y = 23, 18, 13, 8, 3; vertical ones at x = 1, 5, … 25.
    graph->setDesignMode(true); // the grid alone
    QImage image = render(*graph);
    // clang-format off
    expectPixels(image, {{0, 0, 0}, {29, 24, 0}, {2, 23, grid}, {2, 18, grid}, {2, 3, grid},
                         {2, 2, back}, {5, 10, grid}, {25, 10, grid}, {27, 10, back}});
    // clang-format on
    graph->resize(31, 25); // the last line on the last inner column, x = 29
    expectPixels(render(*graph), {{29, 10, grid}});
    graph->resize(30, 25);
    graph->setVGridDir(sGraph::sg_Backward); // x = 28, 24, … 4
    graph->setLevel(sGraph::sg_Raised);
    image = render(*graph);
    // clang-format off
    expectPixels(image, {{28, 10, grid}, {4, 10, grid}, {5, 10, back}, {1, 10, back},
                         {0, 5, 0xE3E3E3}, {29, 5, 0x808080}});
    // clang-format on

    // Values 0 … 20 over 22 pixels of height: y = value × 22 ÷ 20 up from row 23.
    graph->setVGridDir(sGraph::sg_Forward);
    graph->setDesignMode(false);
    for (int i = 0; i < graph->NPoints(); ++i)
        graph->appendPointVal(i == 2 ? 20 : 10);
    image = render(*graph);
    const quint32 plot = 0x0000E0;
    expectPixels(image, {{1, 12, plot}, {3, 1, plot}, {6, 12, plot}});
    graph->setDesignMode(true);
    EXPECT_TRUE(inkBox(render(*graph), plot, graph->rect()).isEmpty());
}

} // namespace
