#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

typedef struct _fluid_hashtable_t fluid_settings_t;
typedef struct _fluid_synth_t fluid_synth_t;
typedef struct _fluid_audio_driver_t fluid_audio_driver_t;

namespace notaro::playback {

class PulseAudioStream;

/// One running audio output that sounds a synthesizer: for "pulseaudio" a stream of our own
/// (PulseAudioStream) that pauses while the output is muted, so that a silent program costs
/// nothing; for any other name a FluidSynth audio driver.
///
/// Deleting a driver waits for the audio server (over a second with some servers), so the
/// engine may hand a stopped output to another thread to delete. detach() makes that safe:
/// afterwards the driver's thread no longer touches the synthesizer (it plays silence), so a
/// new output can sound the same synthesizer while the old one is still being deleted.
class AudioOutput {
public:
    /// Starts the first of drivers that works ("pulseaudio", "alsa", "file", ...) with the
    /// audio settings in settings; fileOutput names the file of the "file" driver.
    /// @return the output, or null when no driver started
    static std::unique_ptr<AudioOutput> start(fluid_settings_t* settings, fluid_synth_t* synth,
                                              const std::vector<std::string>& drivers,
                                              const std::string& fileOutput);
    /// Deletes the driver; may wait on the audio server.
    ~AudioOutput();
    AudioOutput(const AudioOutput&) = delete;
    AudioOutput& operator=(const AudioOutput&) = delete;

    /// Stops sounding the synthesizer; returns within one audio block. A driver that cannot
    /// play silence by itself (the file driver) is deleted here, which is as quick.
    void detach();

    /// While muted the output plays exact silence from its next block on. The synthesizer is
    /// still rendered, so that what is left of it (the reverb's last traces) dies away
    /// unheard instead of sounding at the next unmute. The file driver renders
    /// by itself and is never muted.
    /// A muted PulseAudio stream is paused as well, and asks for no samples at all.
    void setMuted(bool muted);

    /// How long a sample rendered now takes to be heard, in milliseconds, as the audio server
    /// reports it; negative when the output cannot tell.
    double latencyMs() const;

    /// The driver's name, e.g. "pulseaudio".
    const std::string& driverName() const noexcept { return driverName_; }

private:
    AudioOutput(fluid_synth_t* synth, std::string driverName);
    static int render(void* data, int len, int nfx, float* fx[], int nout, float* out[]);
    void renderInterleaved(float* samples, size_t frames);

    std::mutex mutex_; // held while a block is rendered, and by detach()
    fluid_synth_t* synth_ = nullptr;
    std::atomic<bool> muted_{false};
    fluid_audio_driver_t* driver_ = nullptr;
    std::unique_ptr<PulseAudioStream> pulse_;
    std::string driverName_;
};

} // namespace notaro::playback
