#include "tests/controls/ButtonHarness.h"

#include "controls/CaptionLayout.h"
#include <QFontMetrics>
#include <gtest/gtest.h>

using namespace glimmer;
using namespace glimmer::test;

namespace {

constexpr quint32 Black = 0x000000;

void captioned(ButtonHarness& h, const QString& caption) {
    h.style(chBut::SimpleFlat);
    h.button->setCaption(caption);
}

TEST(ButtonCaptionTest, CaptionIsCentredAndMovesOnePixelRightAndDownWhenPressed) {
    ButtonHarness h(QSize(80, 30));
    captioned(h, QStringLiteral("OK"));
    const QRect inside(6, 6, 68, 18); // the press gives the focus; keep its dotted rectangle out
    const QRect normal = inkBox(h.surface(), Black, inside);
    ASSERT_FALSE(normal.isEmpty());
    EXPECT_NEAR(normal.center().x(), 40, 2);
    EXPECT_NEAR(normal.center().y(), 15, 3);
    h.hover();
    h.press();
    EXPECT_EQ(inkBox(h.surface(), Black, inside), normal.translated(1, 1));
}

TEST(ButtonCaptionTest, LongCaptionWrapsAndAccessKeyMarkerOnlyUnderlinesItsLetter) {
    const QFontMetrics fm(fixedFont());
    ButtonHarness longH(QSize(70, 60));
    captioned(longH, QStringLiteral("Save the score as MIDI"));
    const QRect longInk = inkBox(longH.surface(), Black, QRect(2, 2, 66, 56));
    EXPECT_GT(longInk.height(), fm.height()) << "more than one line";
    EXPECT_LE(longInk.width(), 66);
    ButtonHarness plainH(QSize(80, 30));
    captioned(plainH, QStringLiteral("Save"));
    ButtonHarness keyH(QSize(80, 30));
    captioned(keyH, QStringLiteral("&Save"));
    const QRect plainInk = inkBox(plainH.surface(), Black, QRect(2, 2, 76, 26));
    const QRect keyInk = inkBox(keyH.surface(), Black, QRect(2, 2, 76, 26));
    EXPECT_LE(keyInk.width(), plainInk.width() + 1) << "no '&' drawn";
    EXPECT_GT(keyInk.bottom(), plainInk.bottom()) << "the underline lies below the letters";
    // 104 pixels are tight for "&Try me": the marker must not push the last word onto its own line.
    ButtonHarness h(QSize(104, 30));
    captioned(h, QStringLiteral("&Try me"));
    const QRect ink = inkBox(h.surface(), Black, QRect(5, 5, 94, 20));
    EXPECT_GE(ink.width(), fm.horizontalAdvance(QStringLiteral("Try me")) - 3);
    EXPECT_LE(ink.height(), fm.height() + 1);
}

// Copies one pixel right and down and one left and up, drawn before the caption; a disabled
// caption is embossed: highlight under shadow.
TEST(ButtonCaptionTest, EffectsAndDisabledDrawShiftedCopiesBeforeCaption) {
    constexpr quint32 Dark = 0x989898, Light = 0xE8E8E8, None = 1; // face 0xC0 ∓ 40
    const QRect area(2, 2, 76, 26);
    // effect, enabled, the caption's colour, the copies' below right and above left
    for (const auto& [effect, enabled, text, below, above] :
         {std::tuple{chBut::cbEmbossed, true, Black, Dark, Light},
          {chBut::cbEngraved, true, Black, Light, Dark},
          {chBut::cbShadowed, true, Black, Dark, None},
          {chBut::cbNone, false, 0x808080u, 0xFFFFFFu, None}}) {
        ButtonHarness h(QSize(80, 30));
        captioned(h, QStringLiteral("Fx"));
        const QRect normal = inkBox(h.surface(), Black, area);
        h.button->setSpecialEffect(effect);
        h.button->setEnabled(enabled);
        const QImage img = h.surface();
        SCOPED_TRACE(testing::Message() << "effect " << effect << ", enabled " << enabled);
        EXPECT_EQ(inkBox(img, text, area), normal);
        EXPECT_EQ(inkBox(img, Black, area).isEmpty(), !enabled);
        EXPECT_EQ(inkBox(img, below, area).bottomRight(), normal.bottomRight() + QPoint(1, 1));
        if (above == None)
            EXPECT_TRUE(inkBox(img, Light, area).isEmpty());
        else
            EXPECT_EQ(inkBox(img, above, area).topLeft(), normal.topLeft() - QPoint(1, 1));
    }
}

TEST(ButtonCaptionTest, CustomSchemeHoverUsesOverColours) {
    ButtonHarness h(QSize(80, 30));
    h.button->setColorScheme(chBut::Custom);
    h.button->setBackColor(0x3264C8);
    h.button->setBackOver(0xC86432);
    h.button->setForeColor(0x0000FF);
    h.button->setForeOver(0x00FF00);
    h.button->setCaption(QStringLiteral("Hover"));
    const QRect area(6, 6, 68, 18); // inside the focus rectangle, which is drawn in ForeColor
    EXPECT_EQ(oleAt(h.surface(), 5, 15), 0x3264C8u);
    h.hover();
    ASSERT_TRUE(h.button->isHovered());
    EXPECT_EQ(oleAt(h.surface(), 5, 15), 0xC86432u);
    EXPECT_FALSE(inkBox(h.surface(), 0x00FF00, area).isEmpty());
    EXPECT_TRUE(inkBox(h.surface(), 0x0000FF, area).isEmpty());
}

TEST(CaptionLayoutTest, AccessKeyIsCharacterAfterFirstSingleAmpersandInLowerCase) {
    const std::pair<const char*, QChar> cases[] = {
        {"&Save", QChar('s')},      {"Sa&ve", QChar('v')}, {"&&Save", QChar()},
        {"&&Save &As", QChar('a')}, {"Plain", QChar()},    {"Trailing&", QChar()},
        {"&1 two", QChar('1')}};
    for (const auto& [caption, key] : cases)
        EXPECT_EQ(CaptionLayout::accessKey(QString::fromUtf8(caption)), key) << caption;
}

TEST(CaptionLayoutTest, PictureSitsFourPixelsBesideOrTwoAboveOrBelowCaption) {
    for (int position = 0; position <= 4; ++position) {
        const CaptionLayout l = CaptionLayout::compute(
            QSize(120, 80), test::fixedFont(), QStringLiteral("Go"), QSize(16, 12), position);
        const int tw = l.text.width(), th = l.text.height();
        const int tx = (120 - tw) / 2, ty = (80 - th) / 2; // the text centred on its own
        // The picture's and the text's top-left corners: picture left of the text (which stays
        // centred), right of it (the pair centred), above, below (the pair centred), behind.
        const std::pair<QPoint, QPoint> want[] = {
            {{tx - 20, 34}, {tx, ty}},
            {{(100 - tw) / 2 + tw + 4, 34}, {(100 - tw) / 2, ty}},
            {{52, ty - 14}, {tx, ty}},
            {{52, (64 - th) / 2 + th + 2}, {tx, (64 - th) / 2}},
            {{52, 34}, {tx, ty}}};
        EXPECT_EQ(std::pair(l.picture, l.text),
                  std::pair(QRect(want[position].first, QSize(16, 12)),
                            QRect(want[position].second, l.text.size())))
            << "position " << position;
    }
}

} // namespace
