#include <glimmer/t1Grad.h>

#include "controls/PropertyTable.h"

#include "controls/GradientPalette.h"

#include <glimmer/AboutBox.h>
#include <glimmer/OleColor.h>

#include <QPainter>

namespace glimmer {

struct t1Grad::Private {
    quint32 firstColor = 0;
    quint32 secondColor = 0xFFFFFF;
    tgrd_Direction direction = grd_L2R;
    tgrd_Appearance appearance = SoftGray;
    bool painting = false;
};

t1Grad::t1Grad(QWidget* parent) : QWidget(parent), d(std::make_unique<Private>()) {}

t1Grad::~t1Grad() = default;

quint32 t1Grad::FirstColor() const {
    return d->firstColor;
}
quint32 t1Grad::SecondColor() const {
    return d->secondColor;
}
t1Grad::tgrd_Direction t1Grad::Direction() const {
    return d->direction;
}
t1Grad::tgrd_Appearance t1Grad::Appearance() const {
    return d->appearance;
}

void t1Grad::setFirstColor(quint32 value) {
    if (value == d->firstColor)
        return;
    d->firstColor = value;
    changed("FirstColor");
}

void t1Grad::setSecondColor(quint32 value) {
    if (value == d->secondColor)
        return;
    d->secondColor = value;
    changed("SecondColor");
}

void t1Grad::setDirection(tgrd_Direction value) {
    if (!propertyTable().admits(*this, "Direction", value))
        return;
    if (value == d->direction)
        return;
    d->direction = value;
    changed("Direction");
}

void t1Grad::setAppearance(tgrd_Appearance value) {
    if (!propertyTable().admits(*this, "Appearance", value))
        return;
    if (value == d->appearance)
        return;
    d->appearance = value;
    changed("Appearance");
}

void t1Grad::changed(const char* key) {
    emit propertyChanged(QString::fromLatin1(key));
    Refresh();
}

void t1Grad::showAbout() {
    AboutBox::showModal(this);
}

void t1Grad::Refresh() {
    update();
}

void t1Grad::paintEvent(QPaintEvent*) {
    // A host that repaints from inside a paint (a label asking for its background) must not
    // start a second gradient over the first.
    if (d->painting)
        return;
    d->painting = true;
    const gradient::ColorPair colours =
        gradient::colorsFor(d->appearance, {d->firstColor, d->secondColor});
    QPainter p(this);
    gradient::paint(p, rect(), d->direction, OleColor::toColor(colours.first, palette()),
                    OleColor::toColor(colours.second, palette()));
    d->painting = false;
    // Child controls paint after the panel, over the gradient: labels leave their background
    // unfilled and so show it.
}

const PropertyTable<t1Grad>& t1Grad::propertyTable() {
#define FIELD(name)                                                                                \
    fieldAccess<t1Grad, decltype(Private::name)>([](t1Grad & c) -> auto& { return c.d->name; })
    using Init = PropertyInit;
    // clang-format off
    static const PropertyTable<t1Grad> table(PropertyTable<t1Grad>::WithDefaults, {
        {"FirstColor", "FirstColor", fixedDefault(0), FIELD(firstColor), Init::AsDefault},
        {"SecondColor", "SecondColor", fixedDefault(0xFFFFFF), FIELD(secondColor), Init::AsDefault},
        {"Direction", "Direction", fixedDefault(grd_L2R), FIELD(direction), Init::AsDefault, {grd_L2R, grd_B2T}},
        {"Appearance", "Appearance", fixedDefault(SoftGray), FIELD(appearance), Init::AsDefault, {Autumn, Custom}}});
    // clang-format on
#undef FIELD
    return table;
}

void t1Grad::InitProperties() {
    propertyTable().init(*this, QString());
    Refresh();
}

void t1Grad::ReadProperties(const PropertyBag& bag) {
    propertyTable().load(*this, bag);
    Refresh();
}

void t1Grad::WriteProperties(PropertyBag& bag) const {
    propertyTable().write(*this, bag);
}

} // namespace glimmer
