#pragma once

#include "playback/MidiOutDevice.h"

#include <memory>
#include <string>
#include <vector>

namespace notaro::playback {

class FluidSynthEngine;

/// One output a user can choose.
struct MidiOutputInfo {
    std::string name;        ///< what para.ini's [Midi] Output (or --output) takes
    std::string description; ///< for people
    bool isDefault = false;  ///< the output used when none is named
};

/// True when name means the built-in synthesizer ("builtin", any case).
bool isBuiltinOutput(const std::string& name);

/// The output device called name: "builtin" is the built-in synthesizer sounding through
/// engine, anything else an ALSA sequencer port whose name contains it; "" means the output
/// para.ini names.
std::unique_ptr<MidiOutDevice> makeMidiOut(const std::shared_ptr<FluidSynthEngine>& engine,
                                           const std::string& name = {});

/// The built-in synthesizer and every ALSA sequencer output port, the default one marked.
/// @return 0, or the code of the port listing when the sequencer is unavailable (the
///         built-in synthesizer is listed all the same)
PlaybackResult listMidiOutputs(std::vector<MidiOutputInfo>& outputs);

} // namespace notaro::playback
