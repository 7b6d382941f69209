#include "tests/controls/QtTestEnvironment.h"

#include <glimmer/OleColor.h>
#include <glimmer/chBut.h>

#include <QPainter>
#include <QTest>
#include <gtest/gtest.h>

using namespace glimmer;
using namespace glimmer::test;

namespace {

// Every widget of this program has a device pixel ratio of 2: set before the application starts.
[[maybe_unused]] const bool scaled = qputenv("QT_SCALE_FACTOR", "2");

struct Shown {
    QWidget host;
    chBut* button = new chBut(&host);
    Shown() {
        button->setGeometry(5, 5, 120, 40);
        button->setButtonType(chBut::FlatHighlight);
        host.resize(130, 50);
        host.show();
        (void)QTest::qWaitForWindowExposed(&host);
    }
    QImage surface() const {
        return button->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }
};

TEST(HighDensity, CaptionGlyphsAreDrawnAtDeviceResolutionNotScaledUp) {
    Shown shown;
    shown.button->setCaption(QStringLiteral("Wavy Ring"));
    ASSERT_EQ(shown.button->devicePixelRatioF(), 2.0);
    const QImage image = shown.surface();
    ASSERT_EQ(image.size(), QSize(240, 80));
    const quint32 ink = OleColor::fromColor(fixedPalette().color(QPalette::ButtonText));
    const quint32 face = OleColor::fromColor(fixedPalette().color(QPalette::Button));
    // A copy drawn at one density and scaled up is made of 2 × 2 blocks of one colour; glyphs
    // drawn at device resolution have edges inside those blocks. Without antialiasing, as at
    // ratio 1, no pixel is a half-tone between ink and face.
    int inkBlocks = 0, splitBlocks = 0, halfTones = 0;
    for (int y = 12; y + 1 < image.height() - 12; y += 2) {
        for (int x = 12; x + 1 < image.width() - 12; x += 2) {
            int inked = 0;
            for (const QPoint p :
                 {QPoint(x, y), QPoint(x + 1, y), QPoint(x, y + 1), QPoint(x + 1, y + 1)}) {
                const quint32 c = oleAt(image, p.x(), p.y());
                inked += c == ink;
                halfTones += c != ink && c != face;
            }
            inkBlocks += inked > 0;
            splitBlocks += inked > 0 && inked < 4;
        }
    }
    ASSERT_GT(inkBlocks, 50);
    EXPECT_GT(splitBlocks, inkBlocks / 5) << "edges on the device grid, not on a 2 × 2 grid";
    EXPECT_EQ(halfTones, 0);
}

TEST(HighDensity, APictureOfTheDeviceRatioShowsEveryDevicePixel) {
    QImage checker(32, 32, QImage::Format_RGB32);
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x)
            checker.setPixel(x, y, (x + y) % 2 ? qRgb(200, 0, 0) : qRgb(0, 0, 200));
    }
    QPixmap picture = QPixmap::fromImage(checker);
    picture.setDevicePixelRatio(2); // 16 × 16 logical pixels
    Shown shown;
    shown.button->setUseMaskColor(false);
    shown.button->setPictureNormal(picture);
    EXPECT_EQ(shown.button->minimumSizeHint(), QSize(16 + 10, 16 + 10)) << "laid out at 16 × 16";
    const QImage image = shown.surface();
    const QRect blue = inkBox(image, OleColor::fromColor(QColor(0, 0, 200)), image.rect());
    ASSERT_EQ(blue.size(), QSize(32, 32));
    for (int x = blue.left(); x < blue.right(); ++x)
        EXPECT_NE(image.pixel(x, blue.top()), image.pixel(x + 1, blue.top())) << x;
}

} // namespace
