#include "FluidSynthMidiOut.h"

#include "FluidSynthEngine.h"
#include "MidiSettings.h"

#include <filesystem>
#include <system_error>

namespace notaro::playback {

std::vector<std::string> FluidSynthMidiOut::defaultAudioDrivers() {
    // PipeWire desktops serve the PulseAudio protocol too.
    return {"pulseaudio", "alsa"};
}

FluidSynthMidiOut::FluidSynthMidiOut(std::string soundFont, std::vector<std::string> audioDrivers,
                                     std::string fileOutput)
    : soundFont_(soundFont.empty() ? findSoundFont() : std::move(soundFont)),
      audioDrivers_(std::move(audioDrivers)), fileOutput_(std::move(fileOutput)) {}

FluidSynthMidiOut::~FluidSynthMidiOut() {
    close();
}

int32_t FluidSynthMidiOut::doOpen() {
    std::error_code ec;
    if (soundFont_.empty() || !std::filesystem::is_regular_file(soundFont_, ec))
        return midiOutRc::kNoSoundFont;
    FluidSynthEngine& engine = FluidSynthEngine::instance();
    // Audio first: without a sound card it fails within milliseconds, before the
    // SoundFont (up to a second for a large one) is loaded for nothing.
    if (const int32_t rc = engine.startAudio(audioDrivers_, fileOutput_); rc != 0)
        return rc;
    if (const int32_t rc = engine.useSoundFont(soundFont_); rc != 0) {
        engine.stopAudio();
        return rc;
    }
    return 0;
}

int32_t FluidSynthMidiOut::doShortMsg(uint32_t msg) {
    return sendShortMsgToSynth(FluidSynthEngine::instance().synth(), msg);
}

void FluidSynthMidiOut::doClose() {
    FluidSynthEngine::instance().stopAudio();
}

} // namespace notaro::playback
