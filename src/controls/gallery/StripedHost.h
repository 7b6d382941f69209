#pragma once

#include <QPainter>
#include <QWidget>

/// A host window with diagonal stripes, to show what see-through controls let through.
class StripedHost : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), QColor(0xF4, 0xE8, 0xC0));
        p.setPen(QColor(0xE0, 0xB0, 0x60));
        for (int x = -height(); x < width(); x += 8)
            p.drawLine(x, height(), x + height(), 0);
    }
};
