#include "QtTestEnvironment.h"

#include <glimmer/ControlError.h>
#include <glimmer/sGraph.h>

#include <gtest/gtest.h>

using namespace glimmer;
using namespace glimmer::test;

namespace {

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
