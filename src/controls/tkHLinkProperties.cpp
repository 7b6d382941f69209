#include <glimmer/tkHLink.h>

#include "BagValues.h"

#include <glimmer/OleColor.h>
#include <glimmer/PropertyBag.h>
#include <glimmer/PropertyError.h>

#include <QApplication>
#include <QLabel>

namespace glimmer {

namespace {

const QString kBackColor = QStringLiteral("BackColor");
const QString kEnabled = QStringLiteral("Enabled");
const QString kFont = QStringLiteral("Font");
const QString kBackStyle = QStringLiteral("BackStyle");
const QString kBorderStyle = QStringLiteral("BorderStyle");
const QString kAlignment = QStringLiteral("Alignment");
const QString kAutoSize = QStringLiteral("AutoSize");
const QString kCaption = QStringLiteral("Caption");
const QString kActiveColor = QStringLiteral("LinkActiveColor");
const QString kVisitedColor = QStringLiteral("LinkVisitedColor");
const QString kUnderLined = QStringLiteral("LinkUnderLined");
const QString kSingleClick = QStringLiteral("LinkSingleClickActivate");
const QString kURL = QStringLiteral("LinkURL");

constexpr quint32 DefaultActive = 0xC00000;
constexpr quint32 DefaultVisited = 0x800080;

const QString& defaultCaption() {
    static const QString text = QStringLiteral("www.notaro.invalid");
    return text;
}

int inRange(const QString& key, int value, int low, int high) {
    if (value < low || value > high)
        throw PropertyError(key, QStringLiteral("value %1 out of range").arg(value));
    return value;
}

} // namespace

void tkHLink::InitProperties(const QString& name) {
    m_label->setText(name);
    m_visitedColor = DefaultVisited;
    m_singleClick = true;
    m_url.clear();
    emit InitPropertiesEvent();
}

void tkHLink::ReadProperties(const PropertyBag& bag) {
    const BagValues b(bag);
    const QFont hostFont = parentWidget() ? parentWidget()->font() : QApplication::font();
    const quint32 back = b.readColor(kBackColor, OleColor::ButtonFace);
    const bool enabled = b.readBool(kEnabled, true);
    QFont f = b.readFont(kFont, hostFont);
    const int backStyle = inRange(kBackStyle, b.readInt(kBackStyle, 1), 0, 1);
    const int border =
        inRange(kBorderStyle, b.readInt(kBorderStyle, NoBorder), NoBorder, FixedSingle);
    const int align = inRange(kAlignment, b.readInt(kAlignment, LeftJustify), LeftJustify, Center);
    const bool autoSize = b.readBool(kAutoSize, false);
    const QString caption = b.readString(kCaption, defaultCaption());
    const quint32 active = b.readColor(kActiveColor, DefaultActive);
    const quint32 visited = b.readColor(kVisitedColor, DefaultVisited);
    const bool underlined = b.readBool(kUnderLined, false);
    const bool single = b.readBool(kSingleClick, true);
    const QString url = b.readString(kURL, QString());

    m_backColor = back;
    m_backStyle = short(backStyle);
    m_borderStyle = BorderStyles(border);
    m_alignment = Alignments(align);
    m_activeColor = active;
    m_visitedColor = visited;
    m_singleClick = single;
    m_url = url;
    m_quiet = true;
    setEnabled(enabled);
    m_quiet = false;
    f.setUnderline(underlined);
    m_label->setFont(f);
    m_label->setText(caption);
    applyColours();
    applyBorder();
    applyAlignment();
    m_autoSize = autoSize;
    if (autoSize)
        fitToLabel();
}

void tkHLink::WriteProperties(PropertyBag& bag) const {
    const QFont hostFont = parentWidget() ? parentWidget()->font() : QApplication::font();
    bag.WriteProperty(kBackColor, m_backColor, OleColor::ButtonFace);
    bag.WriteProperty(kEnabled, isEnabled(), true);
    bag.WriteProperty(kFont, m_label->font(), hostFont);
    bag.WriteProperty(kBackStyle, int(m_backStyle), 1);
    bag.WriteProperty(kBorderStyle, int(m_borderStyle), int(NoBorder));
    bag.WriteProperty(kAlignment, int(m_alignment), int(LeftJustify));
    bag.WriteProperty(kAutoSize, m_autoSize, false);
    bag.WriteProperty(kCaption, m_label->text(), defaultCaption());
    bag.WriteProperty(kActiveColor, m_activeColor, DefaultActive);
    bag.WriteProperty(kVisitedColor, m_visitedColor, DefaultVisited);
    bag.WriteProperty(kUnderLined, LinkUnderLined(), false);
    bag.WriteProperty(kSingleClick, m_singleClick, true);
    bag.WriteProperty(kURL, m_url, QString());
}

} // namespace glimmer
