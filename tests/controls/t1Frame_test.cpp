#include "tests/controls/QtTestEnvironment.h"

#include <glimmer/MemoryPropertyBag.h>
#include <glimmer/t1Frame.h>

#include <QTest>
#include <gtest/gtest.h>
#include <memory>

using namespace glimmer;
using namespace glimmer::test;

namespace {

/// A shown 100 × 60 frame read from an empty bag.
struct FrameHarness {
    FrameHarness() : host(std::make_unique<QWidget>()) {
        host->setGeometry(100, 100, 200, 120);
        frame = new t1Frame(host.get());
        frame->setGeometry(20, 20, 100, 60);
        MemoryPropertyBag empty;
        frame->ReadProperties(empty);
        host->show();
    }
    QImage image() { return render(*frame); }

    std::unique_ptr<QWidget> host;
    t1Frame* frame;
};

TEST(FrameTest, EmptyBagGivesHelloStripWithLineAndOpaqueInsideInEtchedBorder) {
    FrameHarness h;
    const QImage img = h.image();
    // border lines and corners, strip rows 2..18, the 3-D line at 19, the inside from 20 to 57
    // clang-format off
    expectPixels(img, {{50, 0, 0x808080}, {50, 1, 0xFFFFFF}, {0, 30, 0x808080}, {1, 30, 0xFFFFFF},
                       {98, 30, 0x808080}, {99, 30, 0xFFFFFF}, {50, 58, 0x808080},
                       {50, 59, 0xFFFFFF}, {0, 0, 0x808080}, {99, 59, 0xFFFFFF},
                       {5, 2, 0xC0C0C0}, {5, 18, 0xC0C0C0}, {5, 19, 0x808080}, {97, 19, 0x808080},
                       {5, 20, 0xE0E0E0}, {5, 57, 0xE0E0E0}, {97, 57, 0xE0E0E0},
                       {2, 30, 0xE0E0E0}});
    // clang-format on
    EXPECT_FALSE(inkBox(img, 0x000000, QRect(2, 2, 96, 17)).isEmpty()) << "caption in the strip";
}

TEST(FrameTest, InsideStartsBelowStripAndCaptionNeedsStrip) {
    // strip, its height, its 3-D line, the first row of the inside fill
    for (const auto& [hasTape, tapeHeight, tape3D, insideTop] : {std::tuple{true, 17, false, 19},
                                                                 {true, 25, true, 28},
                                                                 {false, 17, true, 2},
                                                                 {true, 0, true, 2}}) {
        FrameHarness h;
        h.frame->setHasTape(hasTape);
        h.frame->setTapeHeight(tapeHeight);
        h.frame->setTape3D(tape3D);
        const QImage img = h.image();
        SCOPED_TRACE(testing::Message() << "tape " << hasTape << ", height " << tapeHeight);
        EXPECT_EQ(oleAt(img, 5, insideTop), 0xE0E0E0u);
        EXPECT_TRUE(insideTop == 2 || oleAt(img, 5, insideTop - 1) != 0xE0E0E0u);
        EXPECT_EQ(inkBox(img, 0x000000, QRect(2, 2, 96, 56)).isEmpty(), insideTop == 2);
    }
}

TEST(FrameTest, CaptionAlignsWithinStrip) {
    using F = t1Frame;
    const int tw = QFontMetrics(fixedFont()).horizontalAdvance(QStringLiteral("Title"));
    const int th = QFontMetrics(fixedFont()).height();
    for (const auto& [h, v] :
         {std::pair{F::tf_Left, F::tf_Top}, std::pair{F::tf_Center, F::tf_Middle},
          std::pair{F::tf_Right, F::tf_Bottom}}) {
        FrameHarness f;
        f.frame->setTapeHeight(30);
        f.frame->setCaption(QStringLiteral("Title"));
        f.frame->setHAlign(h);
        f.frame->setVAlign(v);
        const QRect ink = inkBox(f.image(), 0x000000, QRect(0, 0, 100, 33));
        const int left = h == F::tf_Left     ? 2
                         : h == F::tf_Center ? 2 + (100 - 2 - tw) / 2
                                             : 100 - tw;
        const int top = v == F::tf_Top ? 2 : v == F::tf_Middle ? 2 + (30 - 2 - th) / 2 : 30 - th;
        EXPECT_NEAR(ink.left(), left, 2) << h;
        EXPECT_NEAR(ink.right(), left + tw - 1, 2) << h;
        EXPECT_GE(ink.top(), top) << v;
        EXPECT_LE(ink.bottom(), top + th - 1) << v;
    }
}

TEST(FrameTest, TransparentInsideLetsClicksThroughToHost) {
    FrameHarness h;
    EventSpy onFrame;
    EventSpy onHost;
    h.frame->installEventFilter(&onFrame);
    h.host->installEventFilter(&onHost);
    const QPoint inside = h.frame->geometry().topLeft() + QPoint(50, 40);
    QTest::mouseClick(h.host->windowHandle(), Qt::LeftButton, Qt::NoModifier, inside);
    EXPECT_EQ(onFrame.presses, 1) << "an opaque frame takes the click";

    h.frame->setBackStyle(t1Frame::Transparent);
    // The inside is cut out, the border, the strip and its line stay, the corner pixels go.
    const QRegion mask = h.frame->mask();
    for (const auto& [p, kept] : {std::pair{QPoint(2, 20), false},
                                  {QPoint(97, 57), false},
                                  {QPoint(1, 30), true},
                                  {QPoint(50, 19), true},
                                  {QPoint(50, 58), true},
                                  {QPoint(0, 0), false},
                                  {QPoint(99, 59), false}})
        EXPECT_EQ(mask.contains(p), kept) << p.x() << ", " << p.y();
    const int hostBefore = onHost.presses;
    QTest::mouseClick(h.host->windowHandle(), Qt::LeftButton, Qt::NoModifier, inside);
    EXPECT_EQ(onFrame.presses, 1) << "the frame never sees the second click";
    EXPECT_EQ(onHost.presses, hostBefore + 1) << "the host window beneath gets it";
}

} // namespace
