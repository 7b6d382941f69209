#include <glimmer/chBut.h>

#include "BagValues.h"
#include "ButtonColors.h"

#include <glimmer/OleColor.h>
#include <glimmer/PropertyBag.h>
#include <glimmer/PropertyError.h>

namespace glimmer {

namespace {

// Property-bag keys.
const QString kBackColor = QStringLiteral("BCOL");
const QString kBackOver = QStringLiteral("BCOLO");
const QString kForeColor = QStringLiteral("FCOL");
const QString kForeOver = QStringLiteral("FCOLO");
const QString kMaskColor = QStringLiteral("MCOL");
const QString kButtonType = QStringLiteral("BTYPE");
const QString kCaption = QStringLiteral("TX");
const QString kEnabled = QStringLiteral("ENAB");
const QString kFont = QStringLiteral("FONT");
const QString kColorScheme = QStringLiteral("COLTYPE");
const QString kShowFocusRect = QStringLiteral("FOCUSR");
const QString kMousePointer = QStringLiteral("MPTR");
const QString kMouseIcon = QStringLiteral("MICON");
const QString kHandPointer = QStringLiteral("HAND");
const QString kSoftBevel = QStringLiteral("SOFT");
const QString kPictureNormal = QStringLiteral("PICN");
const QString kPictureOver = QStringLiteral("PICH");
const QString kPicturePosition = QStringLiteral("PICPOS");
const QString kUseMaskColor = QStringLiteral("UMCOL");
const QString kUseGreyscale = QStringLiteral("NGREY");
const QString kSpecialEffect = QStringLiteral("FX");
const QString kCheckBox = QStringLiteral("CHECK");
const QString kValue = QStringLiteral("VALUE");

constexpr quint32 DefaultMaskColor = 0xC0C0C0;

int checkedEnum(const QString& key, int value, int low, int high) {
    if (value < low || value > high)
        throw PropertyError(key, QStringLiteral("value %1 out of range").arg(value));
    return value;
}

} // namespace

void chBut::setBackColor(quint32 value) {
    if (value == m_backColor && (!m_designMode || value == m_backOver))
        return;
    m_backColor = value;
    if (m_designMode)
        m_backOver = value;
    changed("BCOL", true, false);
}

void chBut::setBackOver(quint32 value) {
    if (value == m_backOver)
        return;
    m_backOver = value;
    changed("BCOLO", true, false);
}

void chBut::setForeColor(quint32 value) {
    if (value == m_foreColor && (!m_designMode || value == m_foreOver))
        return;
    m_foreColor = value;
    if (m_designMode)
        m_foreOver = value;
    changed("FCOL", true, false);
}

void chBut::setForeOver(quint32 value) {
    if (value == m_foreOver)
        return;
    m_foreOver = value;
    changed("FCOLO", true, false);
}

void chBut::setMaskColor(quint32 value) {
    if (value == m_maskColor)
        return;
    m_maskColor = value;
    changed("MCOL", true, false);
}

void chBut::setButtonType(ButtonTypes value) {
    checkedEnum(kButtonType, value, SimpleFlat, Hover3D);
    if (value == m_buttonType)
        return;
    m_buttonType = value;
    updateRegion();
    changed("BTYPE", true, true);
}

void chBut::setCaption(const QString& value) {
    if (value == m_caption)
        return;
    m_caption = value;
    updateAccessKey();
    changed("TX", false, true);
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
    if (value <= 0)
        throw PropertyError(QStringLiteral("FontSize"), QStringLiteral("size must be positive"));
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
    checkedEnum(kColorScheme, value, UseWindows, UseContainer);
    if (value == m_colorScheme)
        return;
    m_colorScheme = value;
    changed("COLTYPE", true, false);
}

void chBut::setShowFocusRect(bool value) {
    if (value == m_showFocusRect)
        return;
    m_showFocusRect = value;
    changed("FOCUSR", false, false);
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
    emit propertyChanged(kMousePointer);
}

void chBut::setMouseIcon(const QPixmap& value) {
    m_mouseIcon = value;
    updateCursor();
    emit propertyChanged(kMouseIcon);
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
    changed("HAND", false, false);
}

void chBut::setSoftBevel(bool value) {
    if (value == m_softBevel)
        return;
    m_softBevel = value;
    changed("SOFT", true, false);
}

void chBut::setPictureNormal(const QPixmap& value) {
    m_pictureNormal = value;
    changed("PICN", false, true);
}

void chBut::setPictureOver(const QPixmap& value) {
    m_pictureOver = value;
    // Hosts know the hover picture's change under this key.
    changed("PICO", false, true);
}

void chBut::setPicturePosition(PicPositions value) {
    checkedEnum(kPicturePosition, value, cbLeft, cbBackground);
    if (value == m_picturePosition)
        return;
    m_picturePosition = value;
    changed("PICPOS", false, true);
}

void chBut::setUseMaskColor(bool value) {
    if (value == m_useMaskColor)
        return;
    m_useMaskColor = value;
    changed("UMCOL", false, false);
}

void chBut::setUseGreyscale(bool value) {
    if (value == m_useGreyscale)
        return;
    m_useGreyscale = value;
    changed("NGREY", false, false);
}

void chBut::setSpecialEffect(fx value) {
    checkedEnum(kSpecialEffect, value, cbNone, cbShadowed);
    if (value == m_specialEffect)
        return;
    m_specialEffect = value;
    changed("FX", false, false);
}

void chBut::setCheckBoxBehaviour(bool value) {
    if (value == m_checkBoxBehaviour)
        return;
    m_checkBoxBehaviour = value;
    changed("CHECK", false, false);
}

void chBut::setValue(bool value) {
    if (value == m_value)
        return;
    m_value = value;
    changed("VALUE", false, false);
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
    setEnabled(true);
    if (parentWidget())
        setFont(parentWidget()->font());
    m_quiet = false;
    m_showFocusRect = true;
    m_useMaskColor = true;
    m_caption = name;
    m_buttonType = Windows32Bit;
    m_colorScheme = UseWindows;
    // The system colours themselves, so the button follows later changes of the desktop colours.
    m_backColor = m_backOver = OleColor::ButtonFace;
    m_foreColor = m_foreOver = OleColor::ButtonText;
    m_maskColor = DefaultMaskColor;
    updateAccessKey();
    updateRegion();
    SetColors();
    layoutCaption();
    Redraw(StateNormal, true);
}

void chBut::ReadProperties(const PropertyBag& bag) {
    // Everything is read before anything changes, so a bad value leaves the button as it was.
    const BagValues b(bag);
    const quint32 back = b.readColor(kBackColor, OleColor::ButtonFace);
    const quint32 backOver = b.readColor(kBackOver, back);
    const quint32 fore = b.readColor(kForeColor, OleColor::ButtonText);
    const quint32 foreOver = b.readColor(kForeOver, fore);
    const quint32 mask = b.readColor(kMaskColor, DefaultMaskColor);
    const int type =
        checkedEnum(kButtonType, b.readInt(kButtonType, Windows32Bit), SimpleFlat, Hover3D);
    const QString caption = b.readString(kCaption, QString());
    const bool enabled = b.readBool(kEnabled, true);
    const QFont f = b.readFont(kFont, font());
    const int scheme =
        checkedEnum(kColorScheme, b.readInt(kColorScheme, UseWindows), UseWindows, UseContainer);
    const bool focusRect = b.readBool(kShowFocusRect, true);
    const qint32 pointer = b.readInt(kMousePointer, 0);
    const QPixmap icon = b.readPicture(kMouseIcon);
    const bool hand = b.readBool(kHandPointer, false);
    const bool soft = b.readBool(kSoftBevel, false);
    const QPixmap picNormal = b.readPicture(kPictureNormal);
    const QPixmap picOver = b.readPicture(kPictureOver);
    const int picPos =
        checkedEnum(kPicturePosition, b.readInt(kPicturePosition, cbLeft), cbLeft, cbBackground);
    const bool useMask = b.readBool(kUseMaskColor, true);
    const bool grey = b.readBool(kUseGreyscale, false);
    const int effect =
        checkedEnum(kSpecialEffect, b.readInt(kSpecialEffect, cbNone), cbNone, cbShadowed);
    const bool check = b.readBool(kCheckBox, false);
    const bool value = b.readBool(kValue, false);
    if (pointer < std::numeric_limits<short>::min() || pointer > std::numeric_limits<short>::max())
        throw PropertyError(kMousePointer, QStringLiteral("not a 16-bit pointer code"));

    m_backColor = back;
    m_backOver = backOver;
    m_foreColor = fore;
    m_foreOver = foreOver;
    m_maskColor = mask;
    m_buttonType = ButtonTypes(type);
    m_caption = caption;
    m_colorScheme = ColorTypes(scheme);
    m_showFocusRect = focusRect;
    m_mousePointer = short(pointer);
    m_mouseIcon = icon;
    m_handPointer = hand;
    m_softBevel = soft;
    m_pictureNormal = picNormal;
    m_pictureOver = picOver;
    m_picturePosition = PicPositions(picPos);
    m_useMaskColor = useMask;
    m_useGreyscale = grey;
    m_specialEffect = fx(effect);
    m_checkBoxBehaviour = check;
    m_value = value;
    m_quiet = true;
    setEnabled(enabled);
    setFont(f);
    m_quiet = false;
    updateAccessKey();
    updateCursor();
    updateRegion();
    SetColors();
    layoutCaption();
    Redraw(m_lastState, true);
}

void chBut::WriteProperties(PropertyBag& bag) const {
    bag.WriteProperty(kBackColor, m_backColor);
    bag.WriteProperty(kBackOver, m_backOver);
    bag.WriteProperty(kForeColor, m_foreColor);
    bag.WriteProperty(kForeOver, m_foreOver);
    bag.WriteProperty(kMaskColor, m_maskColor);
    bag.WriteProperty(kButtonType, int(m_buttonType));
    bag.WriteProperty(kCaption, m_caption);
    bag.WriteProperty(kEnabled, isEnabled());
    bag.WriteProperty(kFont, font());
    bag.WriteProperty(kColorScheme, int(m_colorScheme));
    bag.WriteProperty(kShowFocusRect, m_showFocusRect);
    bag.WriteProperty(kMousePointer, int(m_mousePointer));
    bag.WriteProperty(kMouseIcon, BagValues::pictureValue(m_mouseIcon));
    bag.WriteProperty(kHandPointer, m_handPointer);
    bag.WriteProperty(kSoftBevel, m_softBevel);
    bag.WriteProperty(kPictureNormal, BagValues::pictureValue(m_pictureNormal));
    bag.WriteProperty(kPictureOver, BagValues::pictureValue(m_pictureOver));
    bag.WriteProperty(kPicturePosition, int(m_picturePosition));
    bag.WriteProperty(kUseMaskColor, m_useMaskColor);
    bag.WriteProperty(kUseGreyscale, m_useGreyscale);
    bag.WriteProperty(kSpecialEffect, int(m_specialEffect));
    bag.WriteProperty(kCheckBox, m_checkBoxBehaviour);
    bag.WriteProperty(kValue, m_value);
}

} // namespace glimmer
