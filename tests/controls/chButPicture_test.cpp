#include "tests/controls/ButtonHarness.h"
#include "tests/controls/CaseNames.h"

#include "controls/PictureBlender.h"
#include <QPainter>
#include <gtest/gtest.h>

using namespace glimmer;
using namespace glimmer::test;

using Mode = PictureBlender::Mode;
namespace {

constexpr quint32 Face = 0x808080, Shadow = 0x404040, Highlight = 0xAFAFAF, Red = 0x0000FF;

QImage filled(int w, int h, QColor c) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(c);
    return img;
}

/// 8 × 6: the left half red, the right half the mask colour.
QPixmap halfRed(QColor right = QColor(192, 192, 192)) {
    QImage img = filled(8, 6, right);
    QPainter(&img).fillRect(0, 0, 4, 6, QColor(255, 0, 0));
    return QPixmap::fromImage(img);
}

/// A custom-scheme button (face 0x808080) showing the picture alone, centred at (26, 9).
void pictured(ButtonHarness& h, chBut::ButtonTypes type = chBut::SimpleFlat) {
    h.style(type, chBut::Custom);
    h.button->setBackColor(Face);
    h.button->setBackOver(Face);
    h.button->setPictureNormal(halfRed());
}

struct PictureCase {
    const char* name;
    chBut::ButtonTypes type;
    State state;
    bool greyscale, useMask;
    std::vector<Px> pixels;
};

void PrintTo(const PictureCase& c, std::ostream* os) {
    *os << c.name;
}

class ButtonPictureTest : public ::testing::TestWithParam<PictureCase> {};

TEST_P(ButtonPictureTest, CombinesPictureAsStateRequires) {
    const PictureCase& c = GetParam();
    ButtonHarness h;
    pictured(h, c.type);
    h.button->setUseGreyscale(c.greyscale);
    h.button->setUseMaskColor(c.useMask);
    enterState(h, c.state);
    expectPixels(h.surface(), c.pixels);
}

constexpr chBut::ButtonTypes Flat = chBut::SimpleFlat, Office = chBut::OfficeXP;

// clang-format off
INSTANTIATE_TEST_SUITE_P(Renderings, ButtonPictureTest, ::testing::Values(
    PictureCase{"maskedPixelsShowFace", Flat, State::Normal, false, true,
                {{26, 9, Red}, {29, 14, Red}, {30, 9, Face}}},
    PictureCase{"maskOff", Flat, State::Normal, false, false, {{26, 9, Red}, {30, 9, 0xC0C0C0}}},
    // 0.3 × 255 = 76.5 rounds half to even: 76
    PictureCase{"greyWhileNotHovered", Flat, State::Normal, true, true,
                {{26, 9, 0x4C4C4C}, {30, 9, Face}}},
    PictureCase{"colourWhileHovered", Flat, State::Hovered, true, true, {{26, 9, Red}}},
    PictureCase{"pressedMovesRightAndDown", Flat, State::Pressed, false, true,
                {{26, 9, Face}, {27, 10, Red}, {30, 15, Red}}},
    // (2 × picture + face) ÷ 3: (2 × 255 + 128) ÷ 3 = 212, 128 ÷ 3 = 42
    PictureCase{"officeFadedWhileNotHovered", Office, State::Normal, false, true,
                {{26, 9, 0x2A2AD4}}},
    PictureCase{"officeHoveredLiftsOverShadow", Office, State::Hovered, false, true,
                {{25, 8, Red}, {28, 13, Red}, {30, 10, Shadow}, {29, 14, Shadow}}},
    PictureCase{"disabledSilhouetteOverHighlight", Flat, State::Disabled, false, true,
                {{26, 9, Shadow}, {29, 14, Shadow}, {30, 10, Highlight}, {27, 15, Highlight}}},
    PictureCase{"xpDisabledGreyMovedDown", chBut::WindowsXP, State::Disabled, false, true,
                {{27, 10, 0x4C4C4C}, {30, 15, 0x4C4C4C}}},
    // ShiftColor(shadow, 13): 0x40 + 13 = 0x4D
    PictureCase{"officeDisabledSingleSilhouette", Office, State::Disabled, false, true,
                {{26, 9, 0x4D4D4D}, {30, 10, Face}}}),
    CaseName());
// clang-format on

TEST(ButtonPictureTest, HoverPictureReplacesNormalWhileHovered) {
    ButtonHarness h;
    pictured(h);
    h.button->setPictureOver(QPixmap::fromImage(filled(8, 6, QColor(0, 0, 255))));
    EXPECT_EQ(oleAt(h.surface(), 26, 9), Red);
    h.hover();
    EXPECT_EQ(oleAt(h.surface(), 26, 9), 0xFF0000u);
    EXPECT_EQ(oleAt(h.surface(), 31, 9), 0xFF0000u);
}

TEST(ButtonPictureTest, TransparentPartsOfIconsFollowUseMaskColor) {
    ButtonHarness h;
    pictured(h);
    QImage icon(8, 6, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    icon.setPixelColor(0, 0, QColor(255, 0, 0));
    h.button->setMaskColor(0x00FFFF);
    h.button->setPictureNormal(QPixmap::fromImage(icon));
    EXPECT_EQ(oleAt(h.surface(), 26, 9), Red);
    EXPECT_EQ(oleAt(h.surface(), 30, 12), Face) << "transparent where the mask colour is";
    h.button->setUseMaskColor(false);
    EXPECT_EQ(oleAt(h.surface(), 30, 12), 0x00FFFFu) << "drawn on the mask colour";
}

TEST(ButtonPictureTest, BackgroundPictureLiesUnderCaption) {
    ButtonHarness h(QSize(80, 30));
    h.button->setColorScheme(chBut::Custom);
    h.button->setBackColor(Face);
    h.button->setForeColor(0x00FF00);
    h.button->setPictureNormal(QPixmap::fromImage(filled(60, 20, QColor(255, 0, 0))));
    h.button->setPicturePosition(chBut::cbBackground);
    h.button->setCaption(QStringLiteral("Top"));
    const QImage img = h.surface();
    EXPECT_EQ(oleAt(img, 11, 6), Red) << "picture centred at (10, 5)";
    EXPECT_FALSE(inkBox(img, 0x00FF00, QRect(10, 5, 60, 20)).isEmpty())
        << "caption drawn over the picture";
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
