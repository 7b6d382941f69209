#include "app/staff/StaffView.h"

#include <QMouseEvent>
#include <QPainter>
#include <QtMath>

namespace notaro::app {

StaffView::StaffView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("staffView"));
    setAutoFillBackground(false);
}

void StaffView::setRendering(StaffRenderingPtr rendering) {
    rendering_ = std::move(rendering);
    caretNotes_.clear();
    sounding_ = -1;
    if (rendering_)
        resize(qCeil(rendering_->width), qCeil(rendering_->height()));
    update();
}

void StaffView::setStale(bool stale) {
    if (stale == stale_)
        return;
    stale_ = stale;
    update();
}

void StaffView::setCaretNotes(std::vector<int32_t> notes) {
    if (notes == caretNotes_)
        return;
    caretNotes_ = std::move(notes);
    update();
}

void StaffView::setSoundingNote(int32_t note) {
    if (note == sounding_)
        return;
    sounding_ = note;
    update();
}

void StaffView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), Qt::white);
    if (!rendering_)
        return;
    for (size_t p = 0; p < rendering_->pages.size(); ++p) {
        const QRectF page(0, rendering_->pageTops[p], rendering_->pages[p].width(),
                          rendering_->pages[p].height());
        if (page.intersects(event->rect()))
            painter.drawImage(page.topLeft(), rendering_->pages[p]);
    }
    const auto mark = [&](int32_t note, const QColor& color) {
        if (note >= 0 && note < static_cast<int32_t>(rendering_->noteBoxes.size()))
            painter.fillRect(rendering_->noteBoxes[note], color);
    };
    for (const int32_t note : caretNotes_)
        mark(note, caretColor());
    mark(sounding_, soundingColor());
    if (stale_)
        painter.fillRect(event->rect(), QColor(255, 255, 255, 150));
}

void StaffView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !rendering_)
        return;
    const int32_t note = rendering_->noteAt(event->position());
    if (note >= 0)
        emit noteClicked(note);
}

} // namespace notaro::app
