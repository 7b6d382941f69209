#include "interchange/PitchSpelling.h"

#include "score/cNotePAO.h"

namespace notaro::interchange {

namespace {

/// The letter index (C = 0 ... B = 6) of each semitone of the octave, -1 for a black key.
constexpr int32_t kWhiteLetter[12] = {0, -1, 1, -1, 2, 3, -1, 4, -1, 5, -1, 6};
/// The lowest and highest quarter tones the score's octaves 0 to 8 can hold: C0 to B8.
constexpr int32_t kLowest = 2 * 12;
constexpr int32_t kHighest = 2 * 119;

cNotePAO onKey(int32_t key, uint8_t accidental) {
    cNotePAO p;
    p.pitch = static_cast<uint8_t>(kWhiteLetter[key % 12]);
    p.octave = static_cast<uint8_t>(key / 12 - 1);
    p.accidental = accidental;
    return p;
}

} // namespace

std::string spellPitch(int32_t quarterTones, bool flats, bool& octaveMoved) {
    octaveMoved = false;
    while (quarterTones < kLowest) {
        quarterTones += 24;
        octaveMoved = true;
    }
    while (quarterTones > kHighest) {
        quarterTones -= 24;
        octaveMoved = true;
    }
    const int32_t key = quarterTones / 2;
    cNotePAO p;
    if (quarterTones % 2 != 0) {
        // Between key and key + 1: one of the two is a white key.
        p = kWhiteLetter[(key + 1) % 12] >= 0 && key + 1 <= 119 ? onKey(key + 1, 1) : onKey(key, 3);
    } else if (kWhiteLetter[key % 12] >= 0) {
        p = onKey(key, 2);
    } else {
        p = flats ? onKey(key + 1, 0) : onKey(key - 1, 4);
    }
    return p.toStr(false);
}

} // namespace notaro::interchange
