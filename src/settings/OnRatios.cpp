#include "settings/OnRatios.h"

#include "base/TextUtil.h"
#include "settings/cInifile.h"

#include <charconv>
#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace notaro {

namespace {

/// The lowest and highest ratio a table may hold, as the on-time dialog accepts them.
constexpr float kLowestRatio = 0.1f;
constexpr float kHighestRatio = 1.0f;

bool readTable(std::string_view value, OnRatioTable& table) {
    OnRatioTable read{};
    size_t count = 0;
    for (std::string_view rest = value;;) {
        const size_t comma = rest.find(',');
        float v = 0;
        if (count == read.size() || !text::readNumber(rest.substr(0, comma), v) ||
            !(v >= kLowestRatio && v <= kHighestRatio))
            return false;
        read[count++] = v;
        if (comma == std::string_view::npos)
            break;
        rest.remove_prefix(comma + 1);
    }
    if (count != read.size())
        return false;
    table = read;
    return true;
}

void loadTable(cInifile& ini, const char* key, const char* defaultText, OnRatioTable& table,
               std::vector<std::string>& problems) {
    ini.setKey(key);
    ini.setDefault(defaultText);
    const std::string value(text::trimBlanks(ini.Value()));
    if (readTable(value, table))
        return;
    (void)readTable(defaultText, table);
    problems.push_back(ini.Path() + ": [" + settingsKeys::kOnRatiosSection + "] " + key + "=" +
                       value + " is refused (nine on-time ratios from 0.1 to 1.0 expected); " +
                       "the default " + key + " table is used.");
}

} // namespace

std::string paraIniPath() {
    std::string base;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg == '/') {
        base = xdg;
    } else {
        const char* home = std::getenv("HOME");
        if (!home || !*home) {
            const passwd* pw = getpwuid(getuid());
            home = pw ? pw->pw_dir : "/tmp";
        }
        base = std::string(home) + "/.config";
    }
    return base + "/notaro/para.ini";
}

std::vector<std::string> loadOnRatios(OnTimeRatios& out) {
    cInifile ini;
    ini.setPath(paraIniPath());
    ini.setSection(settingsKeys::kOnRatiosSection);
    std::vector<std::string> problems;
    loadTable(ini, settingsKeys::kNormal, settingsKeys::kNormalDefault, out.normal, problems);
    loadTable(ini, settingsKeys::kStaccato, settingsKeys::kStaccatoDefault, out.staccato, problems);
    return problems;
}

bool saveOnRatios(const OnTimeRatios& ratios) {
    cInifile ini;
    ini.setPath(paraIniPath());
    ini.setSection(settingsKeys::kOnRatiosSection);
    ini.setKey(settingsKeys::kNormal);
    ini.setValue(onRatioText(ratios.normal));
    if (!ini.Success())
        return false;
    ini.setKey(settingsKeys::kStaccato);
    ini.setValue(onRatioText(ratios.staccato));
    return ini.Success();
}

std::string shortestFloatText(float value) {
    char buf[32];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value);
    return ec == std::errc() ? std::string(buf, end) : std::string("0");
}

std::string onRatioText(const OnRatioTable& table) {
    std::string s;
    for (size_t i = 0; i < table.size(); ++i) {
        if (i)
            s += ", ";
        s += shortestFloatText(table[i]);
    }
    return s;
}

} // namespace notaro
