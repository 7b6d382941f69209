#pragma once

#include "playback/MidiOutDevice.h"

#include <memory>
#include <string>
#include <vector>

namespace notaro::playback {

class FluidSynthEngine;

/// The built-in synthesizer, the default output: FluidSynth with a General MIDI SoundFont,
/// sounding through the desktop's audio server (PulseAudio or PipeWire) or else ALSA.
///
/// The engine's audio output is shared by every device given that engine and stays running
/// between plays: close() silences and resets the synthesizer, which ends every sound within
/// one audio block plus the output latency, and never waits on the audio server. Each device
/// holds its engine, so the engine outlives the last device that uses it.
class FluidSynthMidiOut : public MidiOutDevice {
public:
    /// Audio drivers tried in order when none are given.
    static std::vector<std::string> defaultAudioDrivers();

    /// engine: the synthesizer that sounds (not null).
    /// soundFont: the SoundFont file, or "" for the one the settings name (findSoundFont).
    /// audioDrivers: tried in order; fileOutput: where the "file" driver writes.
    explicit FluidSynthMidiOut(std::shared_ptr<FluidSynthEngine> engine, std::string soundFont = {},
                               std::vector<std::string> audioDrivers = defaultAudioDrivers(),
                               std::string fileOutput = "/dev/null");
    ~FluidSynthMidiOut() override;

    /// Starts loading the synthesizer and its audio output on a worker thread, so that a later
    /// open() is quick; open() waits for the job if it still runs. Returns at once.
    void prepare();

    /// The SoundFont this device uses ("" when none was found).
    const std::string& soundFont() const noexcept { return soundFont_; }

protected:
    PlaybackResult doOpen() override;
    PlaybackResult doShortMsg(uint32_t msg) override;
    void doClose() override;

private:
    std::shared_ptr<FluidSynthEngine> engine_;
    std::string soundFont_;
    std::vector<std::string> audioDrivers_;
    std::string fileOutput_;
};

} // namespace notaro::playback
