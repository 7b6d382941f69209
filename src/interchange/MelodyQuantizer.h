#pragma once

#include "interchange/MeterGrid.h"
#include "interchange/MidiScan.h"

#include <cstdint>
#include <vector>

namespace notaro::interchange {

struct ImportReport;

/// One note of the melody as the score will write it: start and end in units (MeterGrid.h),
/// the pitch in quarter tones (twice the MIDI key, plus one for a quarter tone up), and
/// whether it is played staccato, and whether it sounds right up to the next note (legato: the
/// score slurs it to the next one).
struct PlacedNote {
    int64_t start = 0;
    int64_t end = 0;
    int32_t quarterTones = 120;
    bool staccato = false;
    bool legato = false;
};

/// The melody on the grid: notes in order without overlaps, the bars they sit in, and where
/// the last bar ends.
struct QuantizedLine {
    std::vector<PlacedNote> notes;
    std::vector<MeterGrid::Signature> signatures;
    int64_t end = 0;
};

/// Places the notes of one line on the grid. Each beat takes the straight grid (step: the
/// straight step in units) or thirds or sixths of the beat, whichever its onsets fit best.
/// A chord keeps its highest note; a note that overlaps the next one is cut at its onset. A
/// note fills the time up to the next onset when it sounds for most of it (the on-time ratios
/// of the files we write stay above 0.8), is staccato when it sounds for a third to three
/// quarters of a slot of at most a beat, and leaves a rest otherwise. What was approximated is
/// counted in report.
QuantizedLine quantizeMelody(const MelodySource& source, int64_t step, ImportReport& report);

/// The straight step to use when none is asked for: a 32nd note, or a 64th note when every
/// onset lies exactly on that grid (or on a tuplet point) and some need it.
int64_t automaticStep(const MelodySource& source);

} // namespace notaro::interchange
