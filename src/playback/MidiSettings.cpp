#include "playback/MidiSettings.h"

#include "base/TextUtil.h"
#include "settings/OnRatios.h"
#include "settings/cInifile.h"

#include <filesystem>
#include <system_error>

namespace notaro::playback {

namespace {

std::string readMidiKey(const char* key) {
    cInifile ini;
    ini.setPath(paraIniPath());
    ini.setSection(midiKeys::kSection);
    ini.setKey(key);
    return std::string(text::trimBlanks(ini.Value()));
}

} // namespace

std::vector<std::string> debianSoundFonts() {
    return {"/usr/share/sounds/sf2/default-GM.sf2", "/usr/share/sounds/sf2/FluidR3_GM.sf2",
            "/usr/share/sounds/sf2/TimGM6mb.sf2", "/usr/share/soundfonts/default.sf2"};
}

std::string midiOutputSetting() {
    const std::string v = readMidiKey(midiKeys::kOutput);
    return v.empty() ? midiKeys::kBuiltin : v;
}

bool saveMidiOutputSetting(const std::string& name) {
    if (name.find_first_of("\r\n") != std::string::npos)
        return false;
    cInifile ini;
    ini.setPath(paraIniPath());
    ini.setSection(midiKeys::kSection);
    ini.setKey(midiKeys::kOutput);
    ini.setValue(name);
    return ini.Success();
}

std::string findSoundFont() {
    if (std::string configured = readMidiKey(midiKeys::kSoundFont); !configured.empty())
        return configured;
    std::error_code ec;
    for (const std::string& path : debianSoundFonts())
        if (std::filesystem::is_regular_file(path, ec))
            return path;
    return {};
}

} // namespace notaro::playback
