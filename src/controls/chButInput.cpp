#include <glimmer/chBut.h>

#include "controls/chButPrivate.h"

#include "controls/InputCodes.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>

namespace glimmer {

bool chBut::pointerOver(const QPoint& global) const {
    return QApplication::widgetAt(global) == this;
}

void chBut::pressAt(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPointF pos) {
    emit MouseDown(InputCodes::buttons(button), InputCodes::shift(modifiers), float(pos.x()),
                   float(pos.y()));
    d->lastButton = button;
    if (button != Qt::RightButton)
        Redraw(StatePressed, false);
}

void chBut::mousePressEvent(QMouseEvent* event) {
    pressAt(event->button(), event->modifiers(), event->position());
}

void chBut::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press of a double click presses and clicks like the first one; the implicit
    // grab of the press keeps the mouse captured until the release.
    if (event->button() == Qt::LeftButton && d->lastButton == Qt::LeftButton)
        pressAt(Qt::LeftButton, Qt::NoModifier, QPointF(0, 0));
    else
        pressAt(event->button(), event->modifiers(), event->position());
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
            d->hoverTimer.start();
            d->hover = true;
            Redraw(StateNormal, true);
            emit MouseOver();
        }
        if (held == Qt::LeftButton)
            Redraw(StatePressed, false);
    } else {
        Redraw(StateNormal, false);
    }
}

void chBut::pollHover() {
    if (pointerOver(QCursor::pos()))
        return;
    d->hoverTimer.stop();
    d->hover = false;
    Redraw(d->lastState, true);
    emit MouseOut();
}

void chBut::mouseReleaseEvent(QMouseEvent* event) {
    emit MouseUp(InputCodes::buttons(event->button()), InputCodes::shift(event->modifiers()),
                 float(event->position().x()), float(event->position().y()));
    if (event->button() != Qt::RightButton)
        Redraw(StateNormal, false);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        doClick();
}

void chBut::doClick() {
    if (d->lastButton != Qt::LeftButton || !isEnabled())
        return;
    if (d->checkBoxBehaviour)
        d->value = !d->value;
    Redraw(StateNormal, true);
    repaint();
    emit Click();
}

void chBut::keyPressEvent(QKeyEvent* event) {
    emit KeyDown(InputCodes::keyCode(event->key()), InputCodes::shift(event->modifiers()));
    d->lastKey = event->key();
    switch (event->key()) {
    case Qt::Key_Space:
        Redraw(StatePressed, false);
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
        if (d->checkBoxBehaviour)
            d->value = !d->value;
        Redraw(StateNormal, true);
        repaint();
        emit Click();
    }
}

void chBut::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    d->hasFocus = true;
    Redraw(d->lastState, true);
}

void chBut::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    d->hasFocus = false;
    Redraw(d->lastState, true);
}

} // namespace glimmer
