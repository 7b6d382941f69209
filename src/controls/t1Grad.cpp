#include <glimmer/t1Grad.h>

#include "controls/AccessibleFactory.h"
#include "controls/PropertyTable.h"

#include "controls/GradientPalette.h"

#include <glimmer/AboutBox.h>
#include <glimmer/OleColor.h>

#include <QPainter>

namespace glimmer {

struct GLIMMER_NO_EXPORT t1Grad::Private {
    explicit Private(t1Grad* control) : q(control) {}

    t1Grad* q;
    bool quiet = false;
    quint32 firstColor = 0;
    quint32 secondColor = 0xFFFFFF;
    tgrd_Direction direction = grd_L2R;
    tgrd_Appearance appearance = SoftGray;
    bool painting = false;

    static const PropertyTable<Private>& table();
    /// Every property shows in the gradient alone.
    void apply(unsigned) { q->Refresh(); }
};

t1Grad::t1Grad(QWidget* parent) : QWidget(parent), d(std::make_unique<Private>(this)) {
    accessibility::installFactory();
    connect(this, &t1Grad::propertyChanged, this,
            [this](const QString& key) { accessibility::reportChange(this, key); });
}

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
    assign(*d, &Private::firstColor, value);
}
void t1Grad::setSecondColor(quint32 value) {
    assign(*d, &Private::secondColor, value);
}
void t1Grad::setDirection(tgrd_Direction value) {
    assign(*d, &Private::direction, value);
}
void t1Grad::setAppearance(tgrd_Appearance value) {
    assign(*d, &Private::appearance, value);
}

QSize t1Grad::sizeHint() const {
    return layout() ? QWidget::sizeHint() : QSize(160, 100);
}

QSize t1Grad::minimumSizeHint() const {
    return layout() ? QWidget::minimumSizeHint() : QSize(2, 2);
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

const PropertyTable<t1Grad::Private>& t1Grad::Private::table() {
    using P = Private;
    const auto init = PropertyInit::AsDefault;
    // clang-format off
    static const PropertyTable<P> rows(PropertyTable<P>::WithDefaults, &P::apply, {
        {"FirstColor", fixedDefault(0), memberAccess(&P::firstColor), init},
        {"SecondColor", fixedDefault(0xFFFFFF), memberAccess(&P::secondColor), init},
        {"Direction", fixedDefault(grd_L2R), memberAccess(&P::direction), init, {grd_L2R, grd_B2T}},
        {"Appearance", fixedDefault(SoftGray), memberAccess(&P::appearance), init, {Autumn, Custom}}});
    // clang-format on
    return rows;
}

void t1Grad::InitProperties() {
    Private::table().init(*d, QString());
    Refresh();
}

void t1Grad::ReadProperties(const PropertyBag& bag) {
    Private::table().load(*d, bag);
    Refresh();
}

void t1Grad::WriteProperties(PropertyBag& bag) const {
    Private::table().write(*d, bag);
}

} // namespace glimmer
