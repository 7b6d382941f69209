#include "playback/FluidSynthMidiOut.h"

#include "playback/FluidSynthEngine.h"
#include "playback/MidiSettings.h"

#include <filesystem>
#include <system_error>

namespace notaro::playback {

std::vector<std::string> FluidSynthMidiOut::defaultAudioDrivers() {
    // PipeWire desktops serve the PulseAudio protocol too.
    return {"pulseaudio", "alsa"};
}

FluidSynthMidiOut::FluidSynthMidiOut(std::shared_ptr<FluidSynthEngine> engine,
                                     std::string soundFont, std::vector<std::string> audioDrivers,
                                     std::string fileOutput)
    : engine_(std::move(engine)),
      soundFont_(soundFont.empty() ? findSoundFont() : std::move(soundFont)),
      audioDrivers_(std::move(audioDrivers)), fileOutput_(std::move(fileOutput)) {}

FluidSynthMidiOut::~FluidSynthMidiOut() {
    close();
}

void FluidSynthMidiOut::prepare() {
    if (!soundFont_.empty())
        engine_->prepareAsync(soundFont_, audioDrivers_, fileOutput_);
}

PlaybackResult FluidSynthMidiOut::doOpen() {
    std::error_code ec;
    if (soundFont_.empty() || !std::filesystem::is_regular_file(soundFont_, ec))
        return PlaybackResult::NoSoundFont;
    return engine_->acquire(soundFont_, audioDrivers_, fileOutput_);
}

PlaybackResult FluidSynthMidiOut::doShortMsg(uint32_t msg) {
    return sendShortMsgToSynth(engine_->synth(), msg);
}

void FluidSynthMidiOut::doClose() {
    engine_->release();
}

} // namespace notaro::playback
