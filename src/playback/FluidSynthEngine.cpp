#include "FluidSynthEngine.h"

#include "LibraryChatter.h"
#include "MidiOutDevice.h"
#include "ShortMsg.h"

#include <fluidsynth.h>

#include <cstdio>
#include <cstring>

namespace notaro::playback {

FluidSynthEngine& FluidSynthEngine::instance() {
    static FluidSynthEngine engine;
    return engine;
}

FluidSynthEngine::~FluidSynthEngine() {
    stopAudio();
    if (synth_)
        delete_fluid_synth(synth_);
    if (settings_)
        delete_fluid_settings(settings_);
}

fluid_synth_t* FluidSynthEngine::synth() {
    if (synth_)
        return synth_;
    silenceLibraryChatter();
    if (!settings_)
        settings_ = new_fluid_settings();
    if (!settings_)
        return nullptr;
    // The library's default gain (0.2) is too quiet for a single melody line.
    fluid_settings_setnum(settings_, "synth.gain", 0.6);
    synth_ = new_fluid_synth(settings_);
    return synth_;
}

int32_t FluidSynthEngine::startAudio(const std::vector<std::string>& drivers,
                                     const std::string& fileOutput) {
    if (driver_)
        return 0;
    if (!synth())
        return midiOutRc::kError;
    for (const std::string& name : drivers) {
        if (fluid_settings_setstr(settings_, "audio.driver", name.c_str()) != FLUID_OK)
            continue;
        if (name == "file")
            fluid_settings_setstr(settings_, "audio.file.name", fileOutput.c_str());
        driver_ = new_fluid_audio_driver(settings_, synth_);
        if (driver_)
            return 0;
    }
    return midiOutRc::kNoDriver;
}

void FluidSynthEngine::stopAudio() {
    if (synth_)
        fluid_synth_all_sounds_off(synth_, -1);
    if (driver_) {
        delete_fluid_audio_driver(driver_);
        driver_ = nullptr;
    }
}

int32_t FluidSynthEngine::useSoundFont(const std::string& path) {
    if (soundFontId_ >= 0 && path == soundFontPath_)
        return 0;
    if (!synth())
        return midiOutRc::kError;
    if (soundFontId_ >= 0) {
        fluid_synth_sfunload(synth_, soundFontId_, 1);
        soundFontId_ = -1;
        soundFontPath_.clear();
    }
    if (!isSoundFontFile(path))
        return midiOutRc::kNoSoundFont;
    const int id = fluid_synth_sfload(synth_, path.c_str(), 1);
    if (id == FLUID_FAILED)
        return midiOutRc::kNoSoundFont;
    soundFontId_ = id;
    soundFontPath_ = path;
    return 0;
}

bool isSoundFontFile(const std::string& path) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return false;
    char head[12] = {};
    const bool read = std::fread(head, 1, sizeof head, f) == sizeof head;
    std::fclose(f);
    return read && std::memcmp(head, "RIFF", 4) == 0 && std::memcmp(head + 8, "sfbk", 4) == 0;
}

int32_t sendShortMsgToSynth(fluid_synth_t* synth, uint32_t msg) {
    const int ch = statusOf(msg) & 0x0F;
    const int d1 = data1Of(msg) & 0x7F;
    const int d2 = data2Of(msg) & 0x7F;
    // A note-off for a note that is not sounding is not an error for a MIDI output.
    switch (statusOf(msg) & 0xF0) {
    case 0x80:
        fluid_synth_noteoff(synth, ch, d1);
        return 0;
    case 0x90:
        if (d2 == 0)
            fluid_synth_noteoff(synth, ch, d1);
        else
            fluid_synth_noteon(synth, ch, d1, d2);
        return 0;
    case 0xA0:
        fluid_synth_key_pressure(synth, ch, d1, d2);
        return 0;
    case 0xB0:
        fluid_synth_cc(synth, ch, d1, d2);
        return 0;
    case 0xC0:
        fluid_synth_program_change(synth, ch, d1);
        return 0;
    case 0xD0:
        fluid_synth_channel_pressure(synth, ch, d1);
        return 0;
    case 0xE0:
        fluid_synth_pitch_bend(synth, ch, d1 + 128 * d2);
        return 0;
    default:
        return midiOutRc::kInvalidParam;
    }
}

} // namespace notaro::playback
