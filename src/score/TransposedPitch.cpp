#include "score/TransposedPitch.h"

#include <cstdlib>

namespace notaro::transpose {

namespace {

/// Semitones above C of the white keys C D E F G A B.
constexpr int32_t kWhiteSemitone[7] = {0, 2, 4, 5, 7, 9, 11};
/// The letter index of each semitone of the octave, -1 for a black key.
constexpr int32_t kWhiteLetter[12] = {0, -1, 1, -1, 2, 3, -1, 4, -1, 5, -1, 6};
/// The MIDI keys of octave 0's C and octave 8's B, the outermost white keys a score can write.
constexpr int32_t kLowestKey = 12;
constexpr int32_t kHighestKey = 119;
constexpr uint8_t kNatural = 2;

} // namespace

int32_t quarterTonesOf(const cNotePAO& pitch) noexcept {
    const int32_t key = kWhiteSemitone[pitch.pitch % 7] + 12 * (pitch.octave + 1);
    return 2 * key + (pitch.accidental - kNatural);
}

std::optional<cNotePAO> spelledPitch(int32_t quarterTones, bool flats) noexcept {
    // Every white key within a whole tone (four quarter tones) can write the pitch with one
    // accidental; the best is the nearest, and of two equally near the one whose accidental
    // goes the asked way.
    std::optional<cNotePAO> best;
    int32_t bestRank = 0;
    const int32_t below = quarterTones / 2 - 1;
    for (int32_t key = below; key <= below + 2; ++key) {
        const int32_t step = quarterTones - 2 * key;
        if (key < kLowestKey || key > kHighestKey || std::abs(step) > 2 ||
            kWhiteLetter[key % 12] < 0)
            continue;
        const bool againstChoice = flats ? step > 0 : step < 0;
        const int32_t rank = 2 * std::abs(step) + (againstChoice ? 1 : 0);
        if (best && rank >= bestRank)
            continue;
        cNotePAO p;
        p.pitch = static_cast<uint8_t>(kWhiteLetter[key % 12]);
        p.octave = static_cast<uint8_t>(key / 12 - 1);
        p.accidental = static_cast<uint8_t>(kNatural + step);
        best = p;
        bestRank = rank;
    }
    return best;
}

} // namespace notaro::transpose
