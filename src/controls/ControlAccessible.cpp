#include "controls/ControlAccessible.h"

#include <QMetaObject>
#include <QWidget>

namespace glimmer {

ControlAccessible::ControlAccessible(QWidget* control, QAccessible::Role role)
    : QAccessibleWidget(control, role) {}

QString ControlAccessible::withoutAccessMarks(const QString& caption) {
    QString out;
    out.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption.at(i) == QLatin1Char('&')) {
            if (i + 1 < caption.size() && caption.at(i + 1) == QLatin1Char('&'))
                out += caption.at(++i);
            continue;
        }
        out += caption.at(i);
    }
    return out;
}

QString ControlAccessible::text(QAccessible::Text t) const {
    const QString caption = withoutAccessMarks(widget()->property("Caption").toString());
    switch (t) {
    case QAccessible::Name:
        if (!widget()->accessibleName().isEmpty())
            return widget()->accessibleName();
        return caption.isEmpty() ? widget()->toolTip() : caption;
    case QAccessible::Description:
        // The tool tip already serves as the name of a control without a caption.
        if (!widget()->accessibleDescription().isEmpty())
            return widget()->accessibleDescription();
        return caption.isEmpty() ? QString() : widget()->toolTip();
    default:
        return QAccessibleWidget::text(t);
    }
}

QAccessible::State ControlAccessible::state() const {
    QAccessible::State s = QAccessibleWidget::state();
    if (role() == QAccessible::Link)
        s.linked = true;
    return s;
}

QStringList ControlAccessible::actionNames() const {
    QStringList names = QAccessibleWidget::actionNames();
    if (role() == QAccessible::Link && widget()->isEnabled())
        names.prepend(pressAction());
    return names;
}

void ControlAccessible::doAction(const QString& action) {
    // Queued, so that a caller over D-Bus gets its answer before the link opens.
    if (action == pressAction() && role() == QAccessible::Link && widget()->isEnabled())
        QMetaObject::invokeMethod(widget(), "activate", Qt::QueuedConnection);
    else
        QAccessibleWidget::doAction(action);
}

} // namespace glimmer
