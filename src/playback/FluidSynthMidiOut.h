#pragma once

#include "playback/MidiOutDevice.h"

#include <string>
#include <vector>

namespace notaro::playback {

/// The built-in synthesizer, the default output: FluidSynth with a General MIDI SoundFont,
/// sounding through the desktop's audio server (PulseAudio or PipeWire) or else ALSA.
///
/// The audio output is shared by every device and stays running between plays: close()
/// silences and resets the synthesizer, which ends every sound within one audio block plus
/// the output latency, and never waits on the audio server.
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

    /// Starts loading the synthesizer and its audio output on a worker thread, so that a later
    /// open() is quick; open() waits for the job if it still runs. Returns at once.
    void prepare();

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
