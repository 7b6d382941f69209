#pragma once

#include <cstdint>
#include <string>
#include <vector>

typedef struct _fluid_hashtable_t fluid_settings_t;
typedef struct _fluid_synth_t fluid_synth_t;
typedef struct _fluid_audio_driver_t fluid_audio_driver_t;

namespace notaro::playback {

/// The process's one FluidSynth synthesizer. Its SoundFont is loaded on first use and kept
/// for the rest of the run, so that every later Play starts at once. The audio output runs
/// only between startAudio and stopAudio. Use it from one thread.
class FluidSynthEngine {
public:
    static FluidSynthEngine& instance();
    ~FluidSynthEngine();
    FluidSynthEngine(const FluidSynthEngine&) = delete;
    FluidSynthEngine& operator=(const FluidSynthEngine&) = delete;

    /// Starts the audio output with the first of drivers that works ("pulseaudio", "alsa",
    /// "file", ...); fileOutput names the file of the "file" driver.
    /// @return 0, or midiOutRc::kNoDriver (or kError when the synthesizer cannot be made)
    int32_t startAudio(const std::vector<std::string>& drivers, const std::string& fileOutput);
    /// Silences every voice and stops the audio output.
    void stopAudio();
    bool audioRunning() const noexcept { return driver_ != nullptr; }

    /// Loads path unless it is the SoundFont already loaded. @return 0 or midiOutRc::kNoSoundFont
    int32_t useSoundFont(const std::string& path);
    const std::string& soundFont() const noexcept { return soundFontPath_; }

    /// The synthesizer, made on first call; null when FluidSynth fails.
    fluid_synth_t* synth();

private:
    FluidSynthEngine() = default;

    fluid_settings_t* settings_ = nullptr;
    fluid_synth_t* synth_ = nullptr;
    fluid_audio_driver_t* driver_ = nullptr;
    int soundFontId_ = -1;
    std::string soundFontPath_;
};

/// True when the file starts as a SoundFont does ("RIFF", a size, "sfbk"). Checked before
/// FluidSynth reads a file, whose loaders for other formats complain on stderr.
bool isSoundFontFile(const std::string& path);

/// Plays one short message on a synthesizer (also for offline rendering).
/// @return 0, or midiOutRc::kInvalidParam for a message that is not a channel message
int32_t sendShortMsgToSynth(fluid_synth_t* synth, uint32_t msg);

} // namespace notaro::playback
