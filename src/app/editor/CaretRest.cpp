#include "app/editor/CaretRest.h"

#include <QApplication>
#include <QFocusEvent>
#include <QPlainTextEdit>

namespace notaro::app {

CaretRest::CaretRest(QPlainTextEdit& editor) : QObject(&editor), editor_(editor) {
    rest_.setSingleShot(true);
    rest_.setInterval(kRest);
    connect(&rest_, &QTimer::timeout, this, &CaretRest::rest);
    editor_.installEventFilter(this);
    editor_.viewport()->installEventFilter(this);
    if (editor_.hasFocus())
        rest_.start();
}

CaretRest::~CaretRest() {
    if (resting_)
        QApplication::setCursorFlashTime(flashTime_);
}

bool CaretRest::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::FocusIn:
        if (restarting_)
            break;
        [[fallthrough]];
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::InputMethod:
        if (resting_)
            wake();
        rest_.start();
        break;
    case QEvent::FocusOut:
        rest_.stop();
        // Other widgets blink as usual; the editor, without focus, does not blink.
        if (resting_) {
            QApplication::setCursorFlashTime(flashTime_);
            resting_ = false;
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void CaretRest::rest() {
    if (!editor_.hasFocus() || resting_)
        return;
    flashTime_ = QApplication::cursorFlashTime();
    QApplication::setCursorFlashTime(0);
    resting_ = true;
    restartBlinking();
}

void CaretRest::wake() {
    QApplication::setCursorFlashTime(flashTime_);
    resting_ = false;
    restartBlinking();
}

void CaretRest::restartBlinking() {
    restarting_ = true;
    QFocusEvent focus(QEvent::FocusIn, Qt::OtherFocusReason);
    QCoreApplication::sendEvent(&editor_, &focus);
    restarting_ = false;
}

} // namespace notaro::app
