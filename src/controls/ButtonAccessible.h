#pragma once

#include "controls/ControlAccessible.h"

namespace glimmer {

class chBut;

/// A chBut as assistive technology sees it: a push button, or a check button while it latches
/// (CheckBoxBehaviour), pressed and checked while latched down. Its press and toggle actions
/// act as the space key does.
class GLIMMER_NO_EXPORT ButtonAccessible : public ControlAccessible {
public:
    explicit ButtonAccessible(chBut* button);

    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString& action) override;
    QStringList keyBindingsForAction(const QString& action) const override;

private:
    chBut* button() const;
};

} // namespace glimmer
