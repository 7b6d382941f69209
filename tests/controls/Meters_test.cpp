#include "QtTestEnvironment.h"

#include <glimmer/L2M2.h>
#include <glimmer/s2M2.h>

#include <QApplication>
#include <QPaintEvent>
#include <gtest/gtest.h>
#include <memory>

using namespace glimmer;
using namespace glimmer::test;

namespace {

struct LitCase {
    const char* name;
    float value, minValue, maxValue;
    int leds, lit;
};
TEST(Meter, AStartedLedLights) {
    // clang-format off
    for (const LitCase& c : {LitCase{"zero", 0, 0, 6, 12, 0},
                             LitCase{"tenth", 0.1f, 0, 6, 12, 1},
                             LitCase{"whole step", 1, 0, 6, 12, 2},
                             LitCase{"just above whole", 1.01f, 0, 6, 12, 3},
                             LitCase{"full", 6, 0, 6, 12, 12},
                             LitCase{"above range", 9, 0, 6, 12, 12},
                             LitCase{"below range", -3, 0, 6, 12, 0},
                             LitCase{"negative range", -5, -10, 0, 4, 2},
                             LitCase{"empty range", 3, 3, 3, 12, 0}}) {
        // clang-format on
        L2M2 bar;
        bar.setNumLEDs(c.leds);
        bar.setMinValue(-100);
        bar.setMaxValue(c.maxValue);
        bar.setMinValue(c.minValue);
        bar.setValue(c.value);
        EXPECT_EQ(bar.litCount(), c.lit) << c.name;
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
    s2M2 scale;
    scale.resize(100, 40);
    scale.Refresh(); // minor step 11, so the bar spans 88 pixels
    scale.setValue(0.1f);
    EXPECT_EQ(scale.highlightLength(), 2); // 1.47 rounded up
    scale.setMinValue(7);                  // whole part of 6 × 0.9
    EXPECT_EQ(scale.MinValue(), 5.0f);
}

/// Remembers the area of each paint the watched widget gets.
class PaintSpy : public QObject {
public:
    QRegion painted;

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint)
            painted += static_cast<QPaintEvent*>(e)->region();
        return false;
    }
};

TEST(L2M2, LightsLedsAndRepaintsOnlyTheChangedOnes) {
    QWidget host;
    auto* bar = new L2M2(&host);
    bar->setGeometry(0, 0, 300, 12);
    host.show();
    // 12 LEDs of 5 + 2 pixels with 1 between: 95 pixels, whatever the host asked for.
    EXPECT_EQ(bar->width(), 95);
    bar->setMaxJumpRatio(0.5f);
    bar->setValue(6);
    EXPECT_EQ(bar->Value(), 3.0f);
    EXPECT_EQ(bar->litCount(), 6);
    const QImage image = render(*bar);
    // clang-format off
    expectPixels(image, {{0, 0, 0xFF0000}, {3, 5, 0x00FF00}, {40, 0, 0xFF0000}, {43, 5, 0x00FF00},
                         {47, 5, 0xC0C0C0}, {48, 0, 0}, {51, 5, 0xC0C0C0}, {-1, -1, 0}});
    // clang-format on

    PaintSpy spy;
    bar->installEventFilter(&spy);
    QApplication::processEvents();
    spy.painted = QRegion();
    bar->setValue(6); // LEDs 6 … 11 light
    QApplication::processEvents();
    EXPECT_EQ(bar->litCount(), 12);
    EXPECT_EQ(spy.painted.boundingRect(), QRect(48, 0, 47, 12));
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

} // namespace
