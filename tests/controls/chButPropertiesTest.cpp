#include "ButtonHarness.h"
#include "CaseNames.h"

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

/// One property: its default when read from an empty bag (invalid: not fixed), another value, its
/// bag key and the key its change is reported under (empty: none).
struct Prop {
    const char* name;
    QVariant byDefault, value; // a QColor stands for a 4 × 3 picture of that colour, QColor() none
    const char* bagKey;
    const char* notifyKey;
};

void PrintTo(const Prop& c, std::ostream* os) {
    *os << c.name;
}

constexpr quint32 Face = OleColor::ButtonFace, Text = OleColor::ButtonText;

// In setting order: MousePointer after HandPointer, which sets the pointer code itself.
// Enumerations by value: ButtonType 6 "3D Hover", ColorScheme 2 "Custom", PicturePosition 3
// cbBottom, SpecialEffect 2 cbEngraved.
// clang-format off
const std::vector<Prop> kProps = {
    {"BackColor", Face, 0x010203u, "BCOL", "BCOL"},
    {"BackOver", Face, 0x040506u, "BCOLO", "BCOLO"},
    {"ForeColor", Text, 0x070809u, "FCOL", "FCOL"},
    {"ForeOver", Text, 0x0A0B0Cu, "FCOLO", "FCOLO"},
    {"MaskColor", 0xC0C0C0u, 0x00FF00u, "MCOL", "MCOL"},
    {"ButtonType", 2, 6, "BTYPE", "BTYPE"},
    {"Caption", QString(), QStringLiteral("&Round trip"), "TX", "TX"},
    {"Enabled", true, false, "ENAB", "ENAB"},
    {"Font", QVariant(), QFont(QStringLiteral("DejaVu Serif"), 15, QFont::Bold), "FONT", "FONT"},
    {"FontBold", QVariant(), true, "", ""},
    {"FontSize", QVariant(), 15, "", ""},
    {"FontName", QVariant(), QStringLiteral("DejaVu Serif"), "", ""},
    {"ColorScheme", 1, 2, "COLTYPE", "COLTYPE"},
    {"ShowFocusRect", true, false, "FOCUSR", "FOCUSR"},
    {"HandPointer", false, true, "HAND", "HAND"},
    {"MousePointer", 0, 3, "MPTR", "MPTR"},
    {"SoftBevel", false, true, "SOFT", "SOFT"},
    {"PictureNormal", QColor(), QColor(Qt::red), "PICN", "PICN"},
    {"PictureOver", QColor(), QColor(Qt::blue), "PICH", "PICO"},
    {"PicturePosition", 0, 3, "PICPOS", "PICPOS"},
    {"UseMaskColor", true, false, "UMCOL", "UMCOL"},
    {"UseGreyscale", false, true, "NGREY", "NGREY"},
    {"SpecialEffect", 0, 2, "FX", "FX"},
    {"CheckBoxBehaviour", false, true, "CHECK", "CHECK"},
    {"Value", false, true, "VALUE", "VALUE"}};
// clang-format on

QVariant toValue(const QVariant& v) {
    if (v.typeId() != QMetaType::QColor)
        return v;
    QImage img(4, 3, QImage::Format_RGB32);
    img.fill(v.value<QColor>());
    return QPixmap::fromImage(img);
}

/// Expects property @p p of @p b to hold @p want (a value of the table).
void expectSame(const chBut& b, const Prop& p, const QVariant& want) {
    const QVariant got = b.property(p.name);
    if (want.typeId() == QMetaType::QColor) {
        const QImage img = got.value<QPixmap>().toImage();
        EXPECT_EQ(img.isNull() ? QColor() : img.pixelColor(3, 2), want.value<QColor>()) << p.name;
    } else if (want.typeId() == QMetaType::QFont) {
        EXPECT_EQ(b.FontName(), QStringLiteral("DejaVu Serif"));
        EXPECT_EQ(b.FontSize(), 15);
        EXPECT_TRUE(b.FontBold());
    } else if (want.isValid()) {
        expectProperty(b, p.name, want);
    }
}

TEST(ButtonPropertiesTest, EmptyBagGivesDocumentedDefaults) {
    ButtonHarness h;
    for (const Prop& p : kProps) {
        if (*p.bagKey) {
            ASSERT_TRUE(h.button->setProperty(p.name, toValue(p.value))) << p.name;
        }
    }
    h.button->ReadProperties(MemoryPropertyBag());
    for (const Prop& p : kProps)
        expectSame(*h.button, p, p.byDefault);
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

TEST(ButtonPropertiesTest, EveryValueRoundTripsUnderItsKeyThroughMemoryBagAndIniFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("form.ini"));
    MemoryPropertyBag memory;
    {
        ButtonHarness a;
        for (const Prop& p : kProps) {
            if (*p.bagKey) {
                ASSERT_TRUE(a.button->setProperty(p.name, toValue(p.value))) << p.name;
            }
        }
        QSettings s(path, QSettings::IniFormat);
        SettingsPropertyBag file(s, QStringLiteral("cmdPlay"));
        a.button->WriteProperties(memory);
        a.button->WriteProperties(file);
    }
    EXPECT_EQ(memory.count(), 23) << "the button writes every value";
    QSettings s(path, QSettings::IniFormat);
    const SettingsPropertyBag file(s, QStringLiteral("cmdPlay"));
    for (const PropertyBag* bag : std::initializer_list<const PropertyBag*>{&memory, &file}) {
        ButtonHarness b;
        b.button->ReadProperties(*bag);
        EXPECT_EQ(b.button->AccessKey(), QChar('r'));
        for (const Prop& p : kProps) {
            if (!*p.bagKey)
                continue;
            EXPECT_TRUE(memory.contains(QString::fromLatin1(p.bagKey))) << p.bagKey;
            expectSame(*b.button, p, p.value);
        }
    }
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

class ButtonNotifyTest : public ::testing::TestWithParam<Prop> {};

TEST_P(ButtonNotifyTest, PropertyWriteReportsItsKey) {
    const Prop& p = GetParam();
    ButtonHarness h;
    QSignalSpy spy(h.button, &chBut::propertyChanged);
    ASSERT_TRUE(h.button->setProperty(p.name, toValue(p.value))) << p.name;
    QStringList keys;
    for (const auto& args : spy)
        keys << args.at(0).toString();
    EXPECT_EQ(keys, *p.notifyKey ? QStringList{QString::fromLatin1(p.notifyKey)} : QStringList())
        << p.name;
}

INSTANTIATE_TEST_SUITE_P(Keys, ButtonNotifyTest, ::testing::ValuesIn(kProps), CaseName());

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

TEST(ButtonPropertiesTest, HandPointerSwitchesBetweenHandAndArrow) {
    ButtonHarness h;
    h.button->setHandPointer(true);
    EXPECT_EQ(h.button->MousePointer(), 99);
    EXPECT_EQ(h.button->cursor().shape(), Qt::PointingHandCursor);
    h.button->setHandPointer(false);
    EXPECT_EQ(h.button->MousePointer(), 1);
    EXPECT_EQ(h.button->cursor().shape(), Qt::ArrowCursor);
}

} // namespace
