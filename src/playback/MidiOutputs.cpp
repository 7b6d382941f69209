#include "playback/MidiOutputs.h"

#include "playback/FluidSynthMidiOut.h"
#include "playback/MidiSettings.h"
#include "playback/RtMidiPortOut.h"

#include <algorithm>
#include <cctype>

namespace notaro::playback {

bool isBuiltinOutput(const std::string& name) {
    const std::string b = midiKeys::kBuiltin;
    return name.size() == b.size() &&
           std::equal(name.begin(), name.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == y;
           });
}

std::unique_ptr<MidiOutDevice> makeMidiOut(const std::shared_ptr<FluidSynthEngine>& engine,
                                           const std::string& name) {
    const std::string chosen = name.empty() ? midiOutputSetting() : name;
    if (isBuiltinOutput(chosen))
        return std::make_unique<FluidSynthMidiOut>(engine);
    return std::make_unique<RtMidiPortOut>(chosen);
}

PlaybackResult listMidiOutputs(std::vector<MidiOutputInfo>& outputs) {
    outputs.clear();
    const std::string setting = midiOutputSetting();
    const std::string soundFont = findSoundFont();
    outputs.push_back({midiKeys::kBuiltin,
                       "built-in synthesizer (FluidSynth), SoundFont " +
                           (soundFont.empty() ? "(none found)" : soundFont),
                       isBuiltinOutput(setting)});
    std::vector<std::string> ports;
    const PlaybackResult rc = RtMidiPortOut::listPorts(ports);
    const int32_t chosen =
        isBuiltinOutput(setting) ? RtMidiPortOut::kNoPort : RtMidiPortOut::findPort(ports, setting);
    for (size_t i = 0; i < ports.size(); ++i)
        outputs.push_back({ports[i], "ALSA sequencer port", static_cast<int32_t>(i) == chosen});
    return rc;
}

} // namespace notaro::playback
