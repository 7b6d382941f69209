#pragma once

#include <array>
#include <string>

namespace notaro {

/// On-time ratio tables: index 0 is the double whole note, index 8 the 128th note.
using OnRatioTable = std::array<float, 9>;

/// Ratios for notes played normally. They start at the defaults, so that a missing or
/// damaged settings file can never leave a note with no sounding time at all.
extern OnRatioTable onRatioNormal;
/// Ratios for staccato notes, starting at the defaults.
extern OnRatioTable onRatioStaccato;

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

/// Reads both tables from para.ini (defaults for missing keys). Stops at the first piece that
/// is not a number, or when a key has fewer than nine, and returns false; the entries read
/// before it keep their new values.
bool loadOnRatios();
/// Writes both tables to para.ini as shortest decimal texts joined by ", ".
bool saveOnRatios();
/// Fills two tables with the default ratios.
void defaultOnRatios(OnRatioTable& normal, OnRatioTable& staccato);
/// The table as para.ini stores it, for example "0.95, 0.92, 0.9, ...".
std::string onRatioText(const OnRatioTable& table);
/// The shortest decimal text that reads back as the same 32-bit float.
std::string shortestFloatText(float value);

} // namespace notaro
