#pragma once

#include "tests/controls/QtTestEnvironment.h"

#include <glimmer/chBut.h>

#include <QCursor>
#include <QTest>
#include <QWidget>
#include <memory>

namespace glimmer::test {

/// A shown host window with one button in it, and helpers that drive the button into a state.
class ButtonHarness {
public:
    explicit ButtonHarness(QSize size = QSize(60, 24)) : host(std::make_unique<QWidget>()) {
        QCursor::setPos(QPoint(-500, -500));
        host->setGeometry(100, 100, 200, 120);
        button = new chBut(host.get());
        button->setGeometry(10, 10, size.width(), size.height());
        host->show();
        // Pointer positions find the window only once it is on the screen.
        (void)QTest::qWaitForWindowExposed(host.get());
        // Activate now, so that the window's first focus does not arrive later in some test;
        // a test that wants the focus asks for it.
        host->activateWindow();
        QApplication::setActiveWindow(host.get());
        button->clearFocus();
    }
    ~ButtonHarness() {
        // Qt Test remembers held buttons across tests; a press left open would turn later moves
        // into drags.
        if (m_pressed)
            release();
        QCursor::setPos(QPoint(-500, -500));
    }

    QPoint centre() const { return button->rect().center(); }
    /// The pointer itself goes over the button, so that a widget shown over it later takes
    /// the pointer away as it would on a screen.
    void hover() {
        QCursor::setPos(button->mapToGlobal(centre()));
        QTest::mouseMove(button, centre());
    }
    void press() {
        m_pressed = true;
        QTest::mousePress(button, Qt::LeftButton, Qt::NoModifier, centre());
    }
    void release() {
        m_pressed = false;
        QTest::mouseRelease(button, Qt::LeftButton, Qt::NoModifier, centre());
    }
    void focus() {
        host->activateWindow();
        QApplication::setActiveWindow(host.get());
        button->setFocus(Qt::OtherFocusReason);
    }
    QImage surface() const { return button->surface(); }
    void style(chBut::ButtonTypes type, chBut::ColorTypes scheme = chBut::ForceStandard) {
        button->setColorScheme(scheme);
        button->setButtonType(type);
    }

    std::unique_ptr<QWidget> host;
    chBut* button;

private:
    bool m_pressed = false;
};

enum class State { Normal, Hovered, Pressed, Disabled, Default, DefaultPressed };

inline void enterState(ButtonHarness& h, State s) {
    if (s == State::Disabled)
        h.button->setEnabled(false);
    if (s == State::Default || s == State::DefaultPressed)
        h.button->setDisplayAsDefault(true);
    if (s == State::Hovered || s == State::Pressed || s == State::DefaultPressed)
        h.hover();
    if (s == State::Pressed || s == State::DefaultPressed)
        h.press();
}

} // namespace glimmer::test
