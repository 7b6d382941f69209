#include <glimmer/tkHLink.h>

#include "controls/tkHLinkPrivate.h"

#include "controls/PropertyTable.h"

#include <glimmer/OleColor.h>

#include <QLabel>
#include <QScopeGuard>

namespace glimmer {

namespace {

// Property-bag keys, equal to the property names; a write reports its change under the same key.
constexpr char kBackColor[] = "BackColor";
constexpr char kEnabled[] = "Enabled";
constexpr char kFont[] = "Font";
constexpr char kBackStyle[] = "BackStyle";
constexpr char kBorderStyle[] = "BorderStyle";
constexpr char kAlignment[] = "Alignment";
constexpr char kAutoSize[] = "AutoSize";
constexpr char kCaption[] = "Caption";
constexpr char kActiveColor[] = "LinkActiveColor";
constexpr char kVisitedColor[] = "LinkVisitedColor";
constexpr char kUnderLined[] = "LinkUnderLined";
constexpr char kSingleClick[] = "LinkSingleClickActivate";
constexpr char kURL[] = "LinkURL";

// The caption of a link read from a bag that has none.
const QString& defaultCaption() {
    static const QString text = QStringLiteral("www.notaro.invalid");
    return text;
}

} // namespace

const PropertyTable<tkHLink>& tkHLink::propertyTable() {
    using Init = PropertyInit;
    using L = tkHLink;
    auto enabled = functionAccess<bool, L>([](const L& l) { return l.isEnabled(); },
                                           [](L& l, const bool& v) { l.setEnabled(v); });
    auto font = functionAccess<QFont, L>([](const L& l) { return l.d->label->font(); },
                                         [](L& l, const QFont& v) { l.d->label->setFont(v); });
    auto caption =
        functionAccess<QString, L>([](const L& l) { return l.d->label->text(); },
                                   [](L& l, const QString& v) { l.d->label->setText(v); });
    // The underline belongs to the label's font, so this row comes after Font.
    auto underlined = functionAccess<bool, L>([](const L& l) { return l.LinkUnderLined(); },
                                              [](L& l, const bool& v) {
                                                  QFont f = l.d->label->font();
                                                  f.setUnderline(v);
                                                  l.d->label->setFont(f);
                                              });
    // BackStyle has no public property: the surface is opaque (1) unless a bag says 0.
    // clang-format off
#define FIELD(name) fieldAccess<L, decltype(Private::name)>([](L& c) -> auto& { return c.d->name; })
    static const PropertyTable<tkHLink> table(PropertyTable<tkHLink>::WithDefaults, {
        {"BackColor", kBackColor, fixedDefault(OleColor::ButtonFace), FIELD(backColor)},
        {"Enabled", kEnabled, fixedDefault(true), enabled},
        {"Font", kFont, hostFontDefault(), font},
        {"BackStyle", kBackStyle, fixedDefault(1), FIELD(backStyle), Init::Keep, {0, 1}},
        {"BorderStyle", kBorderStyle, fixedDefault(NoBorder), FIELD(borderStyle), Init::Keep, {NoBorder, FixedSingle}},
        {"Alignment", kAlignment, fixedDefault(LeftJustify), FIELD(alignment), Init::Keep, {LeftJustify, Center}},
        {"AutoSize", kAutoSize, fixedDefault(false), FIELD(autoSize)},
        {"Caption", kCaption, fixedDefault(defaultCaption()), caption, Init::HostName},
        {"LinkActiveColor", kActiveColor, fixedDefault(0xC00000), FIELD(activeColor)},
        {"LinkVisitedColor", kVisitedColor, fixedDefault(0x800080), FIELD(visitedColor), Init::AsDefault},
        {"LinkUnderLined", kUnderLined, fixedDefault(false), underlined},
        {"LinkSingleClickActivate", kSingleClick, fixedDefault(true), FIELD(singleClick), Init::AsDefault},
        {"LinkURL", kURL, fixedDefault(QString()), FIELD(url), Init::AsDefault}});
#undef FIELD
    // clang-format on
    return table;
}

void tkHLink::setBackColor(quint32 value) {
    if (value == d->backColor)
        return;
    d->backColor = value;
    applyColours();
    emit propertyChanged(QString::fromLatin1(kBackColor));
}

QFont tkHLink::Font() const {
    return d->label->font();
}

void tkHLink::setLinkFont(const QFont& value) {
    if (value == d->label->font() && value.resolveMask() == d->label->font().resolveMask())
        return;
    d->label->setFont(value);
    if (d->autoSize)
        fitToLabel();
    emit propertyChanged(QString::fromLatin1(kFont));
}

void tkHLink::setBorderStyle(BorderStyles value) {
    if (value == d->borderStyle || !propertyTable().admits(*this, kBorderStyle, value))
        return;
    d->borderStyle = value;
    applyBorder();
    emit propertyChanged(QString::fromLatin1(kBorderStyle));
}

void tkHLink::setAlignment(Alignments value) {
    if (value == d->alignment || !propertyTable().admits(*this, kAlignment, value))
        return;
    d->alignment = value;
    applyAlignment();
    emit propertyChanged(QString::fromLatin1(kAlignment));
}

void tkHLink::setAutoSize(bool value) {
    if (value == d->autoSize)
        return;
    d->autoSize = value;
    if (value)
        fitToLabel();
    emit propertyChanged(QString::fromLatin1(kAutoSize));
}

QString tkHLink::Caption() const {
    return d->label->text();
}

void tkHLink::setCaption(const QString& value) {
    if (value == d->label->text())
        return;
    d->label->setText(value);
    if (d->url.isEmpty())
        d->url = value;
    if (d->autoSize)
        fitToLabel();
    emit propertyChanged(QString::fromLatin1(kCaption));
}

void tkHLink::setLinkActiveColor(quint32 value) {
    if (value == d->activeColor)
        return;
    d->activeColor = value;
    applyColours();
    emit propertyChanged(QString::fromLatin1(kActiveColor));
}

void tkHLink::setLinkVisitedColor(quint32 value) {
    if (value == d->visitedColor)
        return;
    d->visitedColor = value;
    emit propertyChanged(QString::fromLatin1(kVisitedColor));
}

bool tkHLink::LinkUnderLined() const {
    return d->label->font().underline();
}

void tkHLink::setLinkUnderLined(bool value) {
    if (value == LinkUnderLined())
        return;
    QFont f = d->label->font();
    f.setUnderline(value);
    d->label->setFont(f);
    emit propertyChanged(QString::fromLatin1(kUnderLined));
}

void tkHLink::setLinkSingleClickActivate(bool value) {
    if (value == d->singleClick)
        return;
    d->singleClick = value;
    emit propertyChanged(QString::fromLatin1(kSingleClick));
}

void tkHLink::setLinkURL(const QString& value) {
    if (value == d->url)
        return;
    d->url = value;
    emit propertyChanged(QString::fromLatin1(kURL));
}

void tkHLink::InitProperties(const QString& name) {
    propertyTable().init(*this, name);
    emit InitPropertiesEvent();
}

void tkHLink::ReadProperties(const PropertyBag& bag) {
    d->quiet = true;
    const auto loud = qScopeGuard([this] { d->quiet = false; });
    propertyTable().load(*this, bag);
    applyColours();
    applyBorder();
    applyAlignment();
    if (d->autoSize)
        fitToLabel();
}

void tkHLink::WriteProperties(PropertyBag& bag) const {
    propertyTable().write(*this, bag);
}

} // namespace glimmer
