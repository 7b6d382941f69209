#include "PictureBlender.h"

#include <gtest/gtest.h>

using namespace glimmer;
using Mode = PictureBlender::Mode;

namespace {

QImage filled(int w, int h, QColor c) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(c);
    return img;
}

TEST(PictureBlenderTest, CombinesPictureWithSurfaceByMode) {
    struct Case {
        Mode mode;
        QColor picture, expected; // on a (30, 60, 90) surface; silhouette colour (1, 2, 3)
    };
    // clang-format off
    const Case cases[] = {
        // round(0.3 × 100) + 0.59 × 200 + 0.11 × 50 = 30 + 118 + 5.5, rounded: 154
        {Mode::Grey, QColor(100, 200, 50), QColor(154, 154, 154)},
        // a silhouette takes pixels whose channels add up to 384 at most
        {Mode::Silhouette, QColor(128, 128, 128), QColor(1, 2, 3)},
        {Mode::Silhouette, QColor(129, 128, 128), QColor(30, 60, 90)},
        {Mode::Plain, QColor(192, 192, 192), QColor(30, 60, 90)}}; // the mask colour
    // clang-format on
    for (const Case& c : cases) {
        QImage surface = filled(4, 4, QColor(30, 60, 90));
        PictureBlender::blend(surface, filled(2, 2, c.picture), QPoint(1, 1), c.mode, true,
                              QColor(192, 192, 192), QColor(1, 2, 3));
        EXPECT_EQ(surface.pixelColor(1, 1), c.expected)
            << int(c.mode) << " " << c.picture.name().toStdString();
        EXPECT_EQ(surface.pixelColor(0, 0), QColor(30, 60, 90)) << "outside the picture";
    }
}

TEST(PictureBlenderTest, ClipsAtSurfaceEdges) {
    QImage surface = filled(3, 3, QColor(0, 0, 0));
    PictureBlender::blend(surface, filled(4, 4, QColor(9, 9, 9)), QPoint(-2, 1), Mode::Plain, false,
                          QColor());
    EXPECT_EQ(surface.pixelColor(1, 2), QColor(9, 9, 9));
    EXPECT_EQ(surface.pixelColor(2, 2), QColor(0, 0, 0));
}

} // namespace
