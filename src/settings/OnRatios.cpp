#include "settings/OnRatios.h"

#include "base/TextUtil.h"
#include "settings/cInifile.h"

#include <charconv>
#include <cstdlib>
#include <pwd.h>
#include <unistd.h>
#include <vector>

namespace notaro {

namespace {

bool loadTable(cInifile& ini, const char* key, const char* defaultText, OnRatioTable& table) {
    ini.setKey(key);
    ini.setDefault(defaultText);
    const std::string value(text::trimBlanks(ini.Value()));
    std::vector<std::string_view> pieces;
    for (std::string_view rest = value;;) {
        const size_t comma = rest.find(',');
        pieces.push_back(rest.substr(0, comma));
        if (comma == std::string_view::npos)
            break;
        rest.remove_prefix(comma + 1);
    }
    for (size_t i = 0; i < table.size(); ++i) {
        float v = 0;
        if (i >= pieces.size() || !text::readNumber(pieces[i], v))
            return false;
        table[i] = v;
    }
    return true;
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

bool loadOnRatios(OnTimeRatios& out) {
    cInifile ini;
    ini.setPath(paraIniPath());
    ini.setSection(settingsKeys::kOnRatiosSection);
    if (!loadTable(ini, settingsKeys::kNormal, settingsKeys::kNormalDefault, out.normal))
        return false;
    return loadTable(ini, settingsKeys::kStaccato, settingsKeys::kStaccatoDefault, out.staccato);
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
