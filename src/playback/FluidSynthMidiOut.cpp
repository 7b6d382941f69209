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
    if (soundFont_.empty()) {
        setFailureReason("No SoundFont was found: install fluid-soundfont-gm, or name one as "
                         "SoundFont in the [Midi] section of para.ini.");
        return PlaybackResult::NoSoundFont;
    }
    const PlaybackResult rc = std::filesystem::is_regular_file(soundFont_, ec)
                                  ? engine_->acquire(soundFont_, audioDrivers_, fileOutput_)
                                  : PlaybackResult::NoSoundFont;
    if (rc == PlaybackResult::NoSoundFont) {
        const std::string problem = soundFontProblem(soundFont_);
        setFailureReason("The SoundFont " + soundFont_ + " could not be loaded: " +
                         (problem.empty() ? "the synthesizer could not read it" : problem) + ".");
    } else if (rc == PlaybackResult::NoDriver) {
        std::string tried;
        for (const std::string& driver : audioDrivers_)
            tried += (tried.empty() ? "" : ", ") + driver;
        setFailureReason("No audio server or sound card answered (tried: " + tried + ").");
    } else if (rc == PlaybackResult::Error) {
        setFailureReason("The synthesizer could not be started.");
    }
    return rc;
}

PlaybackResult FluidSynthMidiOut::doShortMsg(uint32_t msg) {
    return sendShortMsgToSynth(engine_->synth(), msg);
}

void FluidSynthMidiOut::doClose() {
    engine_->release();
}

} // namespace notaro::playback
