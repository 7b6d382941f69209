#include <glimmer/s2M2.h>

#include "controls/AccessibleFactory.h"
#include "controls/PropertyTable.h"

#include "controls/MeterLogic.h"

#include <glimmer/AboutBox.h>
#include <glimmer/OleColor.h>

#include <QEvent>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace glimmer {

namespace {

// Divisions beyond this would only make the scale wider than any screen (and its arithmetic
// overflow); the stored property keeps what the host set.
constexpr int MostDivisions = 10000;

int effective(int divisions, int whenZero) {
    if (divisions <= 0)
        return whenZero;
    return std::min(divisions, MostDivisions);
}

} // namespace

struct GLIMMER_NO_EXPORT s2M2::Private {
    explicit Private(s2M2* control) : q(control) {}

    s2M2* q;
    bool quiet = false;
    quint32 backColor = 0xC0C0C0;
    quint32 barColor = 0x808080;
    quint32 barHiLiteColor = 0x00FF00;
    quint32 majorMarkColor = 0x808080;
    quint32 minorMarkColor = 0x808080;
    quint32 numbersColor = 0x00FF00;
    quint32 pointerColor = 0xFF0000;
    int majorDivisions = 4;
    int minorDivisions = 2;
    int barWidth = 3;
    int barHiliteWidth = 2;
    int pointerBarSpace = -2;
    int numVOffAdjust = -2;
    float value = 0;
    float maxJumpRatio = 0;
    float minValue = 0;
    float maxValue = 6;
    int minorStep = 3;
    int length = 0;

    int majors() const { return effective(majorDivisions, 4); }
    int minors() const { return effective(minorDivisions, 2); }
    int majorStep() const { return minorStep * minors(); }
    int barTop() const { return pointerBarSpace + 11; }
    int numbersTop() const { return barTop() + barWidth + 6 - numVOffAdjust; }
    int scaleWidth() const { return majorStep() * majors() + 12; }
    int widthAt(int step) const { return step * minors() * majors() + 12; }

    /// The number under major mark @p i, with one decimal.
    QString number(int i) const {
        const float step = (maxValue - minValue) / static_cast<float>(majors());
        const float v = std::round((minValue + static_cast<float>(i) * step) * 10.0f) / 10.0f;
        return QString::number(static_cast<double>(v), 'g', 7);
    }

    /// Down to the bottom of the numbers, and at least of the pointer, the bar and the marks.
    int height() const {
        const int bar = barTop() + std::max(barWidth + 6, barHiliteWidth);
        return std::max({11, bar, numbersTop() + QFontMetrics(q->font()).height()});
    }

    static const PropertyTable<Private>& table();

    /// Repaint: a colour; Relayout: the steps, the width or the numbers; Relight: the value.
    void apply(unsigned effects) {
        if (effects & effect::Relayout) {
            q->Refresh();
            q->updateGeometry();
        } else if (effects & effect::Repaint) {
            q->update();
        }
        if (effects & effect::Relight)
            q->setLighting();
    }

    /// The minor step from the width the host gave, and the width that follows from it.
    void applySize() {
        const int a = q->width();
        const float room = static_cast<float>(std::max(a - 12, 10));
        const float x = room / static_cast<float>(majors()) / static_cast<float>(minors());
        minorStep = std::max(static_cast<int>(std::ceil(x)), 3);
        const int w = scaleWidth();
        if (w != a)
            q->resize(w, q->height());
        length = meter::highlightLength(value, minValue, maxValue, q->width() - 12);
    }

    QRect pointerArea(int at) const {
        // The pointer (x from p − 3, 7 wide, rows 3 … 10) and the strip from x = 5 to p.
        const int p = at + 5;
        const QRect pointer(p - 3, 3, 7, 8);
        const QRect strip(5, barTop(), std::max(at, 1), std::max(barHiliteWidth, 1));
        return pointer | strip;
    }
};

s2M2::s2M2(QWidget* parent) : QWidget(parent), d(std::make_unique<Private>(this)) {
    resize(200, 40);
    accessibility::installFactory();
    connect(this, &s2M2::propertyChanged, this,
            [this](const QString& key) { accessibility::reportChange(this, key); });
}

s2M2::~s2M2() = default;

quint32 s2M2::BackColor() const {
    return d->backColor;
}
quint32 s2M2::BarColor() const {
    return d->barColor;
}
quint32 s2M2::BarHiLiteColor() const {
    return d->barHiLiteColor;
}
quint32 s2M2::MajorMarkColor() const {
    return d->majorMarkColor;
}
quint32 s2M2::MinorMarkColor() const {
    return d->minorMarkColor;
}
quint32 s2M2::NumbersColor() const {
    return d->numbersColor;
}
quint32 s2M2::PointerColor() const {
    return d->pointerColor;
}
int s2M2::MajorDivisions() const {
    return d->majorDivisions;
}
int s2M2::MinorDivisions() const {
    return d->minorDivisions;
}
int s2M2::BarWidth() const {
    return d->barWidth;
}
int s2M2::BarHiliteWidth() const {
    return d->barHiliteWidth;
}
int s2M2::PointerBarSpace() const {
    return d->pointerBarSpace;
}
int s2M2::NumVOffAdjust() const {
    return d->numVOffAdjust;
}
float s2M2::Value() const {
    return d->value;
}
float s2M2::MaxJumpRatio() const {
    return d->maxJumpRatio;
}
float s2M2::MinValue() const {
    return d->minValue;
}
float s2M2::MaxValue() const {
    return d->maxValue;
}
int s2M2::minorStep() const {
    return d->minorStep;
}
int s2M2::majorStep() const {
    return d->majorStep();
}
int s2M2::highlightLength() const {
    return d->length;
}

void s2M2::setBackColor(quint32 v) {
    assign(*d, &Private::backColor, v);
}
void s2M2::setBarColor(quint32 v) {
    assign(*d, &Private::barColor, v);
}
void s2M2::setBarHiLiteColor(quint32 v) {
    assign(*d, &Private::barHiLiteColor, v);
}
void s2M2::setMajorMarkColor(quint32 v) {
    assign(*d, &Private::majorMarkColor, v);
}
void s2M2::setMinorMarkColor(quint32 v) {
    assign(*d, &Private::minorMarkColor, v);
}
void s2M2::setNumbersColor(quint32 v) {
    assign(*d, &Private::numbersColor, v);
}
void s2M2::setPointerColor(quint32 v) {
    assign(*d, &Private::pointerColor, v);
}
void s2M2::setMajorDivisions(int v) {
    assign(*d, &Private::majorDivisions, v);
}
void s2M2::setMinorDivisions(int v) {
    assign(*d, &Private::minorDivisions, v);
}
void s2M2::setBarWidth(int v) {
    assign(*d, &Private::barWidth, v);
}
void s2M2::setBarHiliteWidth(int v) {
    assign(*d, &Private::barHiliteWidth, v);
}
void s2M2::setPointerBarSpace(int v) {
    assign(*d, &Private::pointerBarSpace, v);
}
void s2M2::setNumVOffAdjust(int v) {
    assign(*d, &Private::numVOffAdjust, v);
}
void s2M2::setValue(float value) {
    assign(*d, &Private::value,
           meter::steppedValue(d->value, value, d->maxJumpRatio, d->minValue, d->maxValue));
}
void s2M2::setMaxJumpRatio(float value) {
    assign(*d, &Private::maxJumpRatio, meter::clampedJumpRatio(value));
}
void s2M2::setMinValue(float value) {
    assign(*d, &Private::minValue, meter::acceptedMinValue(value, d->maxValue));
}
void s2M2::setMaxValue(float value) {
    assign(*d, &Private::maxValue, meter::acceptedMaxValue(value, d->minValue));
}

QSize s2M2::sizeHint() const {
    // Neighbouring numbers, each centred on its mark, keep a gap of 4 pixels.
    const QFontMetrics metrics(font());
    int widest = 0;
    for (int i = 0; i <= d->majors(); ++i)
        widest = std::max(widest, metrics.horizontalAdvance(d->number(i)));
    const int step = std::max((widest + 4 + d->minors() - 1) / d->minors(), 3);
    return QSize(d->widthAt(step), d->height());
}

QSize s2M2::minimumSizeHint() const {
    return QSize(d->widthAt(3), d->height());
}

void s2M2::setLighting() {
    const int length = meter::highlightLength(d->value, d->minValue, d->maxValue, width() - 12);
    if (length == d->length)
        return;
    const QRect before = d->pointerArea(d->length);
    d->length = length;
    update(QRegion(before) | d->pointerArea(length));
}

void s2M2::Refresh() {
    d->applySize();
    update();
}

void s2M2::showAbout() {
    AboutBox::showModal(this);
}

void s2M2::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Refresh();
}

void s2M2::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        update();
        Private::table().report(*d, &widgetFont<Private>);
    }
}

void s2M2::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    p.setClipRegion(event->region());
    auto colour = [this](quint32 v) { return OleColor::toColor(v, palette()); };
    const int majors = d->majors();
    const int minors = d->minors();
    const int m = d->minorStep;
    const int big = d->majorStep();
    const int s = d->barTop();
    p.fillRect(rect(), colour(d->backColor));
    p.fillRect(5, s, big * majors + 2, d->barWidth, colour(d->barColor));
    const int markTop = s + d->barWidth;
    for (int i = 0; i <= majors; ++i)
        p.fillRect(i * big + 5, markTop, 2, 6, colour(d->majorMarkColor));
    if (minors >= 2) {
        for (int i = 0; i < majors; ++i)
            for (int j = 1; j < minors; ++j)
                p.fillRect(i * big + 5 + j * m, markTop, 1, 5, colour(d->minorMarkColor));
    }
    p.setPen(colour(d->numbersColor));
    p.setFont(font());
    const QFontMetrics metrics(font());
    const int numbersTop = d->numbersTop();
    for (int i = 0; i <= majors; ++i) {
        const QString text = d->number(i);
        const int left = i * big + 5 - metrics.horizontalAdvance(text) / 2 + 1;
        p.drawText(left, numbersTop + metrics.ascent(), text);
    }
    if (d->length >= 1)
        p.fillRect(5, s, d->length, d->barHiliteWidth, colour(d->barHiLiteColor));
    const QColor pointer = colour(d->pointerColor);
    const int x = d->length + 5;
    p.fillRect(x - 3, 3, 7, 5, pointer);
    p.fillRect(x - 2, 8, 5, 1, pointer);
    p.fillRect(x - 1, 9, 3, 1, pointer);
    p.fillRect(x, 10, 1, 1, pointer);
}

const PropertyTable<s2M2::Private>& s2M2::Private::table() {
    using P = Private;
    using effect::Relayout, effect::Relight;
    const auto init = PropertyInit::AsDefault;
    auto font = getterAccess(&widgetFont<P>, [](P& d, const QFont& v) { d.q->setFont(v); });
    // clang-format off
    static const PropertyTable<P> rows(PropertyTable<P>::WithDefaults, &P::apply, {
        {"BackColor", fixedDefault(0xC0C0C0), memberAccess(&P::backColor), init},
        {"BarColor", fixedDefault(0x808080), memberAccess(&P::barColor), init},
        {"BarHiLiteColor", fixedDefault(0x00FF00), memberAccess(&P::barHiLiteColor), init},
        {"MajorMarkColor", fixedDefault(0x808080), memberAccess(&P::majorMarkColor), init},
        {"MinorMarkColor", fixedDefault(0x808080), memberAccess(&P::minorMarkColor), init},
        {"NumbersColor", fixedDefault(0x00FF00), memberAccess(&P::numbersColor), init},
        {"PointerColor", fixedDefault(0xFF0000), memberAccess(&P::pointerColor), init},
        {"MajorDivisions", fixedDefault(4), memberAccess(&P::majorDivisions), init, {}, Relayout},
        {"MinorDivisions", fixedDefault(2), memberAccess(&P::minorDivisions), init, {}, Relayout},
        {"BarWidth", fixedDefault(3), memberAccess(&P::barWidth), init, {}, Relayout},
        {"BarHiliteWidth", fixedDefault(2), memberAccess(&P::barHiliteWidth), init, {}, Relayout},
        {"PointerBarSpace", fixedDefault(-2), memberAccess(&P::pointerBarSpace), init, {}, Relayout},
        {"NumVOffAdjust", fixedDefault(-2), memberAccess(&P::numVOffAdjust), init, {}, Relayout},
        {"Font", hostFontDefault(), font, PropertyInit::HostFont},
        {"Value", fixedDefault(0.0f), memberAccess(&P::value), init, {}, Relight},
        // The jump ratio acts on the next value only: nothing to draw.
        {"MaxJumpRatio", fixedDefault(0.0f), memberAccess(&P::maxJumpRatio), init, {}, effect::None},
        // The numbers change with the range.
        {"MinValue", fixedDefault(0.0f), memberAccess(&P::minValue), init, {}, Relayout},
        {"MaxValue", fixedDefault(6.0f), memberAccess(&P::maxValue), init, {}, Relayout}});
    // clang-format on
    return rows;
}

void s2M2::InitProperties() {
    Private::table().init(*d, QString());
    d->apply(effect::Relayout);
}

void s2M2::ReadProperties(const PropertyBag& bag) {
    Private::table().load(*d, bag);
    d->maxJumpRatio = meter::clampedJumpRatio(d->maxJumpRatio);
    d->apply(effect::Relayout);
}

void s2M2::WriteProperties(PropertyBag& bag) const {
    Private::table().write(*d, bag);
}

} // namespace glimmer
