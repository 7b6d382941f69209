#pragma once

#include "controls/ControlAccessible.h"

namespace glimmer {

/// A meter (the LED bar, a progress bar) or a scale (a slider) with its value, bounds and the
/// value as text. The values are read through the controls' Value, MinValue and MaxValue
/// properties; only a slider takes a value from assistive technology.
class GLIMMER_NO_EXPORT MeterAccessible : public ControlAccessible,
                                          public QAccessibleValueInterface {
public:
    MeterAccessible(QWidget* meter, QAccessible::Role role);

    void* interface_cast(QAccessible::InterfaceType t) override;
    QString text(QAccessible::Text t) const override;

    QVariant currentValue() const override;
    void setCurrentValue(const QVariant& value) override;
    QVariant maximumValue() const override;
    QVariant minimumValue() const override;
    QVariant minimumStepSize() const override;
};

} // namespace glimmer
