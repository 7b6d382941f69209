#pragma once

#include "midi/OnTimeRatios.h"

#include <string>
#include <vector>

namespace notaro {

/// Names and defaults of the settings that hold the tables.
namespace settingsKeys {
inline constexpr char kOnRatiosSection[] = "OnRatios";
inline constexpr char kNormal[] = "Normal";
inline constexpr char kStaccato[] = "Staccato";
inline constexpr char kNormalDefault[] = "0.95, 0.92, 0.90, 0.95, 0.95, 0.92, 0.88, 0.80, 0.80";
inline constexpr char kStaccatoDefault[] = "0.35, 0.35, 0.35, 0.45, 0.67, 0.67, 0.67, 0.67, 0.67";
} // namespace settingsKeys

/// The settings file: $XDG_CONFIG_HOME/notaro/para.ini, or ~/.config/notaro/para.ini.
std::string paraIniPath();

/// Reads both tables from para.ini into out (defaults for missing keys). A table whose value is
/// not nine numbers from 0.1 to 1.0 is refused as a whole: that table gets its defaults, so the
/// window, play, render and midi all sound the same file the same way.
/// @return one line per refused table naming the file, the key and the value; empty when both
/// tables were taken
std::vector<std::string> loadOnRatios(OnTimeRatios& out);
/// Writes both tables to para.ini as shortest decimal texts joined by ", ".
bool saveOnRatios(const OnTimeRatios& ratios);
/// The table as para.ini stores it, for example "0.95, 0.92, 0.9, ...".
std::string onRatioText(const OnRatioTable& table);
/// The shortest decimal text that reads back as the same 32-bit float.
std::string shortestFloatText(float value);

} // namespace notaro
