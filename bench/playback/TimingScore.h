#pragma once

#include <cstdint>
#include <string>

namespace notaro::bench {

/// A score of nNotes notes and rests at a fast tempo, with values down to 32nds, ties,
/// slurs, staccato and quarter tones; the same text for the same seed. Lines end with CR LF.
std::string timingScore(int nNotes, uint32_t seed = 7);

} // namespace notaro::bench
