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

/// One persisted property: its value read from an empty bag (invalid: not fixed), another value
/// and its bag key, under which its change is also reported.
struct Prop {
    const char* name;
    QVariant byDefault, value; // a QColor stands for a 4 × 3 picture of that colour, QColor() none
    const char* bagKey;
};

constexpr quint32 Face = OleColor::ButtonFace, Text = OleColor::ButtonText;

// In setting order: MousePointer after HandPointer, which sets the pointer code itself.
// Enumerations by value: ButtonType 6 "3D Hover", ColorScheme 2 "Custom", PicturePosition 3
// cbBottom, SpecialEffect 2 cbEngraved.
// clang-format off
const std::vector<Prop> kProps = {
    {"BackColor", Face, 0x010203u, "BCOL"}, {"BackOver", Face, 0x040506u, "BCOLO"},
    {"ForeColor", Text, 0x070809u, "FCOL"}, {"ForeOver", Text, 0x0A0B0Cu, "FCOLO"},
    {"MaskColor", 0xC0C0C0u, 0x00FF00u, "MCOL"}, {"ButtonType", 2, 6, "BTYPE"},
    {"Caption", QString(), QStringLiteral("&Round trip"), "TX"}, {"Enabled", true, false, "ENAB"},
    {"Font", QVariant(), QFont(QStringLiteral("DejaVu Serif"), 15, QFont::Bold), "FONT"},
    {"ColorScheme", 1, 2, "COLTYPE"}, {"ShowFocusRect", true, false, "FOCUSR"},
    {"HandPointer", false, true, "HAND"}, {"MousePointer", 0, 3, "MPTR"},
    {"SoftBevel", false, true, "SOFT"}, {"PictureNormal", QColor(), QColor(Qt::red), "PICN"},
    {"PictureOver", QColor(), QColor(Qt::blue), "PICH"}, {"PicturePosition", 0, 3, "PICPOS"},
    {"UseMaskColor", true, false, "UMCOL"}, {"UseGreyscale", false, true, "NGREY"},
    {"SpecialEffect", 0, 2, "FX"}, {"CheckBoxBehaviour", false, true, "CHECK"},
    {"Value", false, true, "VALUE"}};
// clang-format on

QVariant toValue(const QVariant& v) {
    if (v.typeId() != QMetaType::QColor)
        return v;
    QImage img(4, 3, QImage::Format_RGB32);
    img.fill(v.value<QColor>());
    return QPixmap::fromImage(img);
}

/// The button's font takes family, size and weight of the font it is given (the rest is the
/// host's).
void expectFont(const QFont& got, const QFont& want) {
    EXPECT_EQ(got.family(), want.family());
    EXPECT_EQ(got.pointSize(), want.pointSize());
    EXPECT_EQ(got.bold(), want.bold());
}

/// Expects property @p p of @p b to hold @p want (a value of the table).
void expectSame(const chBut& b, const Prop& p, const QVariant& want) {
    const QVariant got = b.property(p.name);
    if (want.typeId() == QMetaType::QColor) {
        const QImage img = got.value<QPixmap>().toImage();
        EXPECT_EQ(img.isNull() ? QColor() : img.pixelColor(3, 2), want.value<QColor>()) << p.name;
    } else if (want.typeId() == QMetaType::QFont) {
        expectFont(b.font(), want.value<QFont>());
    } else if (want.isValid()) {
        expectProperty(b, p.name, want);
    }
}

TEST(ButtonPropertiesTest, EveryValueRoundTripsThroughMemoryBagAndIniFileAndReportsItsKey) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("form.ini"));
    MemoryPropertyBag memory;
    {
        ButtonHarness a;
        QSignalSpy spy(a.button, &chBut::propertyChanged);
        for (const Prop& p : kProps) {
            spy.clear();
            ASSERT_TRUE(a.button->setProperty(p.name, toValue(p.value))) << p.name;
            // The hover picture is the one property reported under another key than its own.
            const QString reported =
                QString::fromLatin1(p.bagKey == std::string("PICH") ? "PICO" : p.bagKey);
            ASSERT_EQ(spy.count(), 1) << p.name;
            EXPECT_EQ(spy.at(0).at(0).toString(), reported);
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
            EXPECT_TRUE(memory.contains(QString::fromLatin1(p.bagKey))) << p.bagKey;
            expectSame(*b.button, p, p.value);
        }
        // An empty bag gives every default; the hover colours default to the colours just read.
        MemoryPropertyBag colours;
        colours.WriteProperty(QStringLiteral("bcol"), 0x112233u);
        colours.WriteProperty(QStringLiteral("FCOL"), 0x445566u);
        b.button->ReadProperties(MemoryPropertyBag());
        for (const Prop& p : kProps)
            expectSame(*b.button, p, p.byDefault);
        b.button->ReadProperties(colours);
        EXPECT_EQ(b.button->BackOver(), 0x112233u);
        EXPECT_EQ(b.button->ForeOver(), 0x445566u);
    }
}

TEST(ButtonPropertiesTest, NewButtonTakesHostNameAndBadBagValueChangesNothing) {
    ButtonHarness h;
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
    for (const char* key : {"BTYPE", "MPTR"}) {
        MemoryPropertyBag bag;
        bag.WriteProperty(QStringLiteral("TX"), QStringLiteral("new"));
        bag.WriteProperty(QString::fromLatin1(key), 40000);
        EXPECT_THROW(h.button->ReadProperties(bag), PropertyError) << key;
        EXPECT_EQ(h.button->Caption(), QStringLiteral("chBut1"));
    }
}

TEST(ButtonPropertiesTest, SettersWithSideEffects) {
    ButtonHarness h;
    QSignalSpy spy(h.button, &chBut::propertyChanged);
    h.button->setFontBold(true);
    h.button->setFontSize(15);
    h.button->setFontName(QStringLiteral("DejaVu Serif"));
    expectFont(h.button->font(), QFont(QStringLiteral("DejaVu Serif"), 15, QFont::Bold));
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
