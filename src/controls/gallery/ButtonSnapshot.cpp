#include "controls/gallery/ButtonSnapshot.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>

using glimmer::chBut;

QString ButtonSnapshot::name(State state) {
    switch (state) {
    case State::Normal:
        return QStringLiteral("Normal");
    case State::Hovered:
        return QStringLiteral("Hovered");
    case State::Pressed:
        return QStringLiteral("Pressed");
    case State::Toggled:
        return QStringLiteral("Toggled");
    case State::Focused:
        return QStringLiteral("Focused");
    case State::Default:
        return QStringLiteral("Default");
    case State::Disabled:
        return QStringLiteral("Disabled");
    }
    return QString();
}

QPixmap ButtonSnapshot::take(QSize size, State state, const std::function<void(chBut&)>& setup,
                             const QColor& hostBackground) {
    // A stage that is shown (so the button draws) but never appears on the screen.
    QWidget stage;
    stage.setAttribute(Qt::WA_DontShowOnScreen);
    QPalette pal = stage.palette();
    pal.setColor(QPalette::Window, hostBackground);
    stage.setPalette(pal);
    stage.resize(size + QSize(4, 4));
    auto* button = new chBut(&stage);
    button->setGeometry(2, 2, size.width(), size.height());
    setup(*button);
    stage.show();

    const QPointF centre = QRectF(button->rect()).center();
    const QPointF global = button->mapToGlobal(centre);
    auto send = [&](QEvent::Type type, Qt::MouseButton b, Qt::MouseButtons held) {
        QMouseEvent e(type, centre, global, b, held, Qt::NoModifier);
        QApplication::sendEvent(button, &e);
    };
    switch (state) {
    case State::Normal:
        break;
    case State::Hovered:
        send(QEvent::MouseMove, Qt::NoButton, Qt::NoButton);
        break;
    case State::Pressed:
        send(QEvent::MouseMove, Qt::NoButton, Qt::NoButton);
        send(QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton);
        break;
    case State::Toggled:
        button->setCheckBoxBehaviour(true);
        button->setValue(true);
        break;
    case State::Focused: {
        QFocusEvent e(QEvent::FocusIn, Qt::TabFocusReason);
        QApplication::sendEvent(button, &e);
        break;
    }
    case State::Default:
        button->setDisplayAsDefault(true);
        break;
    case State::Disabled:
        button->setEnabled(false);
        break;
    }

    // Grab at once: the hover poll would notice that no real pointer is there.
    QImage image = button->surface().convertToFormat(QImage::Format_ARGB32);
    const QRegion shape = button->mask();
    QImage out(image.size(), QImage::Format_ARGB32);
    out.fill(hostBackground);
    QPainter p(&out);
    if (!shape.isEmpty())
        p.setClipRegion(shape);
    p.drawImage(0, 0, image);
    p.end();
    return QPixmap::fromImage(out);
}
