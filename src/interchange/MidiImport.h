#pragma once

#include "interchange/MidiScan.h"

#include <cstdint>
#include <string>
#include <vector>

namespace notaro {
class tMidiF04;
}

namespace notaro::interchange {

/// Which line to take from a MIDI file and how finely to place its notes.
struct ImportOptions {
    int32_t track = -1;   ///< 0-based track to take the line from, -1 for any
    int32_t channel = -1; ///< 0-based channel to take the line from, -1 for any but drums
    /// The straight grid as a note value (4, 8, 16, 32 or 64); 0 chooses 1/32, or 1/64 when
    /// every onset of a file we could have written lies exactly on it.
    int32_t grid = 0;
    /// The most records the score may get; the import fails beyond it.
    int64_t maxRecords = 4'000'000;
};

/// What an import had to approximate, for the report a user reads beside the score.
struct ImportReport {
    MelodyCandidate line; ///< the line taken
    int32_t notes = 0;    ///< notes written (a tied chain counts once)
    int32_t chordNotesDropped = 0;
    int32_t notesCut = 0;        ///< notes that overlapped the next one and were cut at its onset
    int32_t notesMoved = 0;      ///< onsets moved by a tick or more to reach the grid
    double largestMoveBeats = 0; ///< the largest of those moves, in quarter notes
    int32_t looseBeats = 0;      ///< beats whose onsets fit neither the straight nor a tuplet grid
    int32_t bendsRounded = 0;    ///< pitch-wheel shifts rounded to the nearest quarter tone
    int32_t keysMoved = 0;       ///< keys outside the score's range moved by octaves
    int32_t tempoRounded = 0;    ///< tempos written as the nearest whole number
};

/// A melody taken from a MIDI file: the score text and what was approximated.
struct ImportResult {
    std::string text;
    ImportReport report;
};

/// Picks the line an import takes from these candidates: with a track and/or channel given,
/// the candidate there with the most notes; otherwise the one with the most notes that is not
/// on channel 10 (index 9). Throws InterchangeError (NoMelodicLine, NoSuchLine).
MelodyCandidate chooseLine(const std::vector<MelodyCandidate>& candidates,
                           const ImportOptions& options);

/// Turns the chosen line of a MIDI file into score text that plays the same notes: one voice
/// (the highest note of a chord), onsets on the grid or on triplets/sextuplets of a beat, rests
/// for gaps, ties across bars, tempo, program and text events as directives and comments.
/// Throws InterchangeError (NoBeats, NoMelodicLine, NoSuchLine, LengthNotWritable, TooLong).
ImportResult importMelody(const tMidiF04& file, const ImportOptions& options);

/// As importMelody on the MIDI file at path; a file that cannot be read is CannotRead.
ImportResult importMelodyFile(const std::string& path, const ImportOptions& options);

/// The report's lines ("taken: track 1, channel 1 ...", then one line per approximation).
std::vector<std::string> reportLines(const ImportReport& report);

} // namespace notaro::interchange
