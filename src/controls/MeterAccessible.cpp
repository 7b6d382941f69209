#include "controls/MeterAccessible.h"

#include <QWidget>

namespace glimmer {

MeterAccessible::MeterAccessible(QWidget* meter, QAccessible::Role role)
    : ControlAccessible(meter, role) {}

void* MeterAccessible::interface_cast(QAccessible::InterfaceType t) {
    if (t == QAccessible::ValueInterface)
        return static_cast<QAccessibleValueInterface*>(this);
    return ControlAccessible::interface_cast(t);
}

QString MeterAccessible::text(QAccessible::Text t) const {
    if (t == QAccessible::Value)
        return QString::number(currentValue().toDouble());
    return ControlAccessible::text(t);
}

QVariant MeterAccessible::currentValue() const {
    return widget()->property("Value");
}

void MeterAccessible::setCurrentValue(const QVariant& value) {
    if (role() == QAccessible::Slider && widget()->isEnabled())
        widget()->setProperty("Value", value.toFloat());
}

QVariant MeterAccessible::maximumValue() const {
    return widget()->property("MaxValue");
}

QVariant MeterAccessible::minimumValue() const {
    return widget()->property("MinValue");
}

QVariant MeterAccessible::minimumStepSize() const {
    return 0.0f;
}

} // namespace glimmer
