#include <glimmer/L2M2.h>

#include "controls/AccessibleFactory.h"
#include "controls/MeterLogic.h"
#include "controls/PropertyTable.h"

#include <glimmer/AboutBox.h>
#include <glimmer/OleColor.h>

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

namespace glimmer {

namespace {

// The height of a new bar; the LEDs show their inside from 3 pixels on.
constexpr int DefaultHeight = 15;
constexpr int SmallestHeight = 3;

} // namespace

struct GLIMMER_NO_EXPORT L2M2::Private {
    explicit Private(L2M2* control) : q(control) {}

    L2M2* q;
    bool quiet = false;
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

    static const PropertyTable<Private>& table();

    /// Relayout: the LEDs' geometry changed, so the width follows; Relight: only the value;
    /// Repaint: the colours.
    void apply(unsigned effects) {
        if (effects & effect::Relayout)
            fitWidth();
        if (effects & effect::Relight)
            q->setLighting();
        if (effects & (effect::Repaint | effect::Relayout))
            q->Refresh();
    }

    void fitWidth() {
        if (q->width() != width())
            q->resize(width(), q->height());
        q->updateGeometry();
    }

    /// After a bag was read: its values obey the same bounds as the setters.
    void settle() {
        ledInnerWidth = std::max(ledInnerWidth, 0);
        ledInterSpace = std::max(ledInterSpace, -1);
        numLeds = std::max(numLeds, 1);
        maxJumpRatio = meter::clampedJumpRatio(maxJumpRatio);
        apply(effect::Relayout);
    }
};

L2M2::L2M2(QWidget* parent) : QWidget(parent), d(std::make_unique<Private>(this)) {
    resize(d->width(), DefaultHeight);
    accessibility::installFactory();
    connect(this, &L2M2::propertyChanged, this,
            [this](const QString& key) { accessibility::reportChange(this, key); });
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
    assign(*d, &Private::backColor, value);
}
void L2M2::setLedOffColor(quint32 value) {
    assign(*d, &Private::ledOffColor, value);
}
void L2M2::setLedOnColor(quint32 value) {
    assign(*d, &Private::ledOnColor, value);
}
void L2M2::setLedOffBorderColor(quint32 value) {
    assign(*d, &Private::ledOffBorderColor, value);
}
void L2M2::setLedOnBorderColor(quint32 value) {
    assign(*d, &Private::ledOnBorderColor, value);
}
void L2M2::setLedInnerWidth(int value) {
    assign(*d, &Private::ledInnerWidth, std::max(value, 0));
}
void L2M2::setLedInterSpace(int value) {
    assign(*d, &Private::ledInterSpace, std::max(value, -1));
}
void L2M2::setNumLEDs(int value) {
    assign(*d, &Private::numLeds, std::max(value, 1));
}
void L2M2::setValue(float value) {
    assign(*d, &Private::value,
           meter::steppedValue(d->value, value, d->maxJumpRatio, d->minValue, d->maxValue));
}
void L2M2::setMaxJumpRatio(float value) {
    assign(*d, &Private::maxJumpRatio, meter::clampedJumpRatio(value));
}
void L2M2::setMinValue(float value) {
    assign(*d, &Private::minValue, meter::acceptedMinValue(value, d->maxValue));
}
void L2M2::setMaxValue(float value) {
    assign(*d, &Private::maxValue, meter::acceptedMaxValue(value, d->minValue));
}

QSize L2M2::sizeHint() const {
    return QSize(d->width(), DefaultHeight);
}

QSize L2M2::minimumSizeHint() const {
    return QSize(d->width(), SmallestHeight);
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

const PropertyTable<L2M2::Private>& L2M2::Private::table() {
    using P = Private;
    using effect::Relayout, effect::Relight;
    const auto init = PropertyInit::AsDefault;
    // clang-format off
    static const PropertyTable<P> rows(PropertyTable<P>::WithDefaults, &P::apply, {
        {"BackColor", fixedDefault(0xC0C0C0), memberAccess(&P::backColor), init},
        {"LedOffColor", fixedDefault(0xC0C0C0), memberAccess(&P::ledOffColor), init},
        {"LedOnColor", fixedDefault(0x00FF00), memberAccess(&P::ledOnColor), init},
        {"LedOffBorderColor", fixedDefault(0), memberAccess(&P::ledOffBorderColor), init},
        {"LedOnBorderColor", fixedDefault(0xFF0000), memberAccess(&P::ledOnBorderColor), init},
        {"LedInnerWidth", fixedDefault(5), memberAccess(&P::ledInnerWidth), init, {}, Relayout},
        {"LedInterSpace", fixedDefault(1), memberAccess(&P::ledInterSpace), init, {}, Relayout},
        {"NumLEDs", fixedDefault(12), memberAccess(&P::numLeds), init, {}, Relayout},
        {"Value", fixedDefault(0.0f), memberAccess(&P::value), init, {}, Relight},
        // The jump ratio acts on the next value only: nothing to draw.
        {"MaxJumpRatio", fixedDefault(0.0f), memberAccess(&P::maxJumpRatio), init, {}, effect::None},
        {"MinValue", fixedDefault(0.0f), memberAccess(&P::minValue), init, {}, Relight},
        {"MaxValue", fixedDefault(6.0f), memberAccess(&P::maxValue), init, {}, Relight}});
    // clang-format on
    return rows;
}

void L2M2::InitProperties() {
    Private::table().init(*d, QString());
    // A new bar takes the host's background for itself and its unlit LEDs.
    const QWidget* host = parentWidget() ? parentWidget() : this;
    d->backColor = d->ledOffColor =
        OleColor::fromColor(host->palette().color(host->backgroundRole()));
    d->settle();
}

void L2M2::ReadProperties(const PropertyBag& bag) {
    Private::table().load(*d, bag);
    d->settle();
}

void L2M2::WriteProperties(PropertyBag& bag) const {
    Private::table().write(*d, bag);
}

} // namespace glimmer
