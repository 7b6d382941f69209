#include <glimmer/L2M2.h>

#include "controls/MeterLogic.h"
#include "controls/PropertyTable.h"

#include <glimmer/AboutBox.h>
#include <glimmer/OleColor.h>

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

namespace glimmer {

struct L2M2::Private {
    quint32 backColor = 0xC0C0C0;
    quint32 ledOffColor = 0xC0C0C0;
    quint32 ledOnColor = 0x00FF00;
    quint32 ledOffBorderColor = 0;
    quint32 ledOnBorderColor = 0xFF0000;
    int ledInnerWidth = 5;
    int ledInterSpace = 1;
    int numLeds = 12;
    float value = 0;
    float maxJumpRatio = 0;
    float minValue = 0;
    float maxValue = 6;
    int lit = 0;

    int pitch() const { return ledInnerWidth + 2 + ledInterSpace; }
    int width() const { return numLeds * (ledInnerWidth + 2) + (numLeds - 1) * ledInterSpace; }
    int computedLit() const { return meter::litCount(value, minValue, maxValue, numLeds); }
};

L2M2::L2M2(QWidget* parent) : QWidget(parent), d(std::make_unique<Private>()) {
    resize(d->width(), 15);
}

L2M2::~L2M2() = default;

quint32 L2M2::BackColor() const {
    return d->backColor;
}
quint32 L2M2::LedOffColor() const {
    return d->ledOffColor;
}
quint32 L2M2::LedOnColor() const {
    return d->ledOnColor;
}
quint32 L2M2::LedOffBorderColor() const {
    return d->ledOffBorderColor;
}
quint32 L2M2::LedOnBorderColor() const {
    return d->ledOnBorderColor;
}
int L2M2::LedInnerWidth() const {
    return d->ledInnerWidth;
}
int L2M2::LedInterSpace() const {
    return d->ledInterSpace;
}
int L2M2::NumLEDs() const {
    return d->numLeds;
}
float L2M2::Value() const {
    return d->value;
}
float L2M2::MaxJumpRatio() const {
    return d->maxJumpRatio;
}
float L2M2::MinValue() const {
    return d->minValue;
}
float L2M2::MaxValue() const {
    return d->maxValue;
}
int L2M2::litCount() const {
    return d->lit;
}
int L2M2::barWidth() const {
    return d->width();
}

void L2M2::setBackColor(quint32 value) {
    colorChanged("BackColor", d->backColor, value);
}
void L2M2::setLedOffColor(quint32 value) {
    colorChanged("LedOffColor", d->ledOffColor, value);
}
void L2M2::setLedOnColor(quint32 value) {
    colorChanged("LedOnColor", d->ledOnColor, value);
}
void L2M2::setLedOffBorderColor(quint32 value) {
    colorChanged("LedOffBorderColor", d->ledOffBorderColor, value);
}
void L2M2::setLedOnBorderColor(quint32 value) {
    colorChanged("LedOnBorderColor", d->ledOnBorderColor, value);
}

void L2M2::colorChanged(const char* key, quint32& field, quint32 value) {
    if (field == value)
        return;
    field = value;
    emit propertyChanged(QString::fromLatin1(key));
    Refresh();
}

void L2M2::setLedInnerWidth(int value) {
    value = std::max(value, 0);
    if (value == d->ledInnerWidth)
        return;
    d->ledInnerWidth = value;
    geometryChanged("LedInnerWidth");
}

void L2M2::setLedInterSpace(int value) {
    value = std::max(value, -1);
    if (value == d->ledInterSpace)
        return;
    d->ledInterSpace = value;
    geometryChanged("LedInterSpace");
}

void L2M2::setNumLEDs(int value) {
    value = std::max(value, 1);
    if (value == d->numLeds)
        return;
    d->numLeds = value;
    d->lit = d->computedLit();
    geometryChanged("NumLEDs");
}

void L2M2::geometryChanged(const char* key) {
    if (width() != d->width())
        resize(d->width(), height());
    emit propertyChanged(QString::fromLatin1(key));
    Refresh();
}

void L2M2::setValue(float value) {
    if (value == d->value)
        return;
    d->value = meter::steppedValue(d->value, value, d->maxJumpRatio, d->minValue, d->maxValue);
    changed("Value");
}

void L2M2::setMaxJumpRatio(float value) {
    value = meter::clampedJumpRatio(value);
    if (value == d->maxJumpRatio)
        return;
    d->maxJumpRatio = value;
    emit propertyChanged(QStringLiteral("MaxJumpRatio"));
}

void L2M2::setMinValue(float value) {
    value = meter::acceptedMinValue(value, d->maxValue);
    if (value == d->minValue)
        return;
    d->minValue = value;
    changed("MinValue");
}

void L2M2::setMaxValue(float value) {
    value = meter::acceptedMaxValue(value, d->minValue);
    if (value == d->maxValue)
        return;
    d->maxValue = value;
    changed("MaxValue");
}

void L2M2::changed(const char* key) {
    emit propertyChanged(QString::fromLatin1(key));
    setLighting();
}

void L2M2::setLighting() {
    const int lit = d->computedLit();
    if (lit == d->lit)
        return;
    const int from = std::min(lit, d->lit);
    const int to = std::max(lit, d->lit);
    d->lit = lit;
    // Only the LEDs whose state changed; a negative spacing makes neighbours overlap by a pixel.
    const int left = from * d->pitch();
    update(QRect(left, 0, (to - from - 1) * d->pitch() + d->ledInnerWidth + 2, height()));
}

void L2M2::settle() {
    // Values from a bag obey the same bounds as the setters.
    d->ledInnerWidth = std::max(d->ledInnerWidth, 0);
    d->ledInterSpace = std::max(d->ledInterSpace, -1);
    d->numLeds = std::max(d->numLeds, 1);
    d->maxJumpRatio = meter::clampedJumpRatio(d->maxJumpRatio);
    if (width() != d->width())
        resize(d->width(), height());
    Refresh();
}

void L2M2::Refresh() {
    d->lit = d->computedLit();
    update();
}

void L2M2::showAbout() {
    AboutBox::showModal(this);
}

void L2M2::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (width() != d->width())
        resize(d->width(), height());
}

void L2M2::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    auto colour = [this](quint32 v) { return OleColor::toColor(v, palette()); };
    p.fillRect(event->rect(), colour(d->backColor));
    const int h = height();
    const int w = d->ledInnerWidth + 2;
    for (int i = 0; i < d->numLeds; ++i) {
        const QRect led(i * d->pitch(), 0, w, h);
        if (!led.intersects(event->rect()))
            continue;
        const bool on = i < d->lit;
        p.fillRect(led, colour(on ? d->ledOnBorderColor : d->ledOffBorderColor));
        if (w > 2 && h > 2)
            p.fillRect(led.adjusted(1, 1, -1, -1), colour(on ? d->ledOnColor : d->ledOffColor));
    }
}

const PropertyTable<L2M2>& L2M2::propertyTable() {
#define FIELD(name)                                                                                \
    fieldAccess<L2M2, decltype(Private::name)>([](L2M2 & c) -> auto& { return c.d->name; })
    // clang-format off
    static const PropertyTable<L2M2> table(PropertyTable<L2M2>::WithDefaults, {
        {"BackColor", "BackColor", fixedDefault(0xC0C0C0), FIELD(backColor), PropertyInit::AsDefault},
        {"LedOffColor", "LedOffColor", fixedDefault(0xC0C0C0), FIELD(ledOffColor), PropertyInit::AsDefault},
        {"LedOnColor", "LedOnColor", fixedDefault(0x00FF00), FIELD(ledOnColor), PropertyInit::AsDefault},
        {"LedOffBorderColor", "LedOffBorderColor", fixedDefault(0), FIELD(ledOffBorderColor), PropertyInit::AsDefault},
        {"LedOnBorderColor", "LedOnBorderColor", fixedDefault(0xFF0000), FIELD(ledOnBorderColor), PropertyInit::AsDefault},
        {"LedInnerWidth", "LedInnerWidth", fixedDefault(5), FIELD(ledInnerWidth), PropertyInit::AsDefault},
        {"LedInterSpace", "LedInterSpace", fixedDefault(1), FIELD(ledInterSpace), PropertyInit::AsDefault},
        {"NumLEDs", "NumLEDs", fixedDefault(12), FIELD(numLeds), PropertyInit::AsDefault},
        {"Value", "Value", fixedDefault(0.0f), FIELD(value), PropertyInit::AsDefault},
        {"MaxJumpRatio", "MaxJumpRatio", fixedDefault(0.0f), FIELD(maxJumpRatio), PropertyInit::AsDefault},
        {"MinValue", "MinValue", fixedDefault(0.0f), FIELD(minValue), PropertyInit::AsDefault},
        {"MaxValue", "MaxValue", fixedDefault(6.0f), FIELD(maxValue), PropertyInit::AsDefault}});
    // clang-format on
#undef FIELD
    return table;
}

void L2M2::InitProperties() {
    propertyTable().init(*this, QString());
    // A new bar takes the host's background for itself and its unlit LEDs.
    const QWidget* host = parentWidget() ? parentWidget() : this;
    d->backColor = d->ledOffColor =
        OleColor::fromColor(host->palette().color(host->backgroundRole()));
    settle();
}

void L2M2::ReadProperties(const PropertyBag& bag) {
    propertyTable().load(*this, bag);
    settle();
}

void L2M2::WriteProperties(PropertyBag& bag) const {
    propertyTable().write(*this, bag);
}

} // namespace glimmer
