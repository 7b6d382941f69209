#include "ButtonHarness.h"

#include <glimmer/MemoryPropertyBag.h>
#include <glimmer/OleColor.h>
#include <glimmer/PropertyError.h>

#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace glimmer;
using namespace glimmer::test;

namespace {

// Defaults and round trips of each value are checked with the other controls'; here the keys
// and the rules of the button alone.
TEST(ButtonPropertiesTest, KeysHoverColourDefaultsAndNewButtonTakesHostName) {
    ButtonHarness h;
    MemoryPropertyBag bag;
    h.button->WriteProperties(bag);
    QStringList keys = bag.keys();
    keys.sort();
    EXPECT_EQ(keys.join(' '),
              QStringLiteral("BCOL BCOLO BTYPE CHECK COLTYPE ENAB FCOL FCOLO FOCUSR FONT FX HAND "
                             "MCOL MICON MPTR NGREY PICH PICN PICPOS SOFT TX UMCOL VALUE"));
    // The hover colours default to the colours just read.
    MemoryPropertyBag colours;
    colours.WriteProperty(QStringLiteral("bcol"), 0x112233u);
    colours.WriteProperty(QStringLiteral("FCOL"), 0x445566u);
    colours.WriteProperty(QStringLiteral("TX"), QStringLiteral("&Round trip"));
    h.button->ReadProperties(colours);
    EXPECT_EQ(h.button->BackOver(), 0x112233u);
    EXPECT_EQ(h.button->ForeOver(), 0x445566u);
    EXPECT_EQ(h.button->AccessKey(), QChar('r'));
    h.button->setButtonType(chBut::OfficeXP);
    h.button->setColorScheme(chBut::Custom);
    h.button->setBackColor(0x123456);
    h.button->InitProperties(QStringLiteral("chBut1"));
    EXPECT_EQ(h.button->Caption(), QStringLiteral("chBut1"));
    EXPECT_EQ(h.button->ButtonType(), chBut::Windows32Bit);
    EXPECT_EQ(h.button->ColorScheme(), chBut::UseWindows);
    EXPECT_EQ(h.button->BackOver(), OleColor::ButtonFace);
    EXPECT_EQ(h.button->MaskColor(), 0xC0C0C0u);
    EXPECT_TRUE(h.button->UseMaskColor());
    EXPECT_EQ(h.button->font(), h.host->font());
    bag.WriteProperty(QStringLiteral("TX"), QStringLiteral("new"));
    bag.WriteProperty(QStringLiteral("MPTR"), 40000); // pointer codes are 16-bit
    EXPECT_THROW(h.button->ReadProperties(bag), PropertyError);
    EXPECT_EQ(h.button->Caption(), QStringLiteral("chBut1"));
}

TEST(ButtonPropertiesTest, SettersWithSideEffects) {
    ButtonHarness h;
    QSignalSpy spy(h.button, &chBut::propertyChanged);
    h.button->setFontBold(true);
    h.button->setFontSize(15);
    h.button->setFontName(QStringLiteral("DejaVu Serif"));
    expectProperty(*h.button, "Font", QFont(QStringLiteral("DejaVu Serif"), 15, QFont::Bold));
    EXPECT_EQ(spy.count(), 0) << "font attributes report nothing";
    h.button->setHandPointer(true);
    EXPECT_EQ(h.button->MousePointer(), 99);
    EXPECT_EQ(h.button->cursor().shape(), Qt::PointingHandCursor);
    h.button->setHandPointer(false);
    EXPECT_EQ(h.button->MousePointer(), 1);
    EXPECT_EQ(h.button->cursor().shape(), Qt::ArrowCursor);
    h.button->setBackColor(0x111111);
    EXPECT_EQ(h.button->BackOver(), OleColor::ButtonFace) << "at run time only BackColor";
    h.button->setDesignMode(true);
    h.button->setBackColor(0x222222);
    h.button->setForeColor(0x333333);
    EXPECT_EQ(h.button->BackOver(), 0x222222u) << "at design time the hover colour too";
    EXPECT_EQ(h.button->ForeOver(), 0x333333u);
}

TEST(ButtonPropertiesTest, DisableRefreshPaintsNothingUntilRefresh) {
    ButtonHarness h;
    h.button->setColorScheme(chBut::Custom);
    h.button->setBackColor(0x0000FF);
    const QImage before = h.surface();
    h.button->DisableRefresh();
    h.button->setBackColor(0x00FF00);
    h.button->setCaption(QStringLiteral("later"));
    h.button->resize(70, 30);
    EXPECT_EQ(h.surface(), before);
    EXPECT_EQ(render(*h.button).pixelColor(5, 12), plain(0x0000FF))
        << "the window shows the old drawing";
    h.button->Refresh();
    EXPECT_EQ(h.surface().size(), QSize(70, 30));
    EXPECT_EQ(oleAt(h.surface(), 5, 12), 0x00FF00u);
}

} // namespace
