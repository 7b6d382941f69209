#include "settings/PracticeSettings.h"

#include "base/TextUtil.h"
#include "settings/IniDocument.h"
#include "settings/OnRatios.h"

#include <algorithm>
#include <charconv>

namespace notaro {

namespace {

/// Reads the section once and checks each value as it is taken.
class PracticeReader {
public:
    explicit PracticeReader(std::vector<std::string>& problems) : problems_(problems) {
        path_ = paraIniPath();
        (void)doc_.load(path_);
    }

    void number(const char* key, int32_t lowest, int32_t highest, int32_t& value) {
        const auto text = doc_.value(settingsKeys::kPracticeSection, key);
        if (!text)
            return;
        const std::string_view t = text::trimBlanks(*text);
        int32_t v = 0;
        const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
        if (ec == std::errc() && end == t.data() + t.size() && !t.empty() && v >= lowest &&
            v <= highest) {
            value = v;
            return;
        }
        refuse(key, *text,
               "a whole number from " + std::to_string(lowest) + " to " + std::to_string(highest),
               std::to_string(value));
    }

    void flag(const char* key, bool& value) {
        const auto text = doc_.value(settingsKeys::kPracticeSection, key);
        if (!text)
            return;
        const std::string_view t = text::trimBlanks(*text);
        if (t == "0" || t == "1") {
            value = t == "1";
            return;
        }
        refuse(key, *text, "0 or 1", value ? "1" : "0");
    }

private:
    void refuse(const char* key, const std::string& text, const std::string& expected,
                const std::string& used) {
        problems_.push_back(path_ + ": [" + settingsKeys::kPracticeSection + "] " + key + "=" +
                            text + " is refused (" + expected + " expected); " + used +
                            " is used.");
    }

    std::vector<std::string>& problems_;
    std::string path_;
    IniDocument doc_;
};

} // namespace

bool PracticeSettings::operator==(const PracticeSettings& o) const {
    return loop == o.loop && tempoPercent == o.tempoPercent && countInBars == o.countInBars &&
           click == o.click && beatsPerBar == o.beatsPerBar && ramp == o.ramp &&
           rampStartPercent == o.rampStartPercent && rampStepPercent == o.rampStepPercent &&
           rampCeilingPercent == o.rampCeilingPercent;
}

std::vector<std::string> loadPracticeSettings(PracticeSettings& out) {
    namespace k = settingsKeys;
    using P = PracticeSettings;
    PracticeSettings read;
    std::vector<std::string> problems;
    PracticeReader reader(problems);
    reader.flag(k::kLoop, read.loop);
    reader.number(k::kTempoPercent, P::kMinTempoPercent, P::kMaxTempoPercent, read.tempoPercent);
    reader.number(k::kCountInBars, 0, P::kMaxCountInBars, read.countInBars);
    reader.flag(k::kClick, read.click);
    reader.number(k::kBeatsPerBar, 1, P::kMaxBeatsPerBar, read.beatsPerBar);
    reader.flag(k::kRamp, read.ramp);
    reader.number(k::kRampStartPercent, P::kMinTempoPercent, P::kMaxTempoPercent,
                  read.rampStartPercent);
    reader.number(k::kRampStepPercent, 1, P::kMaxRampStepPercent, read.rampStepPercent);
    // The ceiling is never below the start; a start above the default ceiling raises it.
    read.rampCeilingPercent = std::max(read.rampCeilingPercent, read.rampStartPercent);
    reader.number(k::kRampCeilingPercent, read.rampStartPercent, P::kMaxTempoPercent,
                  read.rampCeilingPercent);
    out = read;
    return problems;
}

bool savePracticeSettings(const PracticeSettings& s) {
    namespace k = settingsKeys;
    const std::string path = paraIniPath();
    IniDocument doc;
    if (!doc.load(path))
        return false;
    const auto put = [&doc](const char* key, int32_t value) {
        doc.setValue(k::kPracticeSection, key, std::to_string(value));
    };
    put(k::kLoop, s.loop);
    put(k::kTempoPercent, s.tempoPercent);
    put(k::kCountInBars, s.countInBars);
    put(k::kClick, s.click);
    put(k::kBeatsPerBar, s.beatsPerBar);
    put(k::kRamp, s.ramp);
    put(k::kRampStartPercent, s.rampStartPercent);
    put(k::kRampStepPercent, s.rampStepPercent);
    put(k::kRampCeilingPercent, s.rampCeilingPercent);
    return doc.save(path);
}

} // namespace notaro
