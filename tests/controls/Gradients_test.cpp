#include "tests/controls/QtTestEnvironment.h"

#include <glimmer/t1Cap.h>
#include <glimmer/t1Grad.h>

#include <QLabel>
#include <QPainter>
#include <gtest/gtest.h>

using namespace glimmer;
using namespace glimmer::test;

namespace {

// The pixel at the start and at the end of the axis, for a panel and for an opaque caption.
TEST(Gradient, EndsFollowAppearanceAndDirection) {
    // name, appearance, direction, colour at the start and at the end of the gradient's axis
    for (const auto& [name, appearance, direction, first, last] :
         {std::tuple{"soft gray, no colours", 13, 0, 0xAAAAAAu, 0xEEEEEEu},
          {"custom colours", 14, 0, 0x102030u, 0x405060u},
          {"autumn down", 0, 1, 0x406060u, 0x80A0A0u},
          {"blue leftward", 6, 2, 0x402020u, 0xA08070u},
          {"neon green up", 11, 3, 0xCCCC22u, 0x444444u}}) {
        QWidget host;
        const std::pair<QWidget*, const char*> controls[] = {{new t1Grad(&host), "FirstColor"},
                                                             {new t1Cap(&host), "Back1Color"}};
        for (const auto& [w, colour] : controls) {
            w->setGeometry(0, w == controls[0].first ? 0 : 40, 40, 30);
            w->setProperty(colour, 0x102030u);
            w->setProperty(colour == std::string("FirstColor") ? "SecondColor" : "Back2Color",
                           0x405060u);
            w->setProperty("Appearance", appearance);
            w->setProperty("Direction", direction);
        }
        host.show();
        const bool across = direction == 0 || direction == 2;
        for (const auto& [w, colour] : controls) {
            const QImage image = render(*w);
            SCOPED_TRACE(testing::Message() << name << ", " << w->metaObject()->className());
            EXPECT_EQ(oleAt(image, 0, 0), first);
            EXPECT_EQ(oleAt(image, across ? 39 : 0, across ? 0 : 29), last);
        }
    }
}

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

// The block is measured in the inside (1, 1)–(W − 1, H − 1) and moved by the alignments.
TEST(t1Cap, TextBlockPlacedByAlignment) {
    for (const auto& [h, v] : {std::pair{0, 0}, {1, 1}, {2, 2}, {0, 2}}) {
        t1Cap caption;
        caption.setFont(fixedFont());
        caption.setGeometry(0, 0, 120, 50);
        caption.setCaption(QStringLiteral("Two words"));
        caption.setHAlign(t1Cap::tc_HAlign(h));
        caption.setVAlign(t1Cap::tc_VAlign(v));
        const QSize text = QFontMetrics(fixedFont()).size(0, caption.Caption());
        const int across[] = {1, 1 + (120 - 1 - text.width()) / 2, 120 - text.width()};
        const int down[] = {1, 1 + (50 - 1 - text.height()) / 2, 50 - text.height()};
        EXPECT_EQ(caption.textRect(), QRect(QPoint(across[h], down[v]), text))
            << "alignment " << h << ", " << v;
    }
}

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
