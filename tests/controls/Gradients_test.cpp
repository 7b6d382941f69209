#include "CaseNames.h"
#include "QtTestEnvironment.h"

#include <glimmer/t1Cap.h>
#include <glimmer/t1Grad.h>

#include <QLabel>
#include <QPainter>
#include <gtest/gtest.h>

using namespace glimmer;
using namespace glimmer::test;

namespace {

struct GradientCase {
    const char* name;
    int appearance, direction;
    quint32 first, last; // colour at the start and at the end of the gradient's axis
};
void PrintTo(const GradientCase& c, std::ostream* os) { *os << c.name; }

class GradientEnds : public ::testing::TestWithParam<GradientCase> {};

// The pixel at the start and at the end of the axis, for a panel and for an opaque caption.
TEST_P(GradientEnds, FollowAppearanceAndDirection) {
    const GradientCase& c = GetParam();
    QWidget host;
    auto* panel = new t1Grad(&host);
    auto* caption = new t1Cap(&host);
    panel->setGeometry(0, 0, 40, 30);
    caption->setGeometry(0, 40, 40, 30);
    panel->setFirstColor(0x102030);
    panel->setSecondColor(0x405060);
    caption->setBack1Color(0x102030);
    caption->setBack2Color(0x405060);
    panel->setAppearance(t1Grad::tgrd_Appearance(c.appearance));
    panel->setDirection(t1Grad::tgrd_Direction(c.direction));
    caption->setAppearance(t1Cap::tcap_Appearance(c.appearance));
    caption->setDirection(t1Cap::tcap_Direction(c.direction));
    host.show();
    const bool across = c.direction == 0 || c.direction == 2;
    for (QWidget* w : {static_cast<QWidget*>(panel), static_cast<QWidget*>(caption)}) {
        const QImage image = render(*w);
        EXPECT_EQ(oleAt(image, 0, 0), c.first) << w->metaObject()->className();
        EXPECT_EQ(oleAt(image, across ? 39 : 0, across ? 0 : 29), c.last)
            << w->metaObject()->className();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Glimmer, GradientEnds,
    ::testing::Values(GradientCase{"SoftGrayIgnoresColours", 13, 0, 0xAAAAAA, 0xEEEEEE},
                      GradientCase{"CustomUsesColours", 14, 0, 0x102030, 0x405060},
                      GradientCase{"AutumnTopToBottom", 0, 1, 0x406060, 0x80A0A0},
                      GradientCase{"BlueRightToLeft", 6, 2, 0x402020, 0xA08070},
                      GradientCase{"NeonGreenBottomToTop", 11, 3, 0xCCCC22, 0x444444}),
    CaseName());

TEST(t1Grad, LabelsShowTheGradientBehindTheirText) {
    t1Grad panel;
    panel.setGeometry(0, 0, 80, 30);
    panel.setAppearance(t1Grad::Custom);
    panel.setFirstColor(0x0000FF);
    panel.setSecondColor(0x0000FF);
    auto* label = new QLabel(QStringLiteral("Hi"), &panel);
    label->setGeometry(10, 5, 60, 20);
    panel.show();
    const QImage image = render(panel);
    EXPECT_EQ(oleAt(image, 68, 6), 0x0000FFu); // inside the label, off its text
    EXPECT_FALSE(inkBox(image, 0x101010, QRect(10, 5, 60, 20)).isEmpty()); // its text
}

struct AlignCase {
    const char* name;
    int hAlign, vAlign;
};
void PrintTo(const AlignCase& c, std::ostream* os) { *os << c.name; }

class CaptionText : public ::testing::TestWithParam<AlignCase> {};

// The block is measured in the inside (1, 1)–(W − 1, H − 1) and moved by the alignments.
TEST_P(CaptionText, BlockPlacedByAlignment) {
    const AlignCase& c = GetParam();
    t1Cap caption;
    caption.setFont(fixedFont());
    caption.setGeometry(0, 0, 120, 50);
    caption.setCaption(QStringLiteral("Two words"));
    caption.setHAlign(t1Cap::tc_HAlign(c.hAlign));
    caption.setVAlign(t1Cap::tc_VAlign(c.vAlign));
    const QSize text = QFontMetrics(fixedFont()).size(0, caption.Caption());
    const int across[] = {1, 1 + (120 - 1 - text.width()) / 2, 120 - text.width()};
    const int down[] = {1, 1 + (50 - 1 - text.height()) / 2, 50 - text.height()};
    EXPECT_EQ(caption.textRect(), QRect(QPoint(across[c.hAlign], down[c.vAlign]), text));
}

INSTANTIATE_TEST_SUITE_P(Glimmer, CaptionText,
                         ::testing::Values(AlignCase{"LeftTop", 0, 0},
                                           AlignCase{"CenterMiddle", 1, 1},
                                           AlignCase{"RightBottom", 2, 2},
                                           AlignCase{"LeftBottom", 0, 2}),
                         CaseName());

/// A host painted in stripes, so what shows through a caption can be checked.
class StripedHost : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        for (int x = 0; x < width(); x += 4)
            p.fillRect(x, 0, 2, height(), QColor(255, 0, 0));
    }
};

TEST(t1Cap, SeeThroughShowsTheHostAndFollowsAMove) {
    StripedHost host;
    host.setGeometry(0, 0, 200, 80);
    auto* caption = new t1Cap(&host);
    caption->setFont(fixedFont());
    caption->setGeometry(10, 10, 100, 40);
    caption->setBackStyle(t1Cap::Transparent);
    host.show();
    QImage image = render(*caption);
    // Host x = 8, 9 and 12, 13 are red, 10, 11 the host's background; the caption starts at 10.
    EXPECT_NE(oleAt(image, 0, 2), 0x0000FFu);
    EXPECT_EQ(oleAt(image, 2, 2), 0x0000FFu);
    caption->move(12, 10);
    image = render(*caption);
    EXPECT_EQ(oleAt(image, 0, 2), 0x0000FFu);
    EXPECT_NE(oleAt(image, 2, 2), 0x0000FFu);
}

} // namespace
