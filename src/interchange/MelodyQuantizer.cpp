#include "interchange/MelodyQuantizer.h"

#include "interchange/MidiImport.h"
#include "interchange/NoteValues.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace notaro::interchange {

namespace {

/// A note sounding for at least this share of the time up to the next onset is written to
/// fill it.
constexpr double kLegatoShare = 0.74;
/// A shorter note sounding for at least this share of a slot of at most a beat is staccato.
constexpr double kStaccatoShare = 0.3;
/// Every bar length the import keeps is a multiple of this (a 64th note), so every stretch
/// between two grid points can be written.
constexpr int64_t kFinestStep = 12;

struct RawNote {
    double on = 0;
    double off = 0;
    int32_t quarterTones = 0;
    int64_t start = 0;
};

double unitsPerTick(const MelodySource& source) {
    return static_cast<double>(kUnitsPerBeat) / source.division;
}

/// The grid a beat's onsets fit best, preferring the straight grid, then triplets.
BeatGrid bestGrid(const std::vector<double>& onsets, const BeatCell& cell, int64_t step,
                  ImportReport& report) {
    const auto error = [&](BeatGrid g) {
        double sum = 0;
        for (const double on : onsets)
            sum += std::fabs(on - static_cast<double>(MeterGrid::snap(on, cell, g, step)));
        return sum;
    };
    BeatGrid best = BeatGrid::Straight;
    double bestError = error(best);
    for (const BeatGrid g : {BeatGrid::Triplet, BeatGrid::Sextuplet}) {
        if (!MeterGrid::allows(cell, g))
            continue;
        const double e = error(g);
        if (e + 1e-6 < bestError) {
            best = g;
            bestError = e;
        }
    }
    const double meanError = bestError / static_cast<double>(onsets.size());
    if (meanError > static_cast<double>(MeterGrid::step(cell, best, step)) / 4)
        ++report.looseBeats;
    return best;
}

/// The shortest length of at most longest units that a note sounding for sound units fills
/// by the legato share: a single written value that is a multiple of grain (the step of the
/// note's beat), or a whole number of beats; 0 when there is none. A note followed by a rest,
/// or the last one, gets the length it was most likely written with.
int64_t writtenLength(double sound, int64_t longest, int64_t grain) {
    static const NoteValues values;
    const auto fits = [&](int64_t units) {
        const auto u = static_cast<double>(units);
        return units <= longest && u >= sound - 1e-6 && sound >= kLegatoShare * u;
    };
    int64_t best = 0;
    for (const WrittenValue& w : values.all())
        if (w.units % grain == 0 && fits(w.units))
            best = w.units;
    const auto beats = static_cast<int64_t>(std::ceil(sound / kUnitsPerBeat - 1e-9));
    if (fits(beats * kUnitsPerBeat) && (best == 0 || beats * kUnitsPerBeat < best))
        best = beats * kUnitsPerBeat;
    return best;
}

} // namespace

int64_t automaticStep(const MelodySource& source) {
    int64_t step = 2 * kFinestStep;
    for (const ScannedNote& n : source.notes) {
        const int64_t scaled = n.on * kUnitsPerBeat;
        if (scaled % source.division != 0)
            return 2 * kFinestStep;
        const int64_t offset = scaled / source.division % kUnitsPerBeat;
        if (offset % (2 * kFinestStep) == 0 || offset % (kUnitsPerBeat / 6) == 0)
            continue;
        if (offset % kFinestStep != 0)
            return 2 * kFinestStep;
        step = kFinestStep;
    }
    return step;
}

QuantizedLine quantizeMelody(const MelodySource& source, int64_t step, ImportReport& report) {
    QuantizedLine line;
    const double scale = unitsPerTick(source);
    for (const TimedSignature& s : source.signatures) {
        const int64_t bar = kUnitsPerWhole * s.numerator / s.denominator;
        if (s.denominator > 256 || bar % kFinestStep != 0 || bar <= 0)
            continue;
        int64_t position =
            std::llround(static_cast<double>(s.tick) * scale / kFinestStep) * kFinestStep;
        if (!line.signatures.empty())
            position = std::max(position, line.signatures.back().position);
        line.signatures.push_back({position, s.numerator, s.denominator});
    }
    const MeterGrid meter(line.signatures);

    std::vector<RawNote> raw;
    raw.reserve(source.notes.size());
    std::map<int64_t, std::vector<double>> onsetsByBeat;
    for (const ScannedNote& n : source.notes) {
        const int32_t shift = static_cast<int32_t>(std::lround(n.cents / 50.0));
        if (std::abs(n.cents - shift * 50) > 10)
            ++report.bendsRounded;
        const double on = static_cast<double>(n.on) * scale;
        raw.push_back({on, static_cast<double>(n.off) * scale, 2 * n.key + shift, 0});
        onsetsByBeat[meter.cellAt(static_cast<int64_t>(on)).start].push_back(on);
    }
    std::map<int64_t, BeatGrid> grids;
    for (const auto& [start, onsets] : onsetsByBeat)
        grids[start] = bestGrid(onsets, meter.cellAt(start), step, report);
    const auto gridOf = [&](const BeatCell& cell) {
        const auto it = grids.find(cell.start);
        return it == grids.end() ? BeatGrid::Straight : it->second;
    };
    const auto snap = [&](double position) {
        const BeatCell cell = meter.cellAt(static_cast<int64_t>(position));
        return MeterGrid::snap(position, cell, gridOf(cell), step);
    };

    for (RawNote& n : raw) {
        n.start = snap(n.on);
        const double moved = std::fabs(static_cast<double>(n.start) - n.on);
        if (moved >= scale - 1e-9 && moved >= 1e-6) {
            ++report.notesMoved;
            report.largestMoveBeats =
                std::max(report.largestMoveBeats, moved / static_cast<double>(kUnitsPerBeat));
        }
    }
    // At one grid point the highest note stays: a chord, or notes the grid brought together.
    std::stable_sort(raw.begin(), raw.end(), [](const RawNote& a, const RawNote& b) {
        return a.start != b.start ? a.start < b.start : a.quarterTones > b.quarterTones;
    });
    std::vector<RawNote> kept;
    for (const RawNote& n : raw) {
        if (!kept.empty() && kept.back().start == n.start)
            ++report.chordNotesDropped;
        else
            kept.push_back(n);
    }

    for (size_t i = 0; i < kept.size(); ++i) {
        const RawNote& n = kept[i];
        double off = n.off;
        int64_t slotEnd = 0;
        if (i + 1 < kept.size()) {
            slotEnd = kept[i + 1].start;
            if (off > kept[i + 1].on + scale) {
                ++report.notesCut;
                off = kept[i + 1].on;
            }
        } else {
            int64_t barStart = 0;
            meter.barAt(std::max(snap(off), n.start + 1) - 1, barStart, slotEnd);
        }
        off = std::max(off, n.on);
        const BeatCell startCell = meter.cellAt(n.start);
        int64_t end = std::min(snap(off), slotEnd);
        if (end <= n.start)
            end = std::min(slotEnd, n.start + MeterGrid::step(startCell, gridOf(startCell), step));
        PlacedNote placed{n.start, end, n.quarterTones, false};
        const double sound = off - n.on;
        const double share = sound / static_cast<double>(slotEnd - n.start);
        if (end < slotEnd && share >= kLegatoShare) {
            placed.end = slotEnd;
        } else if (end < slotEnd && share >= kStaccatoShare && slotEnd - n.start <= kUnitsPerBeat) {
            placed.end = slotEnd;
            placed.staccato = true;
        } else if (end < slotEnd) {
            const int64_t grain = MeterGrid::step(startCell, gridOf(startCell), step);
            if (const int64_t length = writtenLength(sound, slotEnd - n.start, grain); length > 0)
                placed.end = n.start + length;
        }
        // Only a note that fills its slot can be slurred; a slur's notes cannot be staccato.
        placed.legato = i + 1 < kept.size() && placed.end == slotEnd && !placed.staccato &&
                        off >= kept[i + 1].on;
        line.notes.push_back(placed);
    }
    if (!line.notes.empty()) {
        int64_t barStart = 0;
        meter.barAt(line.notes.back().end - 1, barStart, line.end);
    }
    return line;
}

} // namespace notaro::interchange
