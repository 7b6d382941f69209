#include "interchange/MeterGrid.h"

#include <algorithm>
#include <cmath>

namespace notaro::interchange {

MeterGrid::MeterGrid(const std::vector<Signature>& signatures) {
    segments_.push_back({0, kUnitsPerWhole, {0, 4, 4}});
    for (const Signature& s : signatures) {
        if (s.numerator < 1 || s.denominator < 1 || s.denominator > 256 || s.position < 0)
            continue;
        const int64_t length = kUnitsPerWhole * s.numerator / s.denominator;
        if (s.position == segments_.back().start)
            segments_.back() = {s.position, length, s};
        else
            segments_.push_back({s.position, length, s});
    }
}

const MeterGrid::Segment& MeterGrid::segmentAt(int64_t position) const {
    const auto it = std::upper_bound(segments_.begin(), segments_.end(), position,
                                     [](int64_t p, const Segment& s) { return p < s.start; });
    return *(it - 1);
}

void MeterGrid::barAt(int64_t position, int64_t& start, int64_t& end) const {
    const auto it = std::upper_bound(segments_.begin(), segments_.end(), position,
                                     [](int64_t p, const Segment& s) { return p < s.start; });
    const Segment& seg = *(it - 1);
    start = seg.start + (position - seg.start) / seg.barLength * seg.barLength;
    end = start + seg.barLength;
    // A signature that does not fall on a bar line cuts the bar short.
    if (it != segments_.end() && it->start < end)
        end = it->start;
}

int64_t MeterGrid::barsBefore(int64_t end) const {
    int64_t bars = 0;
    for (size_t i = 0; i < segments_.size() && segments_[i].start < end; ++i) {
        const int64_t stop = i + 1 < segments_.size() ? std::min(segments_[i + 1].start, end) : end;
        bars += (stop - segments_[i].start + segments_[i].barLength - 1) / segments_[i].barLength;
    }
    return bars;
}

BeatCell MeterGrid::cellAt(int64_t position) const {
    BeatCell cell;
    int64_t barEnd = 0;
    barAt(position, cell.barStart, barEnd);
    cell.start = cell.barStart + (position - cell.barStart) / kUnitsPerBeat * kUnitsPerBeat;
    cell.end = std::min(cell.start + kUnitsPerBeat, barEnd);
    return cell;
}

MeterGrid::Signature MeterGrid::signatureAt(int64_t position) const {
    return segmentAt(position).signature;
}

bool MeterGrid::allows(const BeatCell& cell, BeatGrid grid) {
    return grid == BeatGrid::Straight || cell.end - cell.start == kUnitsPerBeat;
}

int64_t MeterGrid::step(const BeatCell&, BeatGrid grid, int64_t straightStep) {
    switch (grid) {
    case BeatGrid::Triplet:
        return kUnitsPerBeat / 3;
    case BeatGrid::Sextuplet:
        return kUnitsPerBeat / 6;
    case BeatGrid::Straight:
        break;
    }
    return straightStep;
}

int64_t MeterGrid::snap(double position, const BeatCell& cell, BeatGrid grid,
                        int64_t straightStep) {
    const int64_t s = step(cell, grid, straightStep);
    const double offset = std::clamp(position - static_cast<double>(cell.start), 0.0,
                                     static_cast<double>(cell.end - cell.start));
    const int64_t below = cell.start + static_cast<int64_t>(offset / static_cast<double>(s)) * s;
    const int64_t above = std::min(below + s, cell.end);
    return position - static_cast<double>(below) <= static_cast<double>(above) - position ? below
                                                                                          : above;
}

} // namespace notaro::interchange
