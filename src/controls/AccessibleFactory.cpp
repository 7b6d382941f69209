#include "controls/AccessibleFactory.h"

#include "controls/ButtonAccessible.h"
#include "controls/ControlAccessible.h"
#include "controls/MeterAccessible.h"

#include <glimmer/L2M2.h>
#include <glimmer/chBut.h>
#include <glimmer/s2M2.h>
#include <glimmer/sGraph.h>
#include <glimmer/t1Cap.h>
#include <glimmer/t1Frame.h>
#include <glimmer/t1Grad.h>
#include <glimmer/tkHLink.h>

#include <QAccessible>
#include <QWidget>

namespace glimmer::accessibility {

namespace {

/// Qt asks with the most derived class name first, so a host's subclass of a control gets the
/// control's interface unless a factory of its own answers for it.
QAccessibleInterface* createInterface(const QString&, QObject* object) {
    if (auto* button = qobject_cast<chBut*>(object))
        return new ButtonAccessible(button);
    if (auto* bar = qobject_cast<L2M2*>(object))
        return new MeterAccessible(bar, QAccessible::ProgressBar);
    if (auto* scale = qobject_cast<s2M2*>(object))
        return new MeterAccessible(scale, QAccessible::Slider);
    if (auto* link = qobject_cast<tkHLink*>(object))
        return new ControlAccessible(link, QAccessible::Link);
    if (auto* frame = qobject_cast<t1Frame*>(object))
        return new ControlAccessible(frame, QAccessible::Grouping);
    if (auto* caption = qobject_cast<t1Cap*>(object))
        return new ControlAccessible(caption, QAccessible::StaticText);
    if (auto* graph = qobject_cast<sGraph*>(object))
        return new ControlAccessible(graph, QAccessible::Chart);
    if (auto* panel = qobject_cast<t1Grad*>(object))
        return new ControlAccessible(panel, QAccessible::Pane);
    return nullptr;
}

} // namespace

void installFactory() {
    // Controls are created on the GUI thread only, so a plain flag is enough.
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    QAccessible::installFactory(&createInterface);
}

void reportChange(QWidget* control, const QString& key) {
    if (key == QLatin1String("Caption")) {
        QAccessibleEvent event(control, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    } else if (key == QLatin1String("Value") && qobject_cast<chBut*>(control)) {
        QAccessible::State changed;
        changed.checked = true;
        changed.pressed = true;
        QAccessibleStateChangeEvent event(control, changed);
        QAccessible::updateAccessibility(&event);
    } else if (key == QLatin1String("Value")) {
        QAccessibleValueChangeEvent event(control, control->property("Value"));
        QAccessible::updateAccessibility(&event);
    } else if (key == QLatin1String("CheckBoxBehaviour")) {
        QAccessible::State changed;
        changed.checkable = true;
        QAccessibleStateChangeEvent event(control, changed);
        QAccessible::updateAccessibility(&event);
    }
}

} // namespace glimmer::accessibility
