#include <glimmer/chBut.h>

#include "ButtonColors.h"
#include "PropertyTable.h"

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
    static const PropertyTable<chBut> table(PropertyTable<chBut>::EveryValue, {
        {"BackColor", kBackColor, fixedDefault(OleColor::ButtonFace), memberAccess(&chBut::m_backColor), Init::AsDefault},
        {"BackOver", kBackOver, sameAsDefault(kBackColor), memberAccess(&chBut::m_backOver), Init::AsDefault},
        {"ForeColor", kForeColor, fixedDefault(OleColor::ButtonText), memberAccess(&chBut::m_foreColor), Init::AsDefault},
        {"ForeOver", kForeOver, sameAsDefault(kForeColor), memberAccess(&chBut::m_foreOver), Init::AsDefault},
        {"MaskColor", kMaskColor, fixedDefault(DefaultMaskColor), memberAccess(&chBut::m_maskColor), Init::AsDefault},
        {"ButtonType", kButtonType, fixedDefault(Windows32Bit), memberAccess(&chBut::m_buttonType), Init::AsDefault, {SimpleFlat, Hover3D}},
        {"Caption", kCaption, fixedDefault(QString()), memberAccess(&chBut::m_caption), Init::HostName},
        {"Enabled", kEnabled, fixedDefault(true), enabled, Init::AsDefault},
        {"Font", kFont, ownFontDefault(), font, Init::HostFont},
        {"ColorScheme", kColorScheme, fixedDefault(UseWindows), memberAccess(&chBut::m_colorScheme), Init::AsDefault, {UseWindows, UseContainer}},
        {"ShowFocusRect", kShowFocusRect, fixedDefault(true), memberAccess(&chBut::m_showFocusRect), Init::AsDefault},
        {"MousePointer", kMousePointer, fixedDefault(0), memberAccess(&chBut::m_mousePointer), Init::Keep, PointerCodes},
        {"MouseIcon", kMouseIcon, {}, memberAccess(&chBut::m_mouseIcon)},
        {"HandPointer", kHandPointer, fixedDefault(false), memberAccess(&chBut::m_handPointer)},
        {"SoftBevel", kSoftBevel, fixedDefault(false), memberAccess(&chBut::m_softBevel)},
        {"PictureNormal", kPictureNormal, {}, memberAccess(&chBut::m_pictureNormal)},
        {"PictureOver", kPictureOver, {}, memberAccess(&chBut::m_pictureOver)},
        {"PicturePosition", kPicturePosition, fixedDefault(cbLeft), memberAccess(&chBut::m_picturePosition), Init::Keep, {cbLeft, cbBackground}},
        {"UseMaskColor", kUseMaskColor, fixedDefault(true), memberAccess(&chBut::m_useMaskColor), Init::AsDefault},
        {"UseGreyscale", kUseGreyscale, fixedDefault(false), memberAccess(&chBut::m_useGreyscale)},
        {"SpecialEffect", kSpecialEffect, fixedDefault(cbNone), memberAccess(&chBut::m_specialEffect), Init::Keep, {cbNone, cbShadowed}},
        {"CheckBoxBehaviour", kCheckBox, fixedDefault(false), memberAccess(&chBut::m_checkBoxBehaviour)},
        {"Value", kValue, fixedDefault(false), memberAccess(&chBut::m_value)}});
    // clang-format on
    return table;
}

void chBut::setBackColor(quint32 value) {
    if (value == m_backColor && (!m_designMode || value == m_backOver))
        return;
    m_backColor = value;
    if (m_designMode)
        m_backOver = value;
    changed(kBackColor, true, false);
}

void chBut::setBackOver(quint32 value) {
    if (value == m_backOver)
        return;
    m_backOver = value;
    changed(kBackOver, true, false);
}

void chBut::setForeColor(quint32 value) {
    if (value == m_foreColor && (!m_designMode || value == m_foreOver))
        return;
    m_foreColor = value;
    if (m_designMode)
        m_foreOver = value;
    changed(kForeColor, true, false);
}

void chBut::setForeOver(quint32 value) {
    if (value == m_foreOver)
        return;
    m_foreOver = value;
    changed(kForeOver, true, false);
}

void chBut::setMaskColor(quint32 value) {
    if (value == m_maskColor)
        return;
    m_maskColor = value;
    changed(kMaskColor, true, false);
}

void chBut::setButtonType(ButtonTypes value) {
    if (value == m_buttonType || !propertyTable().admits(*this, kButtonType, value))
        return;
    m_buttonType = value;
    updateRegion();
    changed(kButtonType, true, true);
}

void chBut::setCaption(const QString& value) {
    if (value == m_caption)
        return;
    m_caption = value;
    updateAccessKey();
    changed(kCaption, false, true);
}

void chBut::setFontSilently(const QFont& f) {
    m_silentFont = true;
    setFont(f);
    m_silentFont = false;
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
    if (value == m_colorScheme || !propertyTable().admits(*this, kColorScheme, value))
        return;
    m_colorScheme = value;
    changed(kColorScheme, true, false);
}

void chBut::setShowFocusRect(bool value) {
    if (value == m_showFocusRect)
        return;
    m_showFocusRect = value;
    changed(kShowFocusRect, false, false);
}

void chBut::updateCursor() {
    static const Qt::CursorShape shapes[] = {
        Qt::ArrowCursor,     Qt::ArrowCursor,   Qt::CrossCursor,     Qt::IBeamCursor,
        Qt::ArrowCursor,     Qt::SizeAllCursor, Qt::SizeBDiagCursor, Qt::SizeVerCursor,
        Qt::SizeFDiagCursor, Qt::SizeHorCursor, Qt::UpArrowCursor,   Qt::WaitCursor,
        Qt::ForbiddenCursor, Qt::BusyCursor,    Qt::WhatsThisCursor, Qt::SizeAllCursor};
    if (m_mousePointer == 99) {
        if (m_handPointer)
            setCursor(Qt::PointingHandCursor);
        else if (!m_mouseIcon.isNull())
            setCursor(QCursor(m_mouseIcon));
        else
            unsetCursor();
    } else if (m_mousePointer > 0 && m_mousePointer < short(std::size(shapes))) {
        setCursor(shapes[m_mousePointer]);
    } else {
        unsetCursor();
    }
}

void chBut::setMousePointer(short value) {
    if (value == m_mousePointer)
        return;
    m_mousePointer = value;
    updateCursor();
    emit propertyChanged(QString::fromLatin1(kMousePointer));
}

void chBut::setMouseIcon(const QPixmap& value) {
    m_mouseIcon = value;
    updateCursor();
    emit propertyChanged(QString::fromLatin1(kMouseIcon));
}

void chBut::setHandPointer(bool value) {
    if (value == m_handPointer)
        return;
    m_handPointer = value;
    if (value) {
        m_mousePointer = 99;
    } else {
        m_mouseIcon = QPixmap();
        m_mousePointer = 1;
    }
    updateCursor();
    changed(kHandPointer, false, false);
}

void chBut::setSoftBevel(bool value) {
    if (value == m_softBevel)
        return;
    m_softBevel = value;
    changed(kSoftBevel, true, false);
}

void chBut::setPictureNormal(const QPixmap& value) {
    m_pictureNormal = value;
    changed(kPictureNormal, false, true);
}

void chBut::setPictureOver(const QPixmap& value) {
    m_pictureOver = value;
    changed(kPictureOverChange, false, true);
}

void chBut::setPicturePosition(PicPositions value) {
    if (value == m_picturePosition || !propertyTable().admits(*this, kPicturePosition, value))
        return;
    m_picturePosition = value;
    changed(kPicturePosition, false, true);
}

void chBut::setUseMaskColor(bool value) {
    if (value == m_useMaskColor)
        return;
    m_useMaskColor = value;
    changed(kUseMaskColor, false, false);
}

void chBut::setUseGreyscale(bool value) {
    if (value == m_useGreyscale)
        return;
    m_useGreyscale = value;
    changed(kUseGreyscale, false, false);
}

void chBut::setSpecialEffect(fx value) {
    if (value == m_specialEffect || !propertyTable().admits(*this, kSpecialEffect, value))
        return;
    m_specialEffect = value;
    changed(kSpecialEffect, false, false);
}

void chBut::setCheckBoxBehaviour(bool value) {
    if (value == m_checkBoxBehaviour)
        return;
    m_checkBoxBehaviour = value;
    changed(kCheckBox, false, false);
}

void chBut::setValue(bool value) {
    if (value == m_value)
        return;
    m_value = value;
    changed(kValue, false, false);
}

void chBut::setDisplayAsDefault(bool value) {
    if (value == m_displayAsDefault)
        return;
    m_displayAsDefault = value;
    Redraw(m_lastState, true);
}

void chBut::setDesignMode(bool value) {
    m_designMode = value;
}

void chBut::InitProperties(const QString& name) {
    m_quiet = true;
    propertyTable().init(*this, name);
    m_quiet = false;
    applyProperties(StateNormal);
}

void chBut::ReadProperties(const PropertyBag& bag) {
    m_quiet = true;
    // Restores the quiet flag also when a bad value raises PropertyError.
    const auto loud = qScopeGuard([this] { m_quiet = false; });
    propertyTable().load(*this, bag);
    applyProperties(m_lastState);
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
