#include <glimmer/tkHLink.h>

#include "controls/tkHLinkPrivate.h"

#include <glimmer/OleColor.h>

#include <QLabel>

namespace glimmer {

namespace {

// The caption of a link read from a bag that has none.
const QString& defaultCaption() {
    static const QString text = QStringLiteral("www.notaro.invalid");
    return text;
}

// The link's own effects of a change, besides colours and the border (Relayout).
constexpr unsigned Realign = effect::FirstOwn;
constexpr unsigned Refit = effect::FirstOwn << 1;         ///< an auto-sized link fits its text
constexpr unsigned FollowCaption = effect::FirstOwn << 2; ///< an empty address takes the caption

} // namespace

const PropertyTable<tkHLink::Private>& tkHLink::Private::table() {
    using P = Private;
    using Init = PropertyInit;
    using effect::None, effect::Recolour, effect::Relayout;
    auto enabled = getterAccess(&widgetEnabled<P>, [](P& d, const bool& v) { d.q->setEnabled(v); });
    auto font = getterAccess(&P::font, [](P& d, const QFont& v) { d.label->setFont(v); });
    auto caption = getterAccess(&P::caption, [](P& d, const QString& v) { d.label->setText(v); });
    // The underline belongs to the label's font, so this row comes after Font.
    auto underlined = getterAccess(&P::underlined, [](P& d, const bool& v) {
        QFont f = d.label->font();
        f.setUnderline(v);
        d.label->setFont(f);
    });
    // BackStyle has no public property: the surface is opaque (1) unless a bag says 0.
    // clang-format off
    static const PropertyTable<P> rows(PropertyTable<P>::WithDefaults, &P::apply, {
        {"BackColor", fixedDefault(OleColor::ButtonFace), memberAccess(&P::backColor), Init::Keep, {}, Recolour},
        {"Enabled", fixedDefault(true), enabled},
        {"Font", hostFontDefault(), font, Init::Keep, {}, Refit},
        {"BackStyle", fixedDefault(1), memberAccess(&P::backStyle), Init::Keep, {0, 1}, None},
        {"BorderStyle", fixedDefault(NoBorder), memberAccess(&P::borderStyle), Init::Keep, {NoBorder, FixedSingle}, Relayout},
        {"Alignment", fixedDefault(LeftJustify), memberAccess(&P::alignment), Init::Keep, {LeftJustify, Center}, Realign},
        {"AutoSize", fixedDefault(false), memberAccess(&P::autoSize), Init::Keep, {}, Refit},
        {"Caption", fixedDefault(defaultCaption()), caption, Init::HostName, {}, FollowCaption | Refit},
        {"LinkActiveColor", fixedDefault(0xC00000), memberAccess(&P::activeColor), Init::Keep, {}, Recolour},
        {"LinkVisitedColor", fixedDefault(0x800080), memberAccess(&P::visitedColor), Init::AsDefault, {}, None},
        {"LinkUnderLined", fixedDefault(false), underlined, Init::Keep, {}, None},
        {"LinkSingleClickActivate", fixedDefault(true), memberAccess(&P::singleClick), Init::AsDefault, {}, None},
        {"LinkURL", fixedDefault(QString()), memberAccess(&P::url), Init::AsDefault, {}, None}});
    // clang-format on
    return rows;
}

void tkHLink::Private::apply(unsigned effects) {
    if ((effects & FollowCaption) && url.isEmpty())
        url = label->text();
    if (effects & effect::Recolour)
        applyColours();
    if (effects & effect::Relayout)
        applyBorder();
    if (effects & Realign)
        applyAlignment();
    if ((effects & Refit) && autoSize)
        fitToLabel();
    if (effects & (effect::Relayout | Refit))
        q->updateGeometry();
}

void tkHLink::setBackColor(quint32 value) {
    assign(*d, &Private::backColor, value);
}

QFont tkHLink::Font() const {
    return Private::font(*d);
}

void tkHLink::setLinkFont(const QFont& value) {
    assign(*d, &Private::font, value);
}

void tkHLink::setBorderStyle(BorderStyles value) {
    assign(*d, &Private::borderStyle, value);
}

void tkHLink::setAlignment(Alignments value) {
    assign(*d, &Private::alignment, value);
}

void tkHLink::setAutoSize(bool value) {
    assign(*d, &Private::autoSize, value);
}

QString tkHLink::Caption() const {
    return Private::caption(*d);
}

void tkHLink::setCaption(const QString& value) {
    assign(*d, &Private::caption, value);
}

void tkHLink::setLinkActiveColor(quint32 value) {
    assign(*d, &Private::activeColor, value);
}

void tkHLink::setLinkVisitedColor(quint32 value) {
    assign(*d, &Private::visitedColor, value);
}

bool tkHLink::LinkUnderLined() const {
    return Private::underlined(*d);
}

void tkHLink::setLinkUnderLined(bool value) {
    assign(*d, &Private::underlined, value);
}

void tkHLink::setLinkSingleClickActivate(bool value) {
    assign(*d, &Private::singleClick, value);
}

void tkHLink::setLinkURL(const QString& value) {
    assign(*d, &Private::url, value);
}

void tkHLink::InitProperties(const QString& name) {
    Private::table().init(*d, name);
    emit InitPropertiesEvent();
}

void tkHLink::ReadProperties(const PropertyBag& bag) {
    Private::table().load(*d, bag);
    d->applyColours();
    d->applyBorder();
    d->applyAlignment();
    if (d->autoSize)
        d->fitToLabel();
    updateGeometry();
}

void tkHLink::WriteProperties(PropertyBag& bag) const {
    Private::table().write(*d, bag);
}

} // namespace glimmer
