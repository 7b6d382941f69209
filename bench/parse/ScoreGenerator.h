#pragma once

#include <cstdint>
#include <string>

namespace notaro::bench {

/// A score text of about `notes` notes and rests: mixed note values (dotted, tuplets),
/// accidentals and quarter tones, ties, slurs, staccato, comment lines, tempo changes, and a
/// definition used many times so that part of the notes come from expansion.
std::string generateScore(int64_t notes);

} // namespace notaro::bench
