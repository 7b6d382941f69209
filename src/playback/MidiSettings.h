#pragma once

#include <string>
#include <vector>

namespace notaro::playback {

/// Names and values of the MIDI output settings in para.ini.
namespace midiKeys {
inline constexpr char kSection[] = "Midi";
/// The output: a MIDI port name (or part of one); "builtin" or absent means the synthesizer.
inline constexpr char kOutput[] = "Output";
/// The SoundFont file of the built-in synthesizer.
inline constexpr char kSoundFont[] = "SoundFont";
inline constexpr char kBuiltin[] = "builtin";
} // namespace midiKeys

/// The General MIDI SoundFonts that Debian packages install, in order of preference.
std::vector<std::string> debianSoundFonts();

/// The value of [Midi] Output in para.ini; "builtin" when it is missing or empty.
std::string midiOutputSetting();

/// Writes name as [Midi] Output in para.ini, keeping every other line of the file.
/// @return false when para.ini could not be read or replaced (it is then unchanged), or when
///         name holds a line break, which would make a second line of it
bool saveMidiOutputSetting(const std::string& name);

/// The SoundFont of the built-in synthesizer: [Midi] SoundFont in para.ini when set, else the
/// first of the Debian SoundFonts that exists; "" when there is none.
std::string findSoundFont();

} // namespace notaro::playback
