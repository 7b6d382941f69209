#include "PictureBlender.h"
#include "CaseNames.h"

#include <gtest/gtest.h>

using namespace glimmer;
using Mode = PictureBlender::Mode;

namespace {

QImage filled(int w, int h, QColor c) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(c);
    return img;
}

struct BlendCase {
    const char* name;
    Mode mode;
    QColor picture;
    QColor expected; // on a (30, 60, 90) surface; silhouette colour (1, 2, 3)
};

void PrintTo(const BlendCase& c, std::ostream* os) {
    *os << c.name;
}

class BlendModeTest : public ::testing::TestWithParam<BlendCase> {};

TEST_P(BlendModeTest, CombinesPictureWithSurface) {
    const BlendCase& c = GetParam();
    QImage surface = filled(4, 4, QColor(30, 60, 90));
    PictureBlender::blend(surface, filled(2, 2, c.picture), QPoint(1, 1), c.mode, true,
                          QColor(192, 192, 192), QColor(1, 2, 3));
    EXPECT_EQ(surface.pixelColor(1, 1), c.expected);
    EXPECT_EQ(surface.pixelColor(0, 0), QColor(30, 60, 90)) << "outside the picture";
}

INSTANTIATE_TEST_SUITE_P(
    Modes, BlendModeTest,
    ::testing::Values(
        // round(0.3 × 100) + 0.59 × 200 + 0.11 × 50 = 30 + 118 + 5.5, rounded: 154
        BlendCase{"greySumRounded", Mode::Grey, QColor(100, 200, 50), QColor(154, 154, 154)},
        BlendCase{"silhouetteDarkPixel", Mode::Silhouette, QColor(128, 128, 128), QColor(1, 2, 3)},
        BlendCase{"silhouetteSkipsLightPixel", Mode::Silhouette, QColor(129, 128, 128),
                  QColor(30, 60, 90)},
        BlendCase{"maskColourStaysTransparent", Mode::Plain, QColor(192, 192, 192),
                  QColor(30, 60, 90)}),
    test::CaseName());

TEST(PictureBlenderTest, ClipsAtSurfaceEdges) {
    QImage surface = filled(3, 3, QColor(0, 0, 0));
    PictureBlender::blend(surface, filled(4, 4, QColor(9, 9, 9)), QPoint(-2, 1), Mode::Plain, false,
                          QColor());
    EXPECT_EQ(surface.pixelColor(1, 2), QColor(9, 9, 9));
    EXPECT_EQ(surface.pixelColor(2, 2), QColor(0, 0, 0));
}

} // namespace
