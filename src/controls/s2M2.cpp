#include <glimmer/s2M2.h>

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

struct s2M2::Private {
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
    int scaleWidth() const { return majorStep() * majors() + 12; }
};

s2M2::s2M2(QWidget* parent) : QWidget(parent), d(std::make_unique<Private>()) {
    resize(200, 40);
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
    colorChanged("BackColor", d->backColor, v);
}
void s2M2::setBarColor(quint32 v) {
    colorChanged("BarColor", d->barColor, v);
}
void s2M2::setBarHiLiteColor(quint32 v) {
    colorChanged("BarHiLiteColor", d->barHiLiteColor, v);
}
void s2M2::setMajorMarkColor(quint32 v) {
    colorChanged("MajorMarkColor", d->majorMarkColor, v);
}
void s2M2::setMinorMarkColor(quint32 v) {
    colorChanged("MinorMarkColor", d->minorMarkColor, v);
}
void s2M2::setNumbersColor(quint32 v) {
    colorChanged("NumbersColor", d->numbersColor, v);
}
void s2M2::setPointerColor(quint32 v) {
    colorChanged("PointerColor", d->pointerColor, v);
}
void s2M2::setMajorDivisions(int v) {
    layoutChanged("MajorDivisions", d->majorDivisions, v);
}
void s2M2::setMinorDivisions(int v) {
    layoutChanged("MinorDivisions", d->minorDivisions, v);
}
void s2M2::setBarWidth(int v) {
    layoutChanged("BarWidth", d->barWidth, v);
}
void s2M2::setBarHiliteWidth(int v) {
    layoutChanged("BarHiliteWidth", d->barHiliteWidth, v);
}
void s2M2::setPointerBarSpace(int v) {
    layoutChanged("PointerBarSpace", d->pointerBarSpace, v);
}
void s2M2::setNumVOffAdjust(int v) {
    layoutChanged("NumVOffAdjust", d->numVOffAdjust, v);
}

void s2M2::colorChanged(const char* key, quint32& field, quint32 value) {
    if (field == value)
        return;
    field = value;
    emit propertyChanged(QString::fromLatin1(key));
    update();
}

void s2M2::layoutChanged(const char* key, int& field, int value) {
    if (field == value)
        return;
    field = value;
    emit propertyChanged(QString::fromLatin1(key));
    Refresh();
}

void s2M2::setValue(float value) {
    if (value == d->value)
        return;
    d->value = meter::steppedValue(d->value, value, d->maxJumpRatio, d->minValue, d->maxValue);
    valueChanged("Value");
}

void s2M2::setMaxJumpRatio(float value) {
    value = meter::clampedJumpRatio(value);
    if (value == d->maxJumpRatio)
        return;
    d->maxJumpRatio = value;
    emit propertyChanged(QStringLiteral("MaxJumpRatio"));
}

void s2M2::setMinValue(float value) {
    value = meter::acceptedMinValue(value, d->maxValue);
    if (value == d->minValue)
        return;
    d->minValue = value;
    emit propertyChanged(QStringLiteral("MinValue"));
    Refresh(); // the numbers change with the range
}

void s2M2::setMaxValue(float value) {
    value = meter::acceptedMaxValue(value, d->minValue);
    if (value == d->maxValue)
        return;
    d->maxValue = value;
    emit propertyChanged(QStringLiteral("MaxValue"));
    Refresh();
}

void s2M2::valueChanged(const char* key) {
    emit propertyChanged(QString::fromLatin1(key));
    setLighting();
}

QRect s2M2::pointerArea(int length) const {
    // The pointer (x from p − 3, 7 wide, rows 3 … 10) and the strip from x = 5 to p.
    const int p = length + 5;
    const QRect pointer(p - 3, 3, 7, 8);
    const QRect strip(5, d->barTop(), std::max(length, 1), std::max(d->barHiliteWidth, 1));
    return pointer | strip;
}

void s2M2::setLighting() {
    const int length = meter::highlightLength(d->value, d->minValue, d->maxValue, width() - 12);
    if (length == d->length)
        return;
    const QRect before = pointerArea(d->length);
    d->length = length;
    update(QRegion(before) | pointerArea(length));
}

void s2M2::applySize() {
    const int a = width();
    const float room = static_cast<float>(std::max(a - 12, 10));
    const float x = room / static_cast<float>(d->majors()) / static_cast<float>(d->minors());
    d->minorStep = std::max(static_cast<int>(std::ceil(x)), 3);
    const int w = d->scaleWidth();
    if (w != a)
        resize(w, height());
    d->length = meter::highlightLength(d->value, d->minValue, d->maxValue, width() - 12);
}

void s2M2::Refresh() {
    applySize();
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
    if (event->type() == QEvent::FontChange)
        update();
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
    const int numbersTop = markTop + 6 - d->numVOffAdjust;
    const float step = (d->maxValue - d->minValue) / static_cast<float>(majors);
    for (int i = 0; i <= majors; ++i) {
        const float v = std::round((d->minValue + static_cast<float>(i) * step) * 10.0f) / 10.0f;
        const QString text = QString::number(static_cast<double>(v), 'g', 7);
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

const PropertyTable<s2M2>& s2M2::propertyTable() {
#define FIELD(name)                                                                                \
    fieldAccess<s2M2, decltype(Private::name)>([](s2M2 & c) -> auto& { return c.d->name; })
    using Init = PropertyInit;
    auto font = functionAccess<QFont, s2M2>([](const s2M2& c) { return c.font(); },
                                            [](s2M2& c, const QFont& v) { c.setFont(v); });
    // clang-format off
    static const PropertyTable<s2M2> table(PropertyTable<s2M2>::WithDefaults, {
        {"BackColor", "BackColor", fixedDefault(0xC0C0C0), FIELD(backColor), Init::AsDefault},
        {"BarColor", "BarColor", fixedDefault(0x808080), FIELD(barColor), Init::AsDefault},
        {"BarHiLiteColor", "BarHiLiteColor", fixedDefault(0x00FF00), FIELD(barHiLiteColor), Init::AsDefault},
        {"MajorMarkColor", "MajorMarkColor", fixedDefault(0x808080), FIELD(majorMarkColor), Init::AsDefault},
        {"MinorMarkColor", "MinorMarkColor", fixedDefault(0x808080), FIELD(minorMarkColor), Init::AsDefault},
        {"NumbersColor", "NumbersColor", fixedDefault(0x00FF00), FIELD(numbersColor), Init::AsDefault},
        {"PointerColor", "PointerColor", fixedDefault(0xFF0000), FIELD(pointerColor), Init::AsDefault},
        {"MajorDivisions", "MajorDivisions", fixedDefault(4), FIELD(majorDivisions), Init::AsDefault},
        {"MinorDivisions", "MinorDivisions", fixedDefault(2), FIELD(minorDivisions), Init::AsDefault},
        {"BarWidth", "BarWidth", fixedDefault(3), FIELD(barWidth), Init::AsDefault},
        {"BarHiliteWidth", "BarHiliteWidth", fixedDefault(2), FIELD(barHiliteWidth), Init::AsDefault},
        {"PointerBarSpace", "PointerBarSpace", fixedDefault(-2), FIELD(pointerBarSpace), Init::AsDefault},
        {"NumVOffAdjust", "NumVOffAdjust", fixedDefault(-2), FIELD(numVOffAdjust), Init::AsDefault},
        {"Font", "Font", hostFontDefault(), font, Init::HostFont},
        {"Value", "Value", fixedDefault(0.0f), FIELD(value), Init::AsDefault},
        {"MaxJumpRatio", "MaxJumpRatio", fixedDefault(0.0f), FIELD(maxJumpRatio), Init::AsDefault},
        {"MinValue", "MinValue", fixedDefault(0.0f), FIELD(minValue), Init::AsDefault},
        {"MaxValue", "MaxValue", fixedDefault(6.0f), FIELD(maxValue), Init::AsDefault}});
    // clang-format on
#undef FIELD
    return table;
}

void s2M2::InitProperties() {
    propertyTable().init(*this, QString());
    Refresh();
}

void s2M2::ReadProperties(const PropertyBag& bag) {
    propertyTable().load(*this, bag);
    d->maxJumpRatio = meter::clampedJumpRatio(d->maxJumpRatio);
    Refresh();
}

void s2M2::WriteProperties(PropertyBag& bag) const {
    propertyTable().write(*this, bag);
}

} // namespace glimmer
