#pragma once

#include <cstdint>
#include <string>

namespace notaro::interchange {

/// A pitch in quarter tones (twice the MIDI key, plus one for a quarter tone up) written in
/// letter names: white keys plain, black keys as sharps or, in flat keys, as flats, and a
/// quarter tone as the white key next to it with "~" (down) or "+" (up), the "~" form first.
/// Pitches beyond the score's octaves 0 to 8 are moved by whole octaves into them; octaveMoved
/// tells whether that happened.
std::string spellPitch(int32_t quarterTones, bool flats, bool& octaveMoved);

} // namespace notaro::interchange
