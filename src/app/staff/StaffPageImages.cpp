#include "app/staff/StaffPageImages.h"

#include "app/staff/StaffPageImage.h"

#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>

namespace notaro::app {

StaffPageImages::StaffPageImages(QObject* parent) : QObject(parent) {
    connect(&watcher_, &QFutureWatcher<QImage>::finished, this, &StaffPageImages::arrived);
}

StaffPageImages::~StaffPageImages() {
    watcher_.disconnect();
    watcher_.waitForFinished();
}

void StaffPageImages::setRendering(StaffRenderingPtr rendering) {
    rendering_ = std::move(rendering);
    images_.assign(rendering_ ? rendering_->pages.size() : 0, QImage());
    queue_.clear();
    first_ = last_ = 0;
}

void StaffPageImages::want(size_t first, size_t last, qreal ratio) {
    if (images_.empty())
        return;
    last = std::min(last, images_.size() - 1);
    if (ratio != ratio_) {
        ratio_ = ratio;
        images_.assign(images_.size(), QImage());
    }
    first_ = first;
    last_ = last;
    for (size_t p = 0; p < images_.size(); ++p)
        if (p + 1 < first || p > last + 1)
            images_[p] = QImage();
    queue_.clear();
    for (size_t p = first; p <= last; ++p)
        if (images_[p].isNull())
            queue_.push_back(p);
    startNext();
}

const QImage* StaffPageImages::image(size_t page) const {
    return page < images_.size() && !images_[page].isNull() ? &images_[page] : nullptr;
}

void StaffPageImages::startNext() {
    if (watcher_.isRunning())
        return;
    while (!queue_.empty() &&
           (queue_.front() >= images_.size() || !images_[queue_.front()].isNull()))
        queue_.pop_front();
    if (queue_.empty())
        return;
    drawing_ = queue_.front();
    queue_.pop_front();
    drawingFor_ = rendering_;
    watcher_.setFuture(QtConcurrent::run([r = rendering_, page = drawing_, ratio = ratio_] {
        QImage image = staffPageImage(r->pages[page], ratio);
        image.setDevicePixelRatio(ratio);
        return image;
    }));
}

void StaffPageImages::arrived() {
    QImage image = watcher_.result();
    const size_t page = drawing_;
    // A page of an earlier rendering or ratio, or one scrolled away meanwhile, is dropped.
    const bool current = drawingFor_ == rendering_ && image.devicePixelRatio() == ratio_ &&
                         page + 1 >= first_ && page <= last_ + 1;
    drawingFor_.reset();
    if (current)
        images_[page] = std::move(image);
    startNext();
    if (current)
        emit pageReady(static_cast<int>(page));
}

} // namespace notaro::app
