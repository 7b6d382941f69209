#include <glimmer/tkHLink.h>

#include "PropertyTable.h"

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
    auto font = functionAccess<QFont, L>([](const L& l) { return l.m_label->font(); },
                                         [](L& l, const QFont& v) { l.m_label->setFont(v); });
    auto caption =
        functionAccess<QString, L>([](const L& l) { return l.m_label->text(); },
                                   [](L& l, const QString& v) { l.m_label->setText(v); });
    // The underline belongs to the label's font, so this row comes after Font.
    auto underlined = functionAccess<bool, L>([](const L& l) { return l.LinkUnderLined(); },
                                              [](L& l, const bool& v) {
                                                  QFont f = l.m_label->font();
                                                  f.setUnderline(v);
                                                  l.m_label->setFont(f);
                                              });
    // BackStyle has no public property: the surface is opaque (1) unless a bag says 0.
    // clang-format off
    static const PropertyTable<tkHLink> table(PropertyTable<tkHLink>::WithDefaults, {
        {"BackColor", kBackColor, fixedDefault(OleColor::ButtonFace), memberAccess(&L::m_backColor)},
        {"Enabled", kEnabled, fixedDefault(true), enabled},
        {"Font", kFont, hostFontDefault(), font},
        {"BackStyle", kBackStyle, fixedDefault(1), memberAccess(&L::m_backStyle), Init::Keep, {0, 1}},
        {"BorderStyle", kBorderStyle, fixedDefault(NoBorder), memberAccess(&L::m_borderStyle), Init::Keep, {NoBorder, FixedSingle}},
        {"Alignment", kAlignment, fixedDefault(LeftJustify), memberAccess(&L::m_alignment), Init::Keep, {LeftJustify, Center}},
        {"AutoSize", kAutoSize, fixedDefault(false), memberAccess(&L::m_autoSize)},
        {"Caption", kCaption, fixedDefault(defaultCaption()), caption, Init::HostName},
        {"LinkActiveColor", kActiveColor, fixedDefault(0xC00000), memberAccess(&L::m_activeColor)},
        {"LinkVisitedColor", kVisitedColor, fixedDefault(0x800080), memberAccess(&L::m_visitedColor), Init::AsDefault},
        {"LinkUnderLined", kUnderLined, fixedDefault(false), underlined},
        {"LinkSingleClickActivate", kSingleClick, fixedDefault(true), memberAccess(&L::m_singleClick), Init::AsDefault},
        {"LinkURL", kURL, fixedDefault(QString()), memberAccess(&L::m_url), Init::AsDefault}});
    // clang-format on
    return table;
}

void tkHLink::setBackColor(quint32 value) {
    if (value == m_backColor)
        return;
    m_backColor = value;
    applyColours();
    emit propertyChanged(QString::fromLatin1(kBackColor));
}

QFont tkHLink::Font() const {
    return m_label->font();
}

void tkHLink::setLinkFont(const QFont& value) {
    if (value == m_label->font() && value.resolveMask() == m_label->font().resolveMask())
        return;
    m_label->setFont(value);
    if (m_autoSize)
        fitToLabel();
    emit propertyChanged(QString::fromLatin1(kFont));
}

void tkHLink::setBorderStyle(BorderStyles value) {
    if (value == m_borderStyle || !propertyTable().admits(*this, kBorderStyle, value))
        return;
    m_borderStyle = value;
    applyBorder();
    emit propertyChanged(QString::fromLatin1(kBorderStyle));
}

void tkHLink::setAlignment(Alignments value) {
    if (value == m_alignment || !propertyTable().admits(*this, kAlignment, value))
        return;
    m_alignment = value;
    applyAlignment();
    emit propertyChanged(QString::fromLatin1(kAlignment));
}

void tkHLink::setAutoSize(bool value) {
    if (value == m_autoSize)
        return;
    m_autoSize = value;
    if (value)
        fitToLabel();
    emit propertyChanged(QString::fromLatin1(kAutoSize));
}

QString tkHLink::Caption() const {
    return m_label->text();
}

void tkHLink::setCaption(const QString& value) {
    if (value == m_label->text())
        return;
    m_label->setText(value);
    if (m_url.isEmpty())
        m_url = value;
    if (m_autoSize)
        fitToLabel();
    emit propertyChanged(QString::fromLatin1(kCaption));
}

void tkHLink::setLinkActiveColor(quint32 value) {
    if (value == m_activeColor)
        return;
    m_activeColor = value;
    applyColours();
    emit propertyChanged(QString::fromLatin1(kActiveColor));
}

void tkHLink::setLinkVisitedColor(quint32 value) {
    if (value == m_visitedColor)
        return;
    m_visitedColor = value;
    emit propertyChanged(QString::fromLatin1(kVisitedColor));
}

bool tkHLink::LinkUnderLined() const {
    return m_label->font().underline();
}

void tkHLink::setLinkUnderLined(bool value) {
    if (value == LinkUnderLined())
        return;
    QFont f = m_label->font();
    f.setUnderline(value);
    m_label->setFont(f);
    emit propertyChanged(QString::fromLatin1(kUnderLined));
}

void tkHLink::setLinkSingleClickActivate(bool value) {
    if (value == m_singleClick)
        return;
    m_singleClick = value;
    emit propertyChanged(QString::fromLatin1(kSingleClick));
}

void tkHLink::setLinkURL(const QString& value) {
    if (value == m_url)
        return;
    m_url = value;
    emit propertyChanged(QString::fromLatin1(kURL));
}

void tkHLink::InitProperties(const QString& name) {
    propertyTable().init(*this, name);
    emit InitPropertiesEvent();
}

void tkHLink::ReadProperties(const PropertyBag& bag) {
    m_quiet = true;
    const auto loud = qScopeGuard([this] { m_quiet = false; });
    propertyTable().load(*this, bag);
    applyColours();
    applyBorder();
    applyAlignment();
    if (m_autoSize)
        fitToLabel();
}

void tkHLink::WriteProperties(PropertyBag& bag) const {
    propertyTable().write(*this, bag);
}

} // namespace glimmer
