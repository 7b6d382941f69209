#pragma once

#include "MidiOutDevice.h"

#include <string>
#include <vector>

namespace notaro::playback {

/// The built-in synthesizer, the default output: FluidSynth with a General MIDI SoundFont,
/// sounding through the desktop's audio server (PulseAudio or PipeWire) or else ALSA.
class FluidSynthMidiOut : public MidiOutDevice {
public:
    /// Audio drivers tried in order when none are given.
    static std::vector<std::string> defaultAudioDrivers();

    /// soundFont: the SoundFont file, or "" for the one the settings name (findSoundFont).
    /// audioDrivers: tried in order; fileOutput: where the "file" driver writes.
    explicit FluidSynthMidiOut(std::string soundFont = {},
                               std::vector<std::string> audioDrivers = defaultAudioDrivers(),
                               std::string fileOutput = "/dev/null");
    ~FluidSynthMidiOut() override;

    /// The SoundFont this device uses ("" when none was found).
    const std::string& soundFont() const noexcept { return soundFont_; }

protected:
    int32_t doOpen() override;
    int32_t doShortMsg(uint32_t msg) override;
    void doClose() override;

private:
    std::string soundFont_;
    std::vector<std::string> audioDrivers_;
    std::string fileOutput_;
};

} // namespace notaro::playback
