#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace notaro {

/// Names of the practice settings in para.ini.
namespace settingsKeys {
inline constexpr char kPracticeSection[] = "Practice";
inline constexpr char kLoop[] = "Loop";
inline constexpr char kTempoPercent[] = "TempoPercent";
inline constexpr char kCountInBars[] = "CountInBars";
inline constexpr char kClick[] = "Click";
inline constexpr char kBeatsPerBar[] = "BeatsPerBar";
inline constexpr char kRamp[] = "Ramp";
inline constexpr char kRampStartPercent[] = "RampStartPercent";
inline constexpr char kRampStepPercent[] = "RampStepPercent";
inline constexpr char kRampCeilingPercent[] = "RampCeilingPercent";
} // namespace settingsKeys

/// The practice tools as the window remembers them between runs: looping, the tempo in percent
/// of the score's own, the count-in and click, and the tempo ramp of a loop. The defaults play
/// once, as written.
struct PracticeSettings {
    bool loop = false;
    int32_t tempoPercent = 100;
    /// Bars of clicks before the first note: 0, 1 or 2.
    int32_t countInBars = 0;
    bool click = false;
    /// Quarter-note beats from one accented click to the next.
    int32_t beatsPerBar = 4;
    bool ramp = false;
    int32_t rampStartPercent = 70;
    int32_t rampStepPercent = 5;
    /// At least rampStartPercent.
    int32_t rampCeilingPercent = 100;

    static constexpr int32_t kMinTempoPercent = 25;
    static constexpr int32_t kMaxTempoPercent = 200;
    static constexpr int32_t kMaxCountInBars = 2;
    static constexpr int32_t kMaxBeatsPerBar = 16;
    static constexpr int32_t kMaxRampStepPercent = 100;

    bool operator==(const PracticeSettings& o) const;
    bool operator!=(const PracticeSettings& o) const { return !(*this == o); }
};

/// Reads the [Practice] section of para.ini into out; a missing key takes its default. A value
/// that is not a whole number within its range (or 0 or 1 for a switch) is refused: that setting
/// takes its default, so one bad line never silences the others.
/// @return one line per refused value naming the file, the key, the value and what is used
std::vector<std::string> loadPracticeSettings(PracticeSettings& out);
/// Writes every practice setting to para.ini, keeping the file's other lines.
bool savePracticeSettings(const PracticeSettings& settings);

} // namespace notaro
