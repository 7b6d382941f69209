#include "ButtonHarness.h"

#include <glimmer/MemoryPropertyBag.h>
#include <glimmer/OleColor.h>
#include <glimmer/PropertyError.h>
#include <glimmer/SettingsPropertyBag.h>

#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace glimmer;
using namespace glimmer::test;

namespace {

TEST(ButtonPropertiesTest, EmptyBagGivesDocumentedDefaults) {
    ButtonHarness h;
    MemoryPropertyBag bag;
    h.button->setButtonType(chBut::OfficeXP);
    h.button->setCaption(QStringLiteral("old"));
    h.button->ReadProperties(bag);
    const chBut& b = *h.button;
    EXPECT_EQ(b.ButtonType(), chBut::Windows32Bit);
    EXPECT_EQ(b.ColorScheme(), chBut::UseWindows);
    EXPECT_EQ(b.MaskColor(), 0xC0C0C0u);
    EXPECT_TRUE(b.UseMaskColor());
    EXPECT_EQ(b.PicturePosition(), chBut::cbLeft);
    EXPECT_EQ(b.BackColor(), OleColor::ButtonFace);
    EXPECT_EQ(b.BackOver(), OleColor::ButtonFace);
    EXPECT_EQ(b.ForeColor(), OleColor::ButtonText);
    EXPECT_EQ(b.ForeOver(), OleColor::ButtonText);
    EXPECT_EQ(b.Caption(), QString());
    EXPECT_TRUE(b.isEnabled());
    EXPECT_TRUE(b.ShowFocusRect());
    EXPECT_EQ(b.MousePointer(), 0);
    EXPECT_FALSE(b.HandPointer());
    EXPECT_FALSE(b.SoftBevel());
    EXPECT_TRUE(b.PictureNormal().isNull());
    EXPECT_TRUE(b.PictureOver().isNull());
    EXPECT_FALSE(b.UseGreyscale());
    EXPECT_EQ(b.SpecialEffect(), chBut::cbNone);
    EXPECT_FALSE(b.CheckBoxBehaviour());
    EXPECT_FALSE(b.Value());
}

TEST(ButtonPropertiesTest, HoverColoursDefaultToTheColoursJustRead) {
    ButtonHarness h;
    MemoryPropertyBag bag;
    bag.WriteProperty(QStringLiteral("bcol"), 0x112233u);
    bag.WriteProperty(QStringLiteral("FCOL"), 0x445566u);
    h.button->ReadProperties(bag);
    EXPECT_EQ(h.button->BackOver(), 0x112233u);
    EXPECT_EQ(h.button->ForeOver(), 0x445566u);
}

QPixmap solid(QColor c) {
    QImage img(4, 3, QImage::Format_RGB32);
    img.fill(c);
    return QPixmap::fromImage(img);
}

void setEverything(chBut& b) {
    b.setColorScheme(chBut::Custom);
    b.setBackColor(0x010203);
    b.setBackOver(0x040506);
    b.setForeColor(0x070809);
    b.setForeOver(0x0A0B0C);
    b.setMaskColor(0x00FF00);
    b.setButtonType(chBut::Hover3D);
    b.setCaption(QStringLiteral("&Round trip"));
    b.setEnabled(false);
    QFont f(QStringLiteral("DejaVu Serif"));
    f.setPointSize(15);
    f.setBold(true);
    b.setFont(f);
    b.setShowFocusRect(false);
    b.setMousePointer(3);
    b.setHandPointer(true);
    b.setSoftBevel(true);
    b.setPictureNormal(solid(Qt::red));
    b.setPictureOver(solid(Qt::blue));
    b.setPicturePosition(chBut::cbBottom);
    b.setUseMaskColor(false);
    b.setUseGreyscale(true);
    b.setSpecialEffect(chBut::cbEngraved);
    b.setCheckBoxBehaviour(true);
    b.setValue(true);
}

void expectEverything(const chBut& b) {
    EXPECT_EQ(b.ColorScheme(), chBut::Custom);
    EXPECT_EQ(b.BackColor(), 0x010203u);
    EXPECT_EQ(b.BackOver(), 0x040506u);
    EXPECT_EQ(b.ForeColor(), 0x070809u);
    EXPECT_EQ(b.ForeOver(), 0x0A0B0Cu);
    EXPECT_EQ(b.MaskColor(), 0x00FF00u);
    EXPECT_EQ(b.ButtonType(), chBut::Hover3D);
    EXPECT_EQ(b.Caption(), QStringLiteral("&Round trip"));
    EXPECT_EQ(b.AccessKey(), QChar('r'));
    EXPECT_FALSE(b.isEnabled());
    EXPECT_EQ(b.FontName(), QStringLiteral("DejaVu Serif"));
    EXPECT_EQ(b.FontSize(), 15);
    EXPECT_TRUE(b.FontBold());
    EXPECT_FALSE(b.ShowFocusRect());
    EXPECT_EQ(b.MousePointer(), 99);
    EXPECT_TRUE(b.HandPointer());
    EXPECT_TRUE(b.SoftBevel());
    EXPECT_EQ(b.PictureNormal().toImage().pixelColor(0, 0), QColor(Qt::red));
    EXPECT_EQ(b.PictureOver().toImage().pixelColor(3, 2), QColor(Qt::blue));
    EXPECT_EQ(b.PicturePosition(), chBut::cbBottom);
    EXPECT_FALSE(b.UseMaskColor());
    EXPECT_TRUE(b.UseGreyscale());
    EXPECT_EQ(b.SpecialEffect(), chBut::cbEngraved);
    EXPECT_TRUE(b.CheckBoxBehaviour());
    EXPECT_TRUE(b.Value());
}

TEST(ButtonPropertiesTest, EveryValueRoundTripsThroughMemoryBag) {
    ButtonHarness a;
    setEverything(*a.button);
    MemoryPropertyBag bag;
    a.button->WriteProperties(bag);
    EXPECT_EQ(bag.count(), 23) << "the button writes every value";
    ButtonHarness b;
    b.button->ReadProperties(bag);
    expectEverything(*b.button);
}

TEST(ButtonPropertiesTest, EveryValueRoundTripsThroughIniFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("form.ini"));
    {
        ButtonHarness a;
        setEverything(*a.button);
        QSettings s(path, QSettings::IniFormat);
        SettingsPropertyBag bag(s, QStringLiteral("cmdPlay"));
        a.button->WriteProperties(bag);
    }
    QSettings s(path, QSettings::IniFormat);
    SettingsPropertyBag bag(s, QStringLiteral("cmdPlay"));
    ButtonHarness b;
    b.button->ReadProperties(bag);
    expectEverything(*b.button);
}

TEST(ButtonPropertiesTest, OutOfRangeEnumerationRaisesAndLeavesButtonUnchanged) {
    ButtonHarness h;
    h.button->setCaption(QStringLiteral("keep"));
    MemoryPropertyBag bag;
    bag.WriteProperty(QStringLiteral("TX"), QStringLiteral("new"));
    bag.WriteProperty(QStringLiteral("BTYPE"), 9);
    EXPECT_THROW(h.button->ReadProperties(bag), PropertyError);
    EXPECT_EQ(h.button->Caption(), QStringLiteral("keep"));
    EXPECT_THROW(h.button->setProperty("ButtonType", 0), PropertyError);
}

TEST(ButtonPropertiesTest, InitPropertiesTakesHostNameAsCaption) {
    ButtonHarness h;
    h.button->setButtonType(chBut::OfficeXP);
    h.button->InitProperties(QStringLiteral("chBut1"));
    EXPECT_EQ(h.button->Caption(), QStringLiteral("chBut1"));
    EXPECT_EQ(h.button->ButtonType(), chBut::Windows32Bit);
    EXPECT_EQ(h.button->MaskColor(), 0xC0C0C0u);
    EXPECT_TRUE(h.button->UseMaskColor());
    EXPECT_EQ(h.button->font(), h.host->font());
}

struct KeyCase {
    const char* property;
    QVariant value;  // a QSize stands for a picture of that size (pixmaps need the application)
    const char* key; // empty: no notification
};

class ButtonNotifyTest : public ::testing::TestWithParam<KeyCase> {};

TEST_P(ButtonNotifyTest, PropertyWriteReportsItsKey) {
    const KeyCase& c = GetParam();
    ButtonHarness h;
    QSignalSpy spy(h.button, &chBut::propertyChanged);
    const QVariant value =
        c.value.typeId() == QMetaType::QSize ? QVariant(QPixmap(c.value.toSize())) : c.value;
    ASSERT_TRUE(h.button->setProperty(c.property, value)) << c.property;
    QStringList keys;
    for (const auto& args : spy)
        keys << args.at(0).toString();
    if (*c.key)
        EXPECT_EQ(keys, QStringList{QString::fromLatin1(c.key)}) << c.property;
    else
        EXPECT_TRUE(keys.isEmpty()) << c.property;
}

INSTANTIATE_TEST_SUITE_P(
    Keys, ButtonNotifyTest,
    ::testing::Values(
        KeyCase{"BackColor", 0x123u, "BCOL"}, KeyCase{"BackOver", 0x123u, "BCOLO"},
        KeyCase{"ForeColor", 0x123u, "FCOL"}, KeyCase{"ForeOver", 0x123u, "FCOLO"},
        KeyCase{"MaskColor", 0x123u, "MCOL"}, KeyCase{"ButtonType", 3, "BTYPE"},
        KeyCase{"Caption", QStringLiteral("x"), "TX"}, KeyCase{"Enabled", false, "ENAB"},
        KeyCase{"Font", QFont(QStringLiteral("DejaVu Serif"), 20), "FONT"},
        KeyCase{"FontBold", true, ""}, KeyCase{"FontSize", 20, ""},
        KeyCase{"FontName", QStringLiteral("DejaVu Serif"), ""},
        KeyCase{"ColorScheme", 3, "COLTYPE"}, KeyCase{"ShowFocusRect", false, "FOCUSR"},
        KeyCase{"MousePointer", 2, "MPTR"}, KeyCase{"HandPointer", true, "HAND"},
        KeyCase{"SoftBevel", true, "SOFT"}, KeyCase{"PictureNormal", QSize(2, 2), "PICN"},
        KeyCase{"PictureOver", QSize(2, 2), "PICO"}, KeyCase{"PicturePosition", 2, "PICPOS"},
        KeyCase{"UseMaskColor", false, "UMCOL"}, KeyCase{"UseGreyscale", true, "NGREY"},
        KeyCase{"SpecialEffect", 1, "FX"}, KeyCase{"CheckBoxBehaviour", true, "CHECK"},
        KeyCase{"Value", true, "VALUE"}));

TEST(ButtonPropertiesTest, DesignTimeColourWriteAlsoSetsHoverColour) {
    ButtonHarness h;
    h.button->setBackColor(0x111111);
    EXPECT_EQ(h.button->BackOver(), OleColor::ButtonFace) << "at run time only BackColor";
    h.button->setDesignMode(true);
    h.button->setBackColor(0x222222);
    h.button->setForeColor(0x333333);
    EXPECT_EQ(h.button->BackOver(), 0x222222u);
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

TEST(ButtonPropertiesTest, HandPointerOffRestoresArrow) {
    ButtonHarness h;
    h.button->setHandPointer(true);
    EXPECT_EQ(h.button->cursor().shape(), Qt::PointingHandCursor);
    h.button->setHandPointer(false);
    EXPECT_EQ(h.button->MousePointer(), 1);
    EXPECT_EQ(h.button->cursor().shape(), Qt::ArrowCursor);
}

} // namespace
