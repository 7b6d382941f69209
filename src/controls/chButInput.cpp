#include <glimmer/chBut.h>

#include "controls/AccessibleFactory.h"
#include "controls/chButPrivate.h"

#include "controls/InputCodes.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

namespace glimmer {

void chBut::Private::pressAt(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPointF pos) {
    emit q->MouseDown(InputCodes::buttons(button), InputCodes::shift(modifiers), float(pos.x()),
                      float(pos.y()));
    lastButton = button;
    if (button != Qt::RightButton)
        redraw(StatePressed, false);
}

void chBut::mousePressEvent(QMouseEvent* event) {
    d->pressAt(event->button(), event->modifiers(), event->position());
}

void chBut::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press of a double click presses and clicks like the first one; the implicit
    // grab of the press keeps the mouse captured until the release.
    if (event->button() == Qt::LeftButton && d->lastButton == Qt::LeftButton)
        d->pressAt(Qt::LeftButton, Qt::NoModifier, QPointF(0, 0));
    else
        d->pressAt(event->button(), event->modifiers(), event->position());
}

void chBut::mouseMoveEvent(QMouseEvent* event) {
    const Qt::MouseButtons held = event->buttons();
    emit MouseMove(InputCodes::buttons(held), InputCodes::shift(event->modifiers()),
                   float(event->position().x()), float(event->position().y()));
    if (held != Qt::NoButton && held != Qt::LeftButton)
        return;
    // The move was delivered here, so the pointer is over this window unless a press captured
    // the mouse and the pointer has left the rectangle.
    if (rect().contains(event->position().toPoint())) {
        if (held == Qt::NoButton && !d->hover) {
            d->hover = true;
            d->redraw(StateNormal, true);
            emit MouseOver();
        }
        if (held == Qt::LeftButton)
            d->redraw(StatePressed, false);
    } else {
        d->redraw(StateNormal, false);
    }
}

void chBut::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    // The window system says when the pointer leaves, or when another widget or window comes
    // over the button: nothing runs while the pointer rests. MouseOut follows from the event
    // loop, as it always has, never from inside the show() of the widget that covers it.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (!d->hover || underMouse())
                return;
            d->hover = false;
            d->redraw(d->lastState, true);
            emit MouseOut();
        },
        Qt::QueuedConnection);
}

void chBut::mouseReleaseEvent(QMouseEvent* event) {
    emit MouseUp(InputCodes::buttons(event->button()), InputCodes::shift(event->modifiers()),
                 float(event->position().x()), float(event->position().y()));
    if (event->button() != Qt::RightButton)
        d->redraw(StateNormal, false);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        d->doClick();
}

void chBut::Private::doClick() {
    if (lastButton != Qt::LeftButton || !q->isEnabled())
        return;
    if (checkBoxBehaviour) {
        value = !value;
        accessibility::reportChange(q, QStringLiteral("Value"));
    }
    redraw(StateNormal, true);
    q->repaint();
    emit q->Click();
}

void chBut::keyPressEvent(QKeyEvent* event) {
    emit KeyDown(InputCodes::keyCode(event->key()), InputCodes::shift(event->modifiers()));
    d->lastKey = event->key();
    switch (event->key()) {
    case Qt::Key_Space:
        d->redraw(StatePressed, false);
        break;
    case Qt::Key_Left:
    case Qt::Key_Up:
        focusNextPrevChild(false);
        break;
    case Qt::Key_Right:
    case Qt::Key_Down:
        focusNextPrevChild(true);
        break;
    default:
        break;
    }
    const short ascii = InputCodes::keyAscii(*event);
    if (ascii != 0)
        emit KeyPress(ascii);
}

void chBut::keyReleaseEvent(QKeyEvent* event) {
    if (event->isAutoRepeat())
        return;
    emit KeyUp(InputCodes::keyCode(event->key()), InputCodes::shift(event->modifiers()));
    if (event->key() == Qt::Key_Space && d->lastKey == Qt::Key_Space) {
        d->lastKey = 0;
        if (d->checkBoxBehaviour) {
            d->value = !d->value;
            accessibility::reportChange(this, QStringLiteral("Value"));
        }
        d->redraw(StateNormal, true);
        repaint();
        emit Click();
    }
}

void chBut::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    d->hasFocus = true;
    d->redraw(d->lastState, true);
}

void chBut::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    d->hasFocus = false;
    d->redraw(d->lastState, true);
}

} // namespace glimmer
