#pragma once

#include "app/staff/StaffRendering.h"

#include <QFutureWatcher>
#include <QImage>
#include <QObject>

#include <deque>
#include <vector>

namespace notaro::app {

/// The pages of a rendering as images, drawn on a worker one at a time as the view asks for
/// them: a score of fifty pages shows its first as soon as one page is drawn, and only the
/// pages near the view are kept, so memory does not grow with the score.
class StaffPageImages : public QObject {
    Q_OBJECT
public:
    explicit StaffPageImages(QObject* parent = nullptr);
    ~StaffPageImages() override;

    /// Forgets every image and the queue; images of another rendering still being drawn are
    /// dropped when they arrive.
    void setRendering(StaffRenderingPtr rendering);
    /// Wants pages first to last (inclusive) at pixel ratio: queues those not drawn yet, in
    /// order, and forgets the images of pages more than one away from them.
    void want(size_t first, size_t last, qreal ratio);
    /// The page's image at the wanted ratio, or null while it is not drawn.
    const QImage* image(size_t page) const;

Q_SIGNALS:
    /// A page's image has arrived.
    void pageReady(int page);

private:
    void startNext();
    void arrived();

    StaffRenderingPtr rendering_;
    std::vector<QImage> images_;
    std::deque<size_t> queue_;
    size_t first_ = 0, last_ = 0;
    qreal ratio_ = 1;
    QFutureWatcher<QImage> watcher_;
    size_t drawing_ = 0;
    StaffRenderingPtr drawingFor_;
};

} // namespace notaro::app
