#pragma once

#include "midi/OnTimeRatios.h"
#include "score/cDuration.h"

#include <cstdint>

namespace notaro {

/// The share of a note's duration that sounds, from the on-time tables: the table entry
/// of the note value, or a linear interpolation in the reciprocal of the duration between
/// the two neighbouring note values. Staccato level 0 reads the normal table of ratios, any
/// other level the staccato table.
float onTimeRatio(const cDuration& dur, uint8_t staccatoLevel, const OnTimeRatios& ratios);

} // namespace notaro
