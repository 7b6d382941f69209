#include <glimmer/chBut.h>

#include "controls/chButPrivate.h"

#include "controls/PropertyTable.h"

#include <glimmer/OleColor.h>

namespace glimmer {

namespace {

// Keys the hover colours' defaults refer to.
constexpr char kBackColor[] = "BCOL";
constexpr char kForeColor[] = "FCOL";

constexpr quint32 DefaultMaskColor = 0xC0C0C0;
constexpr PropertyRange PointerCodes = {std::numeric_limits<short>::min(),
                                        std::numeric_limits<short>::max()};

// The button's own effects of a change, besides colours, layout and drawing.
constexpr unsigned ShortcutKey = effect::FirstOwn;
constexpr unsigned PointerShape = effect::FirstOwn << 1;
constexpr unsigned WindowShape = effect::FirstOwn << 2;

} // namespace

const PropertyTable<chBut::Private>& chBut::Private::table() {
    using P = Private;
    using Init = PropertyInit;
    using effect::Recolour, effect::Relayout, effect::Repaint;
    const unsigned colour = Recolour | Repaint;
    const unsigned layout = Relayout | Repaint;
    auto enabled = getterAccess(&widgetEnabled<P>, [](P& d, const bool& v) { d.q->setEnabled(v); });
    auto font = getterAccess(&widgetFont<P>, [](P& d, const QFont& v) { d.q->setFont(v); });
    // clang-format off
    static const PropertyTable<P> rows(PropertyTable<P>::EveryValue, &P::apply, {
        {"BackColor", kBackColor, fixedDefault(OleColor::ButtonFace), memberAccess(&P::backColor), Init::AsDefault, {}, colour},
        {"BackOver", "BCOLO", sameAsDefault(kBackColor), memberAccess(&P::backOver), Init::AsDefault, {}, colour},
        {"ForeColor", kForeColor, fixedDefault(OleColor::ButtonText), memberAccess(&P::foreColor), Init::AsDefault, {}, colour},
        {"ForeOver", "FCOLO", sameAsDefault(kForeColor), memberAccess(&P::foreOver), Init::AsDefault, {}, colour},
        {"MaskColor", "MCOL", fixedDefault(DefaultMaskColor), memberAccess(&P::maskColor), Init::AsDefault, {}, colour},
        {"ButtonType", "BTYPE", fixedDefault(Windows32Bit), memberAccess(&P::buttonType), Init::AsDefault, {SimpleFlat, Hover3D}, WindowShape | colour | layout},
        {"Caption", "TX", fixedDefault(QString()), memberAccess(&P::caption), Init::HostName, {}, ShortcutKey | layout},
        {"Enabled", "ENAB", fixedDefault(true), enabled, Init::AsDefault},
        {"Font", "FONT", ownFontDefault(), font, Init::HostFont},
        {"ColorScheme", "COLTYPE", fixedDefault(UseWindows), memberAccess(&P::colorScheme), Init::AsDefault, {UseWindows, UseContainer}, colour},
        {"ShowFocusRect", "FOCUSR", fixedDefault(true), memberAccess(&P::showFocusRect), Init::AsDefault},
        {"MousePointer", "MPTR", fixedDefault(0), memberAccess(&P::mousePointer), Init::Keep, PointerCodes, PointerShape},
        {"MouseIcon", "MICON", {}, memberAccess(&P::mouseIcon), Init::Keep, {}, PointerShape},
        {"HandPointer", "HAND", fixedDefault(false), memberAccess(&P::handPointer), Init::Keep, {}, PointerShape | Repaint},
        {"SoftBevel", "SOFT", fixedDefault(false), memberAccess(&P::softBevel), Init::Keep, {}, colour},
        {"PictureNormal", "PICN", {}, memberAccess(&P::pictureNormal), Init::Keep, {}, layout},
        // Hosts know the hover picture's change under another key than its bag key.
        {"PictureOver", "PICH", {}, memberAccess(&P::pictureOver), Init::Keep, {}, layout, "PICO"},
        {"PicturePosition", "PICPOS", fixedDefault(cbLeft), memberAccess(&P::picturePosition), Init::Keep, {cbLeft, cbBackground}, layout},
        {"UseMaskColor", "UMCOL", fixedDefault(true), memberAccess(&P::useMaskColor), Init::AsDefault},
        {"UseGreyscale", "NGREY", fixedDefault(false), memberAccess(&P::useGreyscale)},
        {"SpecialEffect", "FX", fixedDefault(cbNone), memberAccess(&P::specialEffect), Init::Keep, {cbNone, cbShadowed}},
        {"CheckBoxBehaviour", "CHECK", fixedDefault(false), memberAccess(&P::checkBoxBehaviour)},
        {"Value", "VALUE", fixedDefault(false), memberAccess(&P::value)}});
    // clang-format on
    return rows;
}

void chBut::Private::apply(unsigned effects) {
    if (effects & ShortcutKey)
        updateAccessKey();
    if (effects & PointerShape)
        updateCursor();
    if (effects & WindowShape)
        updateRegion();
    if (effects & effect::Recolour)
        setColors();
    if (effects & effect::Relayout) {
        layoutCaption();
        q->updateGeometry();
    }
    if (effects & effect::Repaint)
        redraw(lastState, true);
}

void chBut::setBackColor(quint32 value) {
    // At design time the hover colour follows, and its change is reported with this one.
    const bool hoverFollows = d->designMode && value != d->backOver;
    if (hoverFollows)
        d->backOver = value;
    assign(*d, &Private::backColor, value, hoverFollows);
}

void chBut::setBackOver(quint32 value) {
    assign(*d, &Private::backOver, value);
}

void chBut::setForeColor(quint32 value) {
    const bool hoverFollows = d->designMode && value != d->foreOver;
    if (hoverFollows)
        d->foreOver = value;
    assign(*d, &Private::foreColor, value, hoverFollows);
}

void chBut::setForeOver(quint32 value) {
    assign(*d, &Private::foreOver, value);
}

void chBut::setMaskColor(quint32 value) {
    assign(*d, &Private::maskColor, value);
}

void chBut::setButtonType(ButtonTypes value) {
    assign(*d, &Private::buttonType, value);
}

void chBut::setCaption(const QString& value) {
    assign(*d, &Private::caption, value);
}

void chBut::Private::setFontSilently(const QFont& f) {
    silentFont = true;
    q->setFont(f);
    silentFont = false;
}

void chBut::setFontBold(bool value) {
    QFont f = font();
    f.setBold(value);
    d->setFontSilently(f);
}

void chBut::setFontItalic(bool value) {
    QFont f = font();
    f.setItalic(value);
    d->setFontSilently(f);
}

void chBut::setFontUnderline(bool value) {
    QFont f = font();
    f.setUnderline(value);
    d->setFontSilently(f);
}

void chBut::setFontSize(short value) {
    if (!propertyvalues::admits(*this, "FontSize", value, {1, std::numeric_limits<short>::max()}))
        return;
    QFont f = font();
    f.setPointSize(value);
    d->setFontSilently(f);
}

void chBut::setFontName(const QString& value) {
    QFont f = font();
    f.setFamily(value);
    d->setFontSilently(f);
}

void chBut::setColorScheme(ColorTypes value) {
    assign(*d, &Private::colorScheme, value);
}

void chBut::setShowFocusRect(bool value) {
    assign(*d, &Private::showFocusRect, value);
}

void chBut::Private::updateCursor() {
    static const Qt::CursorShape shapes[] = {
        Qt::ArrowCursor,     Qt::ArrowCursor,   Qt::CrossCursor,     Qt::IBeamCursor,
        Qt::ArrowCursor,     Qt::SizeAllCursor, Qt::SizeBDiagCursor, Qt::SizeVerCursor,
        Qt::SizeFDiagCursor, Qt::SizeHorCursor, Qt::UpArrowCursor,   Qt::WaitCursor,
        Qt::ForbiddenCursor, Qt::BusyCursor,    Qt::WhatsThisCursor, Qt::SizeAllCursor};
    if (mousePointer == 99) {
        if (handPointer)
            q->setCursor(Qt::PointingHandCursor);
        else if (!mouseIcon.isNull())
            q->setCursor(QCursor(mouseIcon));
        else
            q->unsetCursor();
    } else if (mousePointer > 0 && mousePointer < short(std::size(shapes))) {
        q->setCursor(shapes[mousePointer]);
    } else {
        q->unsetCursor();
    }
}

void chBut::setMousePointer(short value) {
    assign(*d, &Private::mousePointer, value);
}

void chBut::setMouseIcon(const QPixmap& value) {
    assign(*d, &Private::mouseIcon, value);
}

void chBut::setHandPointer(bool value) {
    if (value == d->handPointer)
        return;
    // The hand takes the pointer code 99 (an icon of one's own); without it the arrow, 1.
    d->mousePointer = value ? 99 : 1;
    if (!value)
        d->mouseIcon = QPixmap();
    assign(*d, &Private::handPointer, value);
}

void chBut::setSoftBevel(bool value) {
    assign(*d, &Private::softBevel, value);
}

void chBut::setPictureNormal(const QPixmap& value) {
    assign(*d, &Private::pictureNormal, value);
}

void chBut::setPictureOver(const QPixmap& value) {
    assign(*d, &Private::pictureOver, value);
}

void chBut::setPicturePosition(PicPositions value) {
    assign(*d, &Private::picturePosition, value);
}

void chBut::setUseMaskColor(bool value) {
    assign(*d, &Private::useMaskColor, value);
}

void chBut::setUseGreyscale(bool value) {
    assign(*d, &Private::useGreyscale, value);
}

void chBut::setSpecialEffect(fx value) {
    assign(*d, &Private::specialEffect, value);
}

void chBut::setCheckBoxBehaviour(bool value) {
    assign(*d, &Private::checkBoxBehaviour, value);
}

void chBut::setValue(bool value) {
    assign(*d, &Private::value, value);
}

void chBut::setDisplayAsDefault(bool value) {
    if (value == d->displayAsDefault)
        return;
    d->displayAsDefault = value;
    d->redraw(d->lastState, true);
}

void chBut::setDesignMode(bool value) {
    d->designMode = value;
}

void chBut::InitProperties(const QString& name) {
    Private::table().init(*d, name);
    d->applyAll(StateNormal);
}

void chBut::ReadProperties(const PropertyBag& bag) {
    Private::table().load(*d, bag);
    d->applyAll(d->lastState);
}

void chBut::WriteProperties(PropertyBag& bag) const {
    Private::table().write(*d, bag);
}

void chBut::Private::applyAll(int state) {
    updateAccessKey();
    updateCursor();
    updateRegion();
    setColors();
    layoutCaption();
    q->updateGeometry();
    redraw(state, true);
}

} // namespace glimmer
