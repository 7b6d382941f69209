#pragma once

#include <cstdint>
#include <vector>

namespace notaro::interchange {

/// Positions in the score are counted in units of 1/768 of a whole note: 192 to the quarter
/// note, the score's own MIDI division, so every note value of the language that a MIDI file
/// of ours can hold is a whole number of units (a triplet eighth is 64, a dotted 64th 18).
inline constexpr int64_t kUnitsPerWhole = 768;
inline constexpr int64_t kUnitsPerBeat = kUnitsPerWhole / 4;

/// How the onsets within one beat are placed: on the straight grid, or on thirds or sixths of
/// the beat (triplets and sextuplets).
enum class BeatGrid { Straight, Triplet, Sextuplet };

/// A stretch of one beat (a quarter note, or what is left of a bar after its last whole beat).
struct BeatCell {
    int64_t start = 0;
    int64_t end = 0;
    int64_t barStart = 0;
};

/// The bars and beats of a melody: bars from its time signatures (4/4 until the first one),
/// beats of a quarter note from each bar's start. A signature takes effect at its own position,
/// which starts a new bar there. Everything is computed from the signature segments, so a bar
/// far out costs no more than the first.
class MeterGrid {
public:
    struct Signature {
        int64_t position = 0;
        int32_t numerator = 4;
        int32_t denominator = 4;
    };
    /// signatures ordered by position; those with a denominator above 256 are not used.
    explicit MeterGrid(const std::vector<Signature>& signatures);

    /// The bar holding position (>= 0): its start and end.
    void barAt(int64_t position, int64_t& start, int64_t& end) const;
    /// How many bars start before end (>= 0).
    int64_t barsBefore(int64_t end) const;
    /// The beat holding position (>= 0).
    BeatCell cellAt(int64_t position) const;
    /// The numerator and denominator in force at position.
    Signature signatureAt(int64_t position) const;

    /// Whether a beat can hold the tuplet grid: only whole beats can.
    static bool allows(const BeatCell& cell, BeatGrid grid);
    /// The step of a grid within a beat, in units; straightStep for the straight grid.
    static int64_t step(const BeatCell& cell, BeatGrid grid, int64_t straightStep);
    /// The grid point of the beat nearest to position (in units, fractional): a multiple of the
    /// step from the beat's start, or the beat's end.
    static int64_t snap(double position, const BeatCell& cell, BeatGrid grid, int64_t straightStep);

private:
    struct Segment {
        int64_t start;
        int64_t barLength;
        Signature signature;
    };
    const Segment& segmentAt(int64_t position) const;

    std::vector<Segment> segments_;
};

} // namespace notaro::interchange
