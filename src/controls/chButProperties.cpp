#include <glimmer/chBut.h>

#include "controls/chButPrivate.h"

#include "controls/PropertyTable.h"

#include <glimmer/OleColor.h>

#include <QScopeGuard>

namespace glimmer {

namespace {

// Property-bag keys; a write reports its change under the same key.
constexpr char kBackColor[] = "BCOL";
constexpr char kBackOver[] = "BCOLO";
constexpr char kForeColor[] = "FCOL";
constexpr char kForeOver[] = "FCOLO";
constexpr char kMaskColor[] = "MCOL";
constexpr char kButtonType[] = "BTYPE";
constexpr char kCaption[] = "TX";
constexpr char kEnabled[] = "ENAB";
constexpr char kFont[] = "FONT";
constexpr char kColorScheme[] = "COLTYPE";
constexpr char kShowFocusRect[] = "FOCUSR";
constexpr char kMousePointer[] = "MPTR";
constexpr char kMouseIcon[] = "MICON";
constexpr char kHandPointer[] = "HAND";
constexpr char kSoftBevel[] = "SOFT";
constexpr char kPictureNormal[] = "PICN";
constexpr char kPictureOver[] = "PICH";
constexpr char kPicturePosition[] = "PICPOS";
constexpr char kUseMaskColor[] = "UMCOL";
constexpr char kUseGreyscale[] = "NGREY";
constexpr char kSpecialEffect[] = "FX";
constexpr char kCheckBox[] = "CHECK";
constexpr char kValue[] = "VALUE";
// Hosts know the hover picture's change under this key rather than its bag key.
constexpr char kPictureOverChange[] = "PICO";

constexpr quint32 DefaultMaskColor = 0xC0C0C0;
constexpr PropertyRange PointerCodes = {std::numeric_limits<short>::min(),
                                        std::numeric_limits<short>::max()};

} // namespace

const PropertyTable<chBut>& chBut::propertyTable() {
    using Init = PropertyInit;
    auto enabled = functionAccess<bool, chBut>([](const chBut& b) { return b.isEnabled(); },
                                               [](chBut& b, const bool& v) { b.setEnabled(v); });
    auto font = functionAccess<QFont, chBut>([](const chBut& b) { return b.font(); },
                                             [](chBut& b, const QFont& v) { b.setFont(v); });
    // clang-format off
#define FIELD(name) fieldAccess<chBut, decltype(Private::name)>([](chBut& c) -> auto& { return c.d->name; })
    static const PropertyTable<chBut> table(PropertyTable<chBut>::EveryValue, {
        {"BackColor", kBackColor, fixedDefault(OleColor::ButtonFace), FIELD(backColor), Init::AsDefault},
        {"BackOver", kBackOver, sameAsDefault(kBackColor), FIELD(backOver), Init::AsDefault},
        {"ForeColor", kForeColor, fixedDefault(OleColor::ButtonText), FIELD(foreColor), Init::AsDefault},
        {"ForeOver", kForeOver, sameAsDefault(kForeColor), FIELD(foreOver), Init::AsDefault},
        {"MaskColor", kMaskColor, fixedDefault(DefaultMaskColor), FIELD(maskColor), Init::AsDefault},
        {"ButtonType", kButtonType, fixedDefault(Windows32Bit), FIELD(buttonType), Init::AsDefault, {SimpleFlat, Hover3D}},
        {"Caption", kCaption, fixedDefault(QString()), FIELD(caption), Init::HostName},
        {"Enabled", kEnabled, fixedDefault(true), enabled, Init::AsDefault},
        {"Font", kFont, ownFontDefault(), font, Init::HostFont},
        {"ColorScheme", kColorScheme, fixedDefault(UseWindows), FIELD(colorScheme), Init::AsDefault, {UseWindows, UseContainer}},
        {"ShowFocusRect", kShowFocusRect, fixedDefault(true), FIELD(showFocusRect), Init::AsDefault},
        {"MousePointer", kMousePointer, fixedDefault(0), FIELD(mousePointer), Init::Keep, PointerCodes},
        {"MouseIcon", kMouseIcon, {}, FIELD(mouseIcon)},
        {"HandPointer", kHandPointer, fixedDefault(false), FIELD(handPointer)},
        {"SoftBevel", kSoftBevel, fixedDefault(false), FIELD(softBevel)},
        {"PictureNormal", kPictureNormal, {}, FIELD(pictureNormal)},
        {"PictureOver", kPictureOver, {}, FIELD(pictureOver)},
        {"PicturePosition", kPicturePosition, fixedDefault(cbLeft), FIELD(picturePosition), Init::Keep, {cbLeft, cbBackground}},
        {"UseMaskColor", kUseMaskColor, fixedDefault(true), FIELD(useMaskColor), Init::AsDefault},
        {"UseGreyscale", kUseGreyscale, fixedDefault(false), FIELD(useGreyscale)},
        {"SpecialEffect", kSpecialEffect, fixedDefault(cbNone), FIELD(specialEffect), Init::Keep, {cbNone, cbShadowed}},
        {"CheckBoxBehaviour", kCheckBox, fixedDefault(false), FIELD(checkBoxBehaviour)},
        {"Value", kValue, fixedDefault(false), FIELD(value)}});
#undef FIELD
    // clang-format on
    return table;
}

void chBut::setBackColor(quint32 value) {
    if (value == d->backColor && (!d->designMode || value == d->backOver))
        return;
    d->backColor = value;
    if (d->designMode)
        d->backOver = value;
    changed(kBackColor, true, false);
}

void chBut::setBackOver(quint32 value) {
    if (value == d->backOver)
        return;
    d->backOver = value;
    changed(kBackOver, true, false);
}

void chBut::setForeColor(quint32 value) {
    if (value == d->foreColor && (!d->designMode || value == d->foreOver))
        return;
    d->foreColor = value;
    if (d->designMode)
        d->foreOver = value;
    changed(kForeColor, true, false);
}

void chBut::setForeOver(quint32 value) {
    if (value == d->foreOver)
        return;
    d->foreOver = value;
    changed(kForeOver, true, false);
}

void chBut::setMaskColor(quint32 value) {
    if (value == d->maskColor)
        return;
    d->maskColor = value;
    changed(kMaskColor, true, false);
}

void chBut::setButtonType(ButtonTypes value) {
    if (value == d->buttonType || !propertyTable().admits(*this, kButtonType, value))
        return;
    d->buttonType = value;
    updateRegion();
    changed(kButtonType, true, true);
}

void chBut::setCaption(const QString& value) {
    if (value == d->caption)
        return;
    d->caption = value;
    updateAccessKey();
    changed(kCaption, false, true);
}

void chBut::setFontSilently(const QFont& f) {
    d->silentFont = true;
    setFont(f);
    d->silentFont = false;
}

void chBut::setFontBold(bool value) {
    QFont f = font();
    f.setBold(value);
    setFontSilently(f);
}

void chBut::setFontItalic(bool value) {
    QFont f = font();
    f.setItalic(value);
    setFontSilently(f);
}

void chBut::setFontUnderline(bool value) {
    QFont f = font();
    f.setUnderline(value);
    setFontSilently(f);
}

void chBut::setFontSize(short value) {
    if (!propertyvalues::admits(*this, "FontSize", value, {1, std::numeric_limits<short>::max()}))
        return;
    QFont f = font();
    f.setPointSize(value);
    setFontSilently(f);
}

void chBut::setFontName(const QString& value) {
    QFont f = font();
    f.setFamily(value);
    setFontSilently(f);
}

void chBut::setColorScheme(ColorTypes value) {
    if (value == d->colorScheme || !propertyTable().admits(*this, kColorScheme, value))
        return;
    d->colorScheme = value;
    changed(kColorScheme, true, false);
}

void chBut::setShowFocusRect(bool value) {
    if (value == d->showFocusRect)
        return;
    d->showFocusRect = value;
    changed(kShowFocusRect, false, false);
}

void chBut::updateCursor() {
    static const Qt::CursorShape shapes[] = {
        Qt::ArrowCursor,     Qt::ArrowCursor,   Qt::CrossCursor,     Qt::IBeamCursor,
        Qt::ArrowCursor,     Qt::SizeAllCursor, Qt::SizeBDiagCursor, Qt::SizeVerCursor,
        Qt::SizeFDiagCursor, Qt::SizeHorCursor, Qt::UpArrowCursor,   Qt::WaitCursor,
        Qt::ForbiddenCursor, Qt::BusyCursor,    Qt::WhatsThisCursor, Qt::SizeAllCursor};
    if (d->mousePointer == 99) {
        if (d->handPointer)
            setCursor(Qt::PointingHandCursor);
        else if (!d->mouseIcon.isNull())
            setCursor(QCursor(d->mouseIcon));
        else
            unsetCursor();
    } else if (d->mousePointer > 0 && d->mousePointer < short(std::size(shapes))) {
        setCursor(shapes[d->mousePointer]);
    } else {
        unsetCursor();
    }
}

void chBut::setMousePointer(short value) {
    if (value == d->mousePointer)
        return;
    d->mousePointer = value;
    updateCursor();
    emit propertyChanged(QString::fromLatin1(kMousePointer));
}

void chBut::setMouseIcon(const QPixmap& value) {
    d->mouseIcon = value;
    updateCursor();
    emit propertyChanged(QString::fromLatin1(kMouseIcon));
}

void chBut::setHandPointer(bool value) {
    if (value == d->handPointer)
        return;
    d->handPointer = value;
    if (value) {
        d->mousePointer = 99;
    } else {
        d->mouseIcon = QPixmap();
        d->mousePointer = 1;
    }
    updateCursor();
    changed(kHandPointer, false, false);
}

void chBut::setSoftBevel(bool value) {
    if (value == d->softBevel)
        return;
    d->softBevel = value;
    changed(kSoftBevel, true, false);
}

void chBut::setPictureNormal(const QPixmap& value) {
    d->pictureNormal = value;
    changed(kPictureNormal, false, true);
}

void chBut::setPictureOver(const QPixmap& value) {
    d->pictureOver = value;
    changed(kPictureOverChange, false, true);
}

void chBut::setPicturePosition(PicPositions value) {
    if (value == d->picturePosition || !propertyTable().admits(*this, kPicturePosition, value))
        return;
    d->picturePosition = value;
    changed(kPicturePosition, false, true);
}

void chBut::setUseMaskColor(bool value) {
    if (value == d->useMaskColor)
        return;
    d->useMaskColor = value;
    changed(kUseMaskColor, false, false);
}

void chBut::setUseGreyscale(bool value) {
    if (value == d->useGreyscale)
        return;
    d->useGreyscale = value;
    changed(kUseGreyscale, false, false);
}

void chBut::setSpecialEffect(fx value) {
    if (value == d->specialEffect || !propertyTable().admits(*this, kSpecialEffect, value))
        return;
    d->specialEffect = value;
    changed(kSpecialEffect, false, false);
}

void chBut::setCheckBoxBehaviour(bool value) {
    if (value == d->checkBoxBehaviour)
        return;
    d->checkBoxBehaviour = value;
    changed(kCheckBox, false, false);
}

void chBut::setValue(bool value) {
    if (value == d->value)
        return;
    d->value = value;
    changed(kValue, false, false);
}

void chBut::setDisplayAsDefault(bool value) {
    if (value == d->displayAsDefault)
        return;
    d->displayAsDefault = value;
    Redraw(d->lastState, true);
}

void chBut::setDesignMode(bool value) {
    d->designMode = value;
}

void chBut::InitProperties(const QString& name) {
    d->quiet = true;
    propertyTable().init(*this, name);
    d->quiet = false;
    applyProperties(StateNormal);
}

void chBut::ReadProperties(const PropertyBag& bag) {
    d->quiet = true;
    // Restores the quiet flag also when a bad value raises PropertyError.
    const auto loud = qScopeGuard([this] { d->quiet = false; });
    propertyTable().load(*this, bag);
    applyProperties(d->lastState);
}

void chBut::WriteProperties(PropertyBag& bag) const {
    propertyTable().write(*this, bag);
}

void chBut::applyProperties(int state) {
    updateAccessKey();
    updateCursor();
    updateRegion();
    SetColors();
    layoutCaption();
    Redraw(state, true);
}

} // namespace glimmer
