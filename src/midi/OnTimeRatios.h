#pragma once

#include <array>

namespace notaro {

/// One on-time ratio per note value: index 0 is the double whole note, index 8 the 128th note.
using OnRatioTable = std::array<float, 9>;

/// The share of a note's duration that sounds, per note value, for notes played normally and
/// for staccato notes. A value starts at the defaults, so that a missing or damaged para.ini can
/// never leave a note with no sounding time at all. Whoever converts or plays a score passes one
/// in its options; para.ini keeps the user's tables between runs.
struct OnTimeRatios {
    OnRatioTable normal = {0.95f, 0.92f, 0.90f, 0.95f, 0.95f, 0.92f, 0.88f, 0.80f, 0.80f};
    OnRatioTable staccato = {0.35f, 0.35f, 0.35f, 0.45f, 0.67f, 0.67f, 0.67f, 0.67f, 0.67f};
};

} // namespace notaro
