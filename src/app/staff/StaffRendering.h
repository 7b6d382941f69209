#pragma once

#include "app/editor/ParseSnapshot.h"
#include "interchange/AbcEngraver.h"

#include <QRectF>

#include <atomic>
#include <memory>
#include <vector>

namespace notaro::app {

/// One parse engraved for the staff view, made on a worker thread: the pages one above the
/// other (drawn only when they come into view, see StaffPageImages), and where every note and
/// rest record was engraved.
struct StaffRendering {
    interchange::EngraveStatus status = interchange::EngraveStatus::Failed;
    QString message;
    ParseSnapshotPtr snapshot;
    double width = 0;
    std::vector<interchange::StaffPage> pages;
    /// Top of each page in the stacked view.
    std::vector<double> pageTops;
    /// Per note or rest, in record order: its record and its box in view coordinates.
    std::vector<int32_t> noteRecords;
    std::vector<QRectF> noteBoxes;
    /// Per record of the snapshot: its note index, or -1 for a directive.
    std::vector<int32_t> noteOfRecord;

    /// The note whose box holds point, or -1.
    int32_t noteAt(const QPointF& point) const;
    /// The notes whose tokens hold a caret in line (0-based) at column (characters from the
    /// line start): every use of a token in a named block.
    std::vector<int32_t> notesAtCaret(int32_t line, int32_t column) const;
    double height() const { return pageTops.empty() ? 0 : pageTops.back() + pages.back().height; }
};

using StaffRenderingPtr = std::shared_ptr<const StaffRendering>;

/// Writes the snapshot as ABC and engraves it for a view width pixels wide (the work of the
/// staff view's worker).
StaffRenderingPtr renderStaff(const ParseSnapshotPtr& snapshot, double width,
                              const std::atomic<bool>* cancel);

} // namespace notaro::app
