#pragma once

#include "app/staff/StaffPageImages.h"
#include "app/staff/StaffRendering.h"

#include <QWidget>

#include <utility>
#include <vector>

namespace notaro::app {

/// The engraved pages one above the other, with the notes under the editor's caret and the
/// sounding note marked; greyed while the score it shows is no longer the editor's, and then
/// deaf to clicks, since its notes no longer sit where the text's tokens are. Only the pages
/// in view and the next are drawn, at the screen's pixel ratio, on a worker (StaffPageImages).
class StaffView : public QWidget {
    Q_OBJECT
public:
    explicit StaffView(QWidget* parent = nullptr);

    /// Shows a rendering (null: nothing) and sizes the view to its pages; pagesShown follows
    /// once the pages in view are drawn.
    void setRendering(StaffRenderingPtr rendering);
    /// Asks for the pages in view (and the next) to be drawn now, without waiting for a paint.
    void wantVisiblePages();
    const StaffRenderingPtr& rendering() const { return rendering_; }
    void setStale(bool stale);
    bool isStale() const { return stale_; }
    /// Marks the notes under the caret (indexes into the rendering's notes).
    void setCaretNotes(std::vector<int32_t> notes);
    const std::vector<int32_t>& caretNotes() const { return caretNotes_; }
    /// Marks the sounding note; -1 for none.
    void setSoundingNote(int32_t note);
    int32_t soundingNote() const { return sounding_; }

    static QColor caretColor() { return {0, 110, 230, 70}; }
    static QColor soundingColor() { return {255, 120, 0, 110}; }

Q_SIGNALS:
    /// A note or rest was clicked (an index into the rendering's notes).
    void noteClicked(int32_t note);
    /// The pages in view of the rendering last set are drawn.
    void pagesShown();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void want(const QRect& area, qreal ratio);
    void pageReady(int page);
    void emitShownOnceDrawn();
    QRectF pageRect(size_t page) const;

    StaffRenderingPtr rendering_;
    StaffPageImages images_;
    bool awaitingShown_ = false;
    /// The first and last page in view when last asked.
    std::pair<size_t, size_t> inView_;
    std::vector<int32_t> caretNotes_;
    int32_t sounding_ = -1;
    bool stale_ = false;
};

} // namespace notaro::app
