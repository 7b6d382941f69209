#pragma once

#include <cstdint>

namespace notaro::interchange {

/// The General MIDI Level 1 name of a program 0..127 ("Acoustic Grand Piano"); "" outside.
const char* generalMidiName(int32_t program);

} // namespace notaro::interchange
