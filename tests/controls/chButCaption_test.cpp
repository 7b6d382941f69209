#include "ButtonHarness.h"

#include <gtest/gtest.h>

using namespace glimmer;
using namespace glimmer::test;

namespace {

constexpr quint32 Black = 0x000000;

/// A grey-scheme button with a caption, ready to draw.
void captioned(ButtonHarness& h, const QString& caption,
               chBut::ButtonTypes type = chBut::SimpleFlat) {
    h.style(type);
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

TEST(ButtonCaptionTest, DisabledCaptionIsEmbossedHighlightUnderShadow) {
    ButtonHarness h(QSize(80, 30));
    captioned(h, QStringLiteral("OK"));
    const QRect area(2, 2, 76, 26);
    const QRect normal = inkBox(h.surface(), Black, area);
    h.button->setEnabled(false);
    const QImage img = h.surface();
    const QRect shadow = inkBox(img, 0x808080, area);
    EXPECT_EQ(shadow, normal);
    EXPECT_EQ(inkBox(img, 0xFFFFFF, area).bottomRight(), shadow.bottomRight() + QPoint(1, 1));
    EXPECT_TRUE(inkBox(img, Black, area).isEmpty());
}

TEST(ButtonCaptionTest, LongCaptionWordWraps) {
    ButtonHarness h(QSize(70, 60));
    captioned(h, QStringLiteral("Save the score as MIDI"));
    const QRect ink = inkBox(h.surface(), Black, QRect(2, 2, 66, 56));
    EXPECT_GT(ink.height(), QFontMetrics(fixedFont()).height()) << "more than one line";
    EXPECT_LE(ink.width(), 66);
}

TEST(ButtonCaptionTest, AccessKeyMarkerIsNotDrawnButUnderlinesItsLetter) {
    ButtonHarness plainH(QSize(80, 30));
    captioned(plainH, QStringLiteral("Save"));
    ButtonHarness keyH(QSize(80, 30));
    captioned(keyH, QStringLiteral("&Save"));
    const QRect plainInk = inkBox(plainH.surface(), Black, QRect(2, 2, 76, 26));
    const QRect keyInk = inkBox(keyH.surface(), Black, QRect(2, 2, 76, 26));
    EXPECT_LE(keyInk.width(), plainInk.width() + 1) << "no '&' drawn";
    EXPECT_GT(keyInk.bottom(), plainInk.bottom()) << "the underline lies below the letters";
}

TEST(ButtonCaptionTest, CaptionWithAccessKeyStaysOnOneLineWhenItFits) {
    // 104 pixels are tight for "&Try me": the marker must not push the last word onto its own line.
    ButtonHarness h(QSize(104, 30));
    captioned(h, QStringLiteral("&Try me"));
    const QRect ink = inkBox(h.surface(), Black, QRect(5, 5, 94, 20));
    const QFontMetrics fm(fixedFont());
    EXPECT_GE(ink.width(), fm.horizontalAdvance(QStringLiteral("Try me")) - 3);
    EXPECT_LE(ink.height(), fm.height() + 1);
}

TEST(ButtonCaptionTest, EffectsDrawShiftedCopiesBeforeCaption) {
    constexpr quint32 Dark = 0x989898, Light = 0xE8E8E8, None = 1; // face 0xC0 ∓ 40
    struct Case {
        chBut::fx effect;
        quint32 below, above; // the copy one pixel right and down, the one left and up
    };
    for (const Case c : {Case{chBut::cbEmbossed, Dark, Light}, Case{chBut::cbEngraved, Light, Dark},
                         Case{chBut::cbShadowed, Dark, None}}) {
        ButtonHarness h(QSize(80, 30));
        captioned(h, QStringLiteral("Fx"));
        h.button->setSpecialEffect(c.effect);
        const QImage img = h.surface();
        const QRect area(2, 2, 76, 26);
        const QRect text = inkBox(img, Black, area);
        EXPECT_EQ(inkBox(img, c.below, area).bottomRight(), text.bottomRight() + QPoint(1, 1))
            << c.effect;
        if (c.above == None)
            EXPECT_TRUE(inkBox(img, Light, area).isEmpty());
        else
            EXPECT_EQ(inkBox(img, c.above, area).topLeft(), text.topLeft() - QPoint(1, 1))
                << c.effect;
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
    EXPECT_FALSE(inkBox(h.surface(), 0x0000FF, area).isEmpty());
    h.hover();
    ASSERT_TRUE(h.button->isHovered());
    EXPECT_EQ(oleAt(h.surface(), 5, 15), 0xC86432u);
    EXPECT_FALSE(inkBox(h.surface(), 0x00FF00, area).isEmpty());
    EXPECT_TRUE(inkBox(h.surface(), 0x0000FF, area).isEmpty());
}

} // namespace
