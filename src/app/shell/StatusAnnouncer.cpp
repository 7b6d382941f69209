#include "app/shell/StatusAnnouncer.h"

#include <QAccessible>
#include <QLabel>

namespace notaro::app {

StatusAnnouncer::StatusAnnouncer(QLabel& label, QObject* parent) : QObject(parent), label_(label) {}

void StatusAnnouncer::say(const QString& text) {
    label_.setText(text);
    // A label with a name of its own would not be heard to change, so it is announced here
    // whatever name the label has.
    if (!label_.accessibleName().isEmpty()) {
        QAccessibleEvent event(&label_, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }
}

void StatusAnnouncer::showMessage(const QString& message) {
    message_ = message;
    if (!showingNote_)
        say(message);
}

void StatusAnnouncer::setNotesAnnounced(bool on) {
    notesAnnounced_ = on;
    if (!on)
        playEnded();
}

void StatusAnnouncer::noteSounding(const QString& text, int line) {
    if (!notesAnnounced_)
        return;
    showingNote_ = true;
    say(tr("%1, line %2").arg(text).arg(line));
}

void StatusAnnouncer::playEnded() {
    if (!showingNote_)
        return;
    showingNote_ = false;
    say(message_);
}

} // namespace notaro::app
