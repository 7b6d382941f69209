#include "cli/PracticeArgs.h"

#include <sstream>

namespace notaro::cli {

namespace {

constexpr int32_t kMaxPasses = 9999;

/// Reads text into value when it is a whole number from min to max; an empty text (the option
/// was not given) keeps value.
bool readInRange(const std::string& text, int32_t min, int32_t max, int32_t& value) {
    if (text.empty())
        return true;
    int32_t n = 0;
    if (!readWholeNumber(text, n) || n < min || n > max)
        return false;
    value = n;
    return true;
}

bool readRamp(const std::string& text, playback::TempoRamp& ramp) {
    const size_t first = text.find(':');
    const size_t second = first == std::string::npos ? first : text.find(':', first + 1);
    if (second == std::string::npos)
        return false;
    ramp.on = true;
    return readWholeNumber(text.substr(0, first), ramp.startPercent) &&
           readWholeNumber(text.substr(first + 1, second - first - 1), ramp.stepPercent) &&
           readWholeNumber(text.substr(second + 1), ramp.ceilingPercent) && ramp.isValid();
}

} // namespace

std::vector<ValueOption> PracticeArgs::options() {
    return {{{"--tempo"}, &tempo_}, {{"--loop"}, &loop_},
            {{"--ramp"}, &ramp_},   {{"--count-in"}, &countIn_},
            {{"--beats"}, &beats_}, {{"--click"}, {}, {}, 0, 0, &click_}};
}

bool PracticeArgs::read(playback::PracticeOptions& practice, std::ostream& err) const {
    using playback::PracticeOptions;
    practice = PracticeOptions();
    practice.click = click_;
    if (!readInRange(tempo_, playback::kMinTempoPercent, playback::kMaxTempoPercent,
                     practice.tempoPercent)) {
        err << "--tempo " << tempo_ << ": The tempo must be a whole percent from "
            << playback::kMinTempoPercent << " to " << playback::kMaxTempoPercent << ".\n";
        return false;
    }
    if (!readInRange(loop_, 1, kMaxPasses, practice.passes)) {
        err << "--loop " << loop_ << ": The number of passes must be a whole number from 1 to "
            << kMaxPasses << ".\n";
        return false;
    }
    if (!readInRange(countIn_, 1, PracticeOptions::kMaxCountInBars, practice.countInBars)) {
        err << "--count-in " << countIn_ << ": The count-in must be 1 or 2 bars.\n";
        return false;
    }
    if (!readInRange(beats_, PracticeOptions::kMinBeatsPerBar, PracticeOptions::kMaxBeatsPerBar,
                     practice.beatsPerBar)) {
        err << "--beats " << beats_ << ": The beats in a bar must be a whole number from "
            << PracticeOptions::kMinBeatsPerBar << " to " << PracticeOptions::kMaxBeatsPerBar
            << ".\n";
        return false;
    }
    if (!ramp_.empty() && !tempo_.empty()) {
        err << "--ramp " << ramp_ << ": The ramp sets the tempo itself: give --tempo or --ramp.\n";
        return false;
    }
    if (!ramp_.empty() && !readRamp(ramp_, practice.ramp)) {
        err << "--ramp " << ramp_ << ": The ramp must be START:STEP:CEILING in whole percents, "
            << "START and CEILING from " << playback::kMinTempoPercent << " to "
            << playback::kMaxTempoPercent << " with START no more than CEILING, STEP from 1 to "
            << "100.\n";
        return false;
    }
    return true;
}

} // namespace notaro::cli
