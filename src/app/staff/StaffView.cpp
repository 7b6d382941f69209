#include "app/staff/StaffView.h"

#include <QMouseEvent>
#include <QPaintEngine>
#include <QPainter>
#include <QtMath>

#include <utility>

namespace notaro::app {

StaffView::StaffView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("staffView"));
    setAutoFillBackground(false);
    connect(&images_, &StaffPageImages::pageReady, this, &StaffView::pageReady);
}

void StaffView::setRendering(StaffRenderingPtr rendering) {
    rendering_ = std::move(rendering);
    images_.setRendering(rendering_);
    awaitingShown_ = rendering_ != nullptr;
    caretNotes_.clear();
    sounding_ = -1;
    if (rendering_)
        resize(qCeil(rendering_->width), qCeil(rendering_->height()));
    update();
}

void StaffView::wantVisiblePages() {
    want(visibleRegion().boundingRect(), devicePixelRatioF());
}

QRectF StaffView::pageRect(size_t page) const {
    const interchange::StaffPage& p = rendering_->pages[page];
    return {0, rendering_->pageTops[page], p.width, p.height};
}

void StaffView::want(const QRect& area, qreal ratio) {
    const size_t pages = rendering_ ? rendering_->pages.size() : 0;
    size_t first = pages, last = 0;
    for (size_t p = 0; p < pages; ++p)
        if (pageRect(p).intersects(area)) {
            first = std::min(first, p);
            last = p;
        }
    if (first > last) {
        // Nothing in view: nothing to wait for.
        if (std::exchange(awaitingShown_, false))
            emit pagesShown();
        return;
    }
    images_.want(first, last + 1, ratio);
    inView_ = {first, last};
    emitShownOnceDrawn();
}

void StaffView::emitShownOnceDrawn() {
    if (!awaitingShown_)
        return;
    for (size_t p = inView_.first; p <= inView_.second; ++p)
        if (!images_.image(p))
            return;
    awaitingShown_ = false;
    emit pagesShown();
}

void StaffView::pageReady(int page) {
    update(pageRect(static_cast<size_t>(page)).toAlignedRect());
    emitShownOnceDrawn();
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
    // Pages not drawn yet stay white until their image arrives. The engine's device is what
    // the pixels land in (the window's backing store, or an image given to render()); a
    // hidden view painted into an image asks for what it is asked to paint.
    QRect area = visibleRegion().boundingRect();
    if (area.isEmpty())
        area = event->rect();
    want(area, painter.paintEngine()->paintDevice()->devicePixelRatioF());
    for (size_t p = 0; p < rendering_->pages.size(); ++p) {
        const QRectF page = pageRect(p);
        const QImage* image = images_.image(p);
        if (image && page.intersects(event->rect()))
            painter.drawImage(page.topLeft(), *image);
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
    if (event->button() != Qt::LeftButton || !rendering_ || stale_)
        return;
    const int32_t note = rendering_->noteAt(event->position());
    if (note >= 0)
        emit noteClicked(note);
}

} // namespace notaro::app
