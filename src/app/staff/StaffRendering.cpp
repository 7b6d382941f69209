#include "app/staff/StaffRendering.h"

#include "interchange/AbcWriter.h"

#include <QLineF>

namespace notaro::app {

int32_t StaffRendering::noteAt(const QPointF& point) const {
    // Boxes of neighbours may overlap (an accidental reaches left): the nearest centre wins.
    int32_t best = -1;
    double bestDistance = 0;
    for (size_t i = 0; i < noteBoxes.size(); ++i) {
        if (!noteBoxes[i].contains(point))
            continue;
        const double d = QLineF(point, noteBoxes[i].center()).length();
        if (best < 0 || d < bestDistance) {
            best = static_cast<int32_t>(i);
            bestDistance = d;
        }
    }
    return best;
}

std::vector<int32_t> StaffRendering::notesAtCaret(int32_t line, int32_t column) const {
    std::vector<int32_t> found;
    if (!snapshot)
        return found;
    for (size_t i = 0; i < noteRecords.size(); ++i) {
        const cGnsNote& rec = snapshot->score.theNotes(noteRecords[i]);
        if (rec.noteLineNum == line + 1 && column >= rec.noteCharNum &&
            column <= rec.noteCharNum + rec.noteStrLen)
            found.push_back(static_cast<int32_t>(i));
    }
    return found;
}

StaffRenderingPtr renderStaff(const ParseSnapshotPtr& snapshot, double width,
                              const std::atomic<bool>* cancel) {
    auto r = std::make_shared<StaffRendering>();
    r->snapshot = snapshot;
    r->width = width;
    const interchange::AbcTune tune = interchange::writeAbcTune(snapshot->score, snapshot->text);
    interchange::EngraveOptions options;
    options.pageWidth = width;
    interchange::StaffEngraving e = interchange::engraveAbc(tune, options, cancel);
    r->status = e.status;
    r->message = QString::fromStdString(e.message);
    if (e.status != interchange::EngraveStatus::Done)
        return r;
    double top = 0;
    for (const interchange::StaffPage& page : e.pages) {
        r->pageTops.push_back(top);
        top += page.height;
    }
    r->noteOfRecord.assign(static_cast<size_t>(snapshot->score.nNotes()), -1);
    for (const interchange::StaffNote& n : e.notes) {
        const interchange::StaffBox& b = e.pages[n.page].boxes[n.box];
        r->noteOfRecord[n.record] = static_cast<int32_t>(r->noteRecords.size());
        r->noteRecords.push_back(n.record);
        r->noteBoxes.emplace_back(b.x, r->pageTops[n.page] + b.y, b.width, b.height);
    }
    r->pages = std::move(e.pages);
    return r;
}

} // namespace notaro::app
