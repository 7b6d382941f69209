#include "tests/controls/ButtonHarness.h"
#include "tests/controls/CaseNames.h"
#include "tests/controls/QtTestEnvironment.h"

#include <glimmer/L2M2.h>
#include <glimmer/MemoryPropertyBag.h>
#include <glimmer/OleColor.h>
#include <glimmer/PropertyError.h>
#include <glimmer/SettingsPropertyBag.h>
#include <glimmer/chBut.h>
#include <glimmer/s2M2.h>
#include <glimmer/sGraph.h>
#include <glimmer/t1Cap.h>
#include <glimmer/t1Frame.h>
#include <glimmer/t1Grad.h>
#include <glimmer/tkHLink.h>

#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

using namespace glimmer;
using namespace glimmer::test;

namespace {

constexpr quint32 Face = OleColor::ButtonFace, Text = OleColor::ButtonText;

struct ControlKind {
    const char* name;
    std::function<std::unique_ptr<QWidget>()> make;
    std::function<void(QWidget&, const PropertyBag&)> read;
    std::function<void(const QWidget&, PropertyBag&)> write;
    std::vector<PropertyCase> cases;   // in an order the setters accept
    PropertyCase bad;                  // a key with a value the bag path must refuse
    std::vector<PropertyCase> refused; // values the Qt property path must refuse
    int defaultEntries;                // entries written for a control that holds its defaults
};
void PrintTo(const ControlKind& c, std::ostream* os) {
    *os << c.name;
}

template <typename C>
ControlKind kind(const char* name, std::vector<PropertyCase> cases, PropertyCase bad,
                 std::vector<PropertyCase> refused, int defaultEntries = 0) {
    return {name,
            [] { return std::make_unique<C>(); },
            [](QWidget& w, const PropertyBag& b) { static_cast<C&>(w).ReadProperties(b); },
            [](const QWidget& w, PropertyBag& b) { static_cast<const C&>(w).WriteProperties(b); },
            std::move(cases),
            bad,
            std::move(refused),
            defaultEntries};
}

const std::vector<ControlKind>& kinds() {
    const QFont serif(QStringLiteral("DejaVu Serif"), 15, QFont::Bold);
    // clang-format off
    static const std::vector<ControlKind> all = {
        // The button writes every value. MousePointer comes after HandPointer, which sets it.
        kind<chBut>("chBut", {{"BackColor", Face, 0x010203u, "BCOL"},
            {"BackOver", Face, 0x040506u, "BCOLO"}, {"ForeColor", Text, 0x070809u, "FCOL"},
            {"ForeOver", Text, 0x0A0B0Cu, "FCOLO"}, {"MaskColor", 0xC0C0C0u, 0x00FF00u, "MCOL"},
            {"ButtonType", 2, 6, "BTYPE"}, {"Caption", QString(), QStringLiteral("&Go"), "TX"},
            {"Enabled", true, false, "ENAB"}, {"Font", QVariant(), serif, "FONT"},
            {"ColorScheme", 1, 2, "COLTYPE"}, {"ShowFocusRect", true, false, "FOCUSR"},
            {"HandPointer", false, true, "HAND"}, {"MousePointer", 0, 3, "MPTR"},
            {"SoftBevel", false, true, "SOFT"},
            {"PictureNormal", QColor(), QColor(Qt::red), "PICN"},
            // The hover picture is the one property whose change is reported under another key.
            {"PictureOver", QColor(), QColor(Qt::blue), "PICO"},
            {"PicturePosition", 0, 3, "PICPOS"}, {"UseMaskColor", true, false, "UMCOL"},
            {"UseGreyscale", false, true, "NGREY"}, {"SpecialEffect", 0, 2, "FX"},
            {"CheckBoxBehaviour", false, true, "CHECK"}, {"Value", false, true, "VALUE"}},
            {"btype", {}, 40000},
            {{"ButtonType", {}, 0}, {"ButtonType", {}, 7}, {"ColorScheme", {}, 5},
             {"PicturePosition", {}, 5}, {"SpecialEffect", {}, -1}, {"FontSize", {}, 0}}, 23),
        kind<t1Cap>("t1Cap", {{"Caption", QString(), QStringLiteral("Title")}, {"HAlign", 1, 2},
            {"TextAlign", 0, 1}, {"vAlign", 1, 0}, {"Font", QVariant(), serif},
            {"ForeColor", 0u, 0x102030u},
            {"Back1Color", 0u, 5u}, {"Back2Color", 0xFFFFFFu, 6u}, {"Direction", 0, 3},
            {"Appearance", 13, 14}, {"BackStyle", 1, 0}}, {"backstyle", {}, 2},
            {{"BackStyle", {}, 2}}),
        kind<t1Grad>("t1Grad", {{"FirstColor", 0u, 7u}, {"SecondColor", 0xFFFFFFu, 8u},
            {"Direction", 0, 2}, {"Appearance", 13, 4}}, {"appearance", {}, 15},
            {{"Appearance", {}, 15}}),
        kind<sGraph>("sGraph", {{"BackColor", 0x8000000Fu, 0x202020u},
            {"GridColor", 0xE0E0E0u, 1u}, {"PlotColor", 0x0000E0u, 2u}, {"BorderColor", 0u, 3u},
            {"DarkShadowColor", 0x80000010u, 4u}, {"LightShadowColor", 0x80000016u, 5u},
            {"level", 0, 2}, {"MinValue", 0, -50}, {"MaxValue", 20, 50}, {"GridHDist", 6, 9},
            {"GridVDist", 5, 11}, {"VGridDir", 0, 1}}, {"level", {}, 7}, {{"level", {}, 7}}),
        kind<L2M2>("L2M2", {{"BackColor", 0xC0C0C0u, 1u}, {"LedOffColor", 0xC0C0C0u, 2u},
            {"LedOnColor", 0x00FF00u, 3u}, {"LedOffBorderColor", 0u, 4u},
            {"LedOnBorderColor", 0xFF0000u, 5u}, {"LedInnerWidth", 5, 3}, {"LedInterSpace", 1, -1},
            {"NumLEDs", 12, 20}, {"MinValue", 0.0f, 1.0f}, {"MaxValue", 6.0f, 9.0f},
            {"MaxJumpRatio", 0.0f, 0.5f}, {"Value", 0.0f, 2.5f}},
            {"NumLEDs", {}, QStringLiteral("many")}, {}),
        kind<s2M2>("s2M2", {{"BackColor", 0xC0C0C0u, 1u}, {"BarColor", 0x808080u, 2u},
            {"BarHiLiteColor", 0x00FF00u, 3u}, {"MajorMarkColor", 0x808080u, 4u},
            {"MinorMarkColor", 0x808080u, 5u}, {"NumbersColor", 0x00FF00u, 6u},
            {"PointerColor", 0xFF0000u, 7u}, {"MajorDivisions", 4, 5}, {"MinorDivisions", 2, 3},
            {"BarWidth", 3, 4}, {"BarHiliteWidth", 2, 1}, {"PointerBarSpace", -2, 0},
            {"NumVOffAdjust", -2, 1}, {"Font", QVariant(), serif}, {"MinValue", 0.0f, -1.0f},
            {"MaxValue", 6.0f, 4.0f},
            {"MaxJumpRatio", 0.0f, 1.0f}, {"Value", 0.0f, 3.5f}},
            {"BarWidth", {}, QStringLiteral("wide")}, {}),
        kind<t1Frame>("t1Frame", {{"BottomColor", 0x808080u, 1u}, {"TopColor", 0xFFFFFFu, 2u},
            {"HasTape", true, false}, {"TapeHeight", 17, 22}, {"Tape3D", true, false},
            {"ForeColor", 0u, 3u}, {"Caption", QStringLiteral("Hello"), QStringLiteral("About")},
            {"Font", QVariant(), serif},
            {"BackColor", 0xC0C0C0u, 4u}, {"InBackColor", 0xE0E0E0u, 5u}, {"HAlign", 1, 2},
            {"vAlign", 1, 2}, {"BackStyle", 1, 0}}, {"valign", {}, 3},
            {{"HAlign", {}, 3}, {"vAlign", {}, -1}, {"BackStyle", {}, 2}}),
        kind<tkHLink>("tkHLink", {{"BackColor", 0x8000000Fu, 0x00FF00u}, {"Enabled", true, false},
            {"BorderStyle", 0, 1}, {"Alignment", 0, 2},
            {"LinkURL", QString(), QStringLiteral("mailto:ann@example.org")},
            {"LinkActiveColor", 0xC00000u, 0x0000FFu}, {"LinkVisitedColor", 0x800080u, 0x00FFFFu},
            {"LinkUnderLined", false, true}, {"LinkSingleClickActivate", true, false},
            {"AutoSize", false, true},
            {"Caption", QStringLiteral("www.notaro.invalid"), QStringLiteral("Mail us")}},
            {"alignment", {}, 7}, {{"BorderStyle", {}, 2}, {"Alignment", {}, 3}}),
    };
    // clang-format on
    return all;
}

class ControlBag : public ::testing::TestWithParam<ControlKind> {};

// Defaults from an empty bag, written back as nothing (or every value); every other value
// survives a write and a read into a new control, through memory and through an INI file, and a
// bad value (keys match without regard to case) changes nothing.
TEST_P(ControlBag, DefaultsRoundTripAndBadValue) {
    const ControlKind& k = GetParam();
    std::unique_ptr<QWidget> first = k.make();
    MemoryPropertyBag bag;
    k.read(*first, bag);
    expectCases(*first, k.cases, true);
    k.write(*first, bag);
    EXPECT_EQ(bag.count(), k.defaultEntries) << bag.keys().join(',').toStdString();
    setOthers(*first, k.cases);
    k.write(*first, bag);
    QTemporaryDir dir;
    QSettings ini(dir.filePath(QStringLiteral("form.ini")), QSettings::IniFormat);
    SettingsPropertyBag file(ini, QString::fromLatin1(k.name));
    k.write(*first, file);
    ini.sync();
    for (const PropertyBag* from : std::initializer_list<const PropertyBag*>{&bag, &file}) {
        std::unique_ptr<QWidget> second = k.make();
        k.read(*second, *from);
        expectCases(*second, k.cases, false);
    }
    bag.WriteProperty(QString::fromLatin1(k.bad.name), k.bad.other);
    k.read(*first, MemoryPropertyBag());
    EXPECT_THROW(k.read(*first, bag), PropertyError);
    expectCases(*first, k.cases, true);
}

// Shown in a column, no control collapses: each asks for room and gets at least its minimum.
TEST_P(ControlBag, TakesItsSizeHintInALayout) {
    QWidget host;
    auto* column = new QVBoxLayout(&host);
    QWidget* control = GetParam().make().release();
    column->addWidget(control);
    host.show();
    const QSize least = control->minimumSizeHint();
    EXPECT_FALSE(least.isEmpty());
    EXPECT_GE(control->width(), least.width());
    EXPECT_GE(control->height(), least.height());
    EXPECT_EQ(control->height(), control->sizeHint().height());
}

QStringList warnings;

void collect(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtWarningMsg)
        warnings << text;
}

// Designer and QUiLoader write through QObject::setProperty: no exception may cross Qt's code.
// The meters clamp instead, so only the controls with enumerations have rows here.
TEST(ControlBag, QtPathKeepsValueOutsideRangeAndWarnsWithoutThrowing) {
    for (const ControlKind& k : kinds()) {
        const std::unique_ptr<QWidget> control = k.make();
        for (const PropertyCase& r : k.refused) {
            const QVariant before = control->property(r.name);
            warnings.clear();
            const QtMessageHandler previous = qInstallMessageHandler(collect);
            EXPECT_NO_THROW(control->setProperty(r.name, r.other)) << k.name;
            qInstallMessageHandler(previous);
            EXPECT_EQ(control->property(r.name), before) << k.name;
            ASSERT_EQ(warnings.size(), 1) << k.name << " " << r.name;
            EXPECT_TRUE(warnings.at(0).contains(QString::fromLatin1(r.name)) &&
                        warnings.at(0).contains(QString::number(r.other.toInt())))
                << warnings.at(0).toStdString();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Glimmer, ControlBag, ::testing::ValuesIn(kinds()), CaseName());

TEST(ControlBag, GridDistanceBelowSmallestStillEnds) {
    sGraph graph;
    MemoryPropertyBag tight;
    tight.WriteProperty(QStringLiteral("GridHDist"), 0);
    graph.ReadProperties(tight);
    EXPECT_EQ(graph.GridHDist(), 4);
}

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
    EXPECT_EQ(h.button->MaskColor(), 0xC0C0C0u);
    EXPECT_TRUE(h.button->UseMaskColor());
    EXPECT_EQ(h.button->BackOver(), OleColor::ButtonFace);
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
    EXPECT_EQ(oleAt(render(*h.button), 5, 12), 0x0000FFu) << "the window shows the old drawing";
    h.button->Refresh();
    EXPECT_EQ(h.surface().size(), QSize(70, 30));
    EXPECT_EQ(oleAt(h.surface(), 5, 12), 0x00FF00u);
}

} // namespace
