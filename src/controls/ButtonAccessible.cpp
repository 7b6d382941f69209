#include "controls/ButtonAccessible.h"

#include <glimmer/chBut.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QKeySequence>

namespace glimmer {

ButtonAccessible::ButtonAccessible(chBut* button)
    : ControlAccessible(button, QAccessible::PushButton) {}

chBut* ButtonAccessible::button() const {
    return static_cast<chBut*>(widget());
}

QAccessible::Role ButtonAccessible::role() const {
    return button()->CheckBoxBehaviour() ? QAccessible::CheckBox : QAccessible::PushButton;
}

QAccessible::State ButtonAccessible::state() const {
    QAccessible::State s = ControlAccessible::state();
    if (button()->CheckBoxBehaviour()) {
        s.checkable = true;
        s.checked = button()->Value();
        s.pressed = button()->Value();
    }
    return s;
}

QStringList ButtonAccessible::actionNames() const {
    QStringList names = QAccessibleWidget::actionNames();
    if (button()->isEnabled())
        names.prepend(button()->CheckBoxBehaviour() ? toggleAction() : pressAction());
    return names;
}

void ButtonAccessible::doAction(const QString& action) {
    if ((action == pressAction() || action == toggleAction()) && button()->isEnabled()) {
        // Posted, not sent: a click may start something that runs for long (a play call), and
        // the caller over D-Bus gets its answer first.
        QCoreApplication::postEvent(button(), new QKeyEvent(QEvent::KeyPress, Qt::Key_Space,
                                                            Qt::NoModifier, QStringLiteral(" ")));
        QCoreApplication::postEvent(button(), new QKeyEvent(QEvent::KeyRelease, Qt::Key_Space,
                                                            Qt::NoModifier, QStringLiteral(" ")));
        return;
    }
    QAccessibleWidget::doAction(action);
}

QStringList ButtonAccessible::keyBindingsForAction(const QString& action) const {
    if ((action == pressAction() || action == toggleAction()) && !button()->AccessKey().isNull())
        return {QKeySequence(QStringLiteral("Alt+") + button()->AccessKey().toUpper())
                    .toString(QKeySequence::NativeText)};
    return QAccessibleWidget::keyBindingsForAction(action);
}

} // namespace glimmer
