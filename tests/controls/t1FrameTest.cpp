#include "CaseNames.h"
#include "QtTestEnvironment.h"

#include <glimmer/MemoryPropertyBag.h>
#include <glimmer/PropertyError.h>
#include <glimmer/t1Frame.h>

#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

using namespace glimmer;
using namespace glimmer::test;

namespace {

/// Counts the mouse presses a widget receives.
class PressCounter : public QObject {
public:
    int presses = 0;

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::MouseButtonPress)
            ++presses;
        return false;
    }
};

/// A shown 100 × 60 frame read from an empty bag (the documented defaults).
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

/// Each property with its default and another value.
struct FrameProp {
    const char* name;
    QVariant byDefault, other;
};

// clang-format off
const std::vector<FrameProp> kFrameProps = {
    {"BottomColor", 0x808080u, 1u}, {"TopColor", 0xFFFFFFu, 2u}, {"HasTape", true, false},
    {"TapeHeight", 17, 22}, {"Tape3D", true, false}, {"ForeColor", 0u, 3u},
    {"Caption", QStringLiteral("Hello"), QStringLiteral("About")}, {"BackColor", 0xC0C0C0u, 4u},
    {"InBackColor", 0xE0E0E0u, 5u}, {"HAlign", int(t1Frame::tf_Center), int(t1Frame::tf_Right)},
    {"vAlign", int(t1Frame::tf_Middle), int(t1Frame::tf_Bottom)},
    {"BackStyle", int(t1Frame::Opaque), int(t1Frame::Transparent)}};
// clang-format on

TEST(FrameTest, EmptyBagGivesHelloStripWithLineAndOpaqueInsideInEtchedBorder) {
    FrameHarness h;
    for (const FrameProp& p : kFrameProps)
        expectProperty(*h.frame, p.name, p.byDefault);
    const QImage img = h.image();
    // border lines and corners, strip rows 2..18, the 3-D line at 19, the inside from 20 to 57
    // clang-format off
    expectPixels(img, {{50, 0, 0x808080}, {50, 1, 0xFFFFFF}, {0, 30, 0x808080}, {1, 30, 0xFFFFFF},
                       {98, 30, 0x808080}, {99, 30, 0xFFFFFF}, {50, 58, 0x808080},
                       {50, 59, 0xFFFFFF}, {0, 0, 0x808080}, {99, 59, 0xFFFFFF},
                       {5, 2, 0xC0C0C0}, {5, 18, 0xC0C0C0}, {5, 19, 0x808080}, {97, 19, 0x808080},
                       {5, 20, 0xE0E0E0}, {5, 57, 0xE0E0E0}, {97, 57, 0xE0E0E0}, {2, 30, 0xE0E0E0}});
    // clang-format on
    EXPECT_FALSE(inkBox(img, 0x000000, QRect(2, 2, 96, 17)).isEmpty()) << "caption in the strip";
}

struct TapeCase {
    const char* name;
    bool hasTape;
    int tapeHeight;
    bool tape3D;
    int insideTop; // first row of the inside fill
};

void PrintTo(const TapeCase& c, std::ostream* os) {
    *os << c.name;
}

class FrameTapeTest : public ::testing::TestWithParam<TapeCase> {};

TEST_P(FrameTapeTest, InsideStartsBelowStrip) {
    const TapeCase& c = GetParam();
    FrameHarness h;
    h.frame->setHasTape(c.hasTape);
    h.frame->setTapeHeight(c.tapeHeight);
    h.frame->setTape3D(c.tape3D);
    const QImage img = h.image();
    EXPECT_EQ(oleAt(img, 5, c.insideTop), 0xE0E0E0u);
    if (c.insideTop > 2) {
        EXPECT_NE(oleAt(img, 5, c.insideTop - 1), 0xE0E0E0u);
    }
    const bool captionShown = c.hasTape && c.tapeHeight >= 1;
    EXPECT_EQ(inkBox(img, 0x000000, QRect(2, 2, 96, 56)).isEmpty(), !captionShown);
}

INSTANTIATE_TEST_SUITE_P(Strips, FrameTapeTest,
                         ::testing::Values(TapeCase{"withLine", true, 17, true, 20},
                                           TapeCase{"withoutLine", true, 17, false, 19},
                                           TapeCase{"taller", true, 25, true, 28},
                                           TapeCase{"noTape", false, 17, true, 2},
                                           TapeCase{"zeroHeightHidesStrip", true, 0, true, 2}),
                         CaseName());

struct AlignCase {
    const char* name;
    t1Frame::tf_HAlign h;
    t1Frame::tf_VAlign v;
};

void PrintTo(const AlignCase& c, std::ostream* os) {
    *os << c.name;
}

class FrameCaptionTest : public ::testing::TestWithParam<AlignCase> {};

TEST_P(FrameCaptionTest, CaptionAlignsWithinStrip) {
    const AlignCase& c = GetParam();
    FrameHarness h;
    h.frame->setTapeHeight(30);
    h.frame->setCaption(QStringLiteral("Title"));
    h.frame->setHAlign(c.h);
    h.frame->setVAlign(c.v);
    const QRect ink = inkBox(h.image(), 0x000000, QRect(0, 0, 100, 33));
    ASSERT_FALSE(ink.isEmpty());
    const int tw = QFontMetrics(fixedFont()).horizontalAdvance(QStringLiteral("Title"));
    const int th = QFontMetrics(fixedFont()).height();
    const int left = c.h == t1Frame::tf_Left     ? 2
                     : c.h == t1Frame::tf_Center ? 2 + (100 - 2 - tw) / 2
                                                 : 100 - tw;
    const int top = c.v == t1Frame::tf_Top      ? 2
                    : c.v == t1Frame::tf_Middle ? 2 + (30 - 2 - th) / 2
                                                : 30 - th;
    EXPECT_NEAR(ink.left(), left, 2);
    EXPECT_NEAR(ink.right(), left + tw - 1, 2);
    EXPECT_GE(ink.top(), top);
    EXPECT_LE(ink.bottom(), top + th - 1);
}

INSTANTIATE_TEST_SUITE_P(
    Alignments, FrameCaptionTest,
    ::testing::Values(AlignCase{"leftTop", t1Frame::tf_Left, t1Frame::tf_Top},
                      AlignCase{"centerMiddle", t1Frame::tf_Center, t1Frame::tf_Middle},
                      AlignCase{"rightBottom", t1Frame::tf_Right, t1Frame::tf_Bottom},
                      AlignCase{"leftBottom", t1Frame::tf_Left, t1Frame::tf_Bottom}),
    CaseName());

TEST(FrameTest, TransparentInsideLetsClicksThroughToHost) {
    FrameHarness h;
    PressCounter onFrame;
    PressCounter onHost;
    h.frame->installEventFilter(&onFrame);
    h.host->installEventFilter(&onHost);
    const QPoint inside = h.frame->geometry().topLeft() + QPoint(50, 40);
    QTest::mouseClick(h.host->windowHandle(), Qt::LeftButton, Qt::NoModifier, inside);
    EXPECT_EQ(onFrame.presses, 1) << "an opaque frame takes the click";

    h.frame->setBackStyle(t1Frame::Transparent);
    const QRegion mask = h.frame->mask();
    EXPECT_FALSE(mask.contains(QPoint(2, 20)));
    EXPECT_FALSE(mask.contains(QPoint(97, 57)));
    EXPECT_TRUE(mask.contains(QPoint(1, 30)));
    EXPECT_TRUE(mask.contains(QPoint(50, 19))) << "the strip and its line stay";
    EXPECT_TRUE(mask.contains(QPoint(50, 58)));
    EXPECT_FALSE(mask.contains(QPoint(0, 0))) << "corner pixels are cut";
    EXPECT_FALSE(mask.contains(QPoint(99, 59)));
    const int hostBefore =
        onHost.presses; // the frame ignores presses, so they travel on to the host
    QTest::mouseClick(h.host->windowHandle(), Qt::LeftButton, Qt::NoModifier, inside);
    EXPECT_EQ(onFrame.presses, 1) << "the frame never sees the second click";
    EXPECT_EQ(onHost.presses, hostBefore + 1) << "the host window beneath gets it";
    EXPECT_EQ(h.host->childAt(inside), nullptr);
}

TEST(FrameTest, SettingSameCaptionDoesNothing) {
    FrameHarness h;
    QSignalSpy spy(h.frame, &t1Frame::propertyChanged);
    h.frame->setCaption(QStringLiteral("Hello"));
    EXPECT_EQ(spy.count(), 0);
    h.frame->setCaption(QStringLiteral("Other"));
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0).at(0).toString(), QStringLiteral("Caption"));
}

TEST(FrameTest, ValuesRoundTripAndDefaultsAreLeftOut) {
    FrameHarness a;
    MemoryPropertyBag bag;
    a.frame->WriteProperties(bag);
    EXPECT_EQ(bag.count(), 0) << bag.keys().join(',').toStdString();
    for (const FrameProp& p : kFrameProps)
        ASSERT_TRUE(a.frame->setProperty(p.name, p.other)) << p.name;
    a.frame->WriteProperties(bag);
    EXPECT_EQ(bag.count(), 12);
    FrameHarness b;
    b.frame->ReadProperties(bag);
    for (const FrameProp& p : kFrameProps) {
        EXPECT_TRUE(bag.contains(QString::fromLatin1(p.name))) << p.name;
        expectProperty(*b.frame, p.name, p.other);
    }
}

TEST(FrameTest, InitPropertiesTakesHostName) {
    FrameHarness h;
    h.frame->InitProperties(QStringLiteral("t1Frame1"));
    EXPECT_EQ(h.frame->Caption(), QStringLiteral("t1Frame1"));
    EXPECT_EQ(h.frame->TapeHeight(), 17);
}

TEST(FrameTest, OutOfRangeAlignmentRaisesPropertyError) {
    FrameHarness h;
    MemoryPropertyBag bag;
    bag.WriteProperty(QStringLiteral("valign"), 3);
    EXPECT_THROW(h.frame->ReadProperties(bag), PropertyError);
}

} // namespace
