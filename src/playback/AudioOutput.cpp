#include "playback/AudioOutput.h"

#include "playback/PulseAudioStream.h"

#include <fluidsynth.h>

#include <algorithm>

namespace notaro::playback {

AudioOutput::AudioOutput(fluid_synth_t* synth, std::string driverName)
    : synth_(synth), driverName_(std::move(driverName)) {}

std::unique_ptr<AudioOutput> AudioOutput::start(fluid_settings_t* settings, fluid_synth_t* synth,
                                                const std::vector<std::string>& drivers,
                                                const std::string& fileOutput) {
    for (const std::string& name : drivers) {
        if (fluid_settings_setstr(settings, "audio.driver", name.c_str()) != FLUID_OK)
            continue;
        std::unique_ptr<AudioOutput> out(new AudioOutput(synth, name));
        if (name == "pulseaudio") {
            double rate = 44100;
            int period = 1024, periods = 2;
            fluid_settings_getnum(settings, "synth.sample-rate", &rate);
            fluid_settings_getint(settings, "audio.period-size", &period);
            fluid_settings_getint(settings, "audio.periods", &periods);
            AudioOutput* raw = out.get();
            out->pulse_ = PulseAudioStream::open(
                static_cast<unsigned>(rate), static_cast<size_t>(period) * periods,
                static_cast<size_t>(period),
                [raw](float* samples, size_t frames) { raw->renderInterleaved(samples, frames); });
            if (out->pulse_)
                return out; // paused until the engine unmutes it
            continue;
        }
        if (name == "file") {
            // The file driver has no callback mode; it renders the synthesizer itself.
            fluid_settings_setstr(settings, "audio.file.name", fileOutput.c_str());
            out->driver_ = new_fluid_audio_driver(settings, synth);
        } else {
            out->driver_ = new_fluid_audio_driver2(settings, &AudioOutput::render, out.get());
        }
        if (out->driver_)
            return out;
    }
    return nullptr;
}

AudioOutput::~AudioOutput() {
    pulse_.reset();
    if (driver_)
        delete_fluid_audio_driver(driver_);
}

void AudioOutput::setMuted(bool muted) {
    muted_.store(muted, std::memory_order_relaxed);
    if (pulse_)
        pulse_->setRunning(!muted);
}

double AudioOutput::latencyMs() const {
    return pulse_ ? pulse_->latencyMs() : -1.0;
}

void AudioOutput::renderInterleaved(float* samples, size_t frames) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!synth_ || muted_.load(std::memory_order_relaxed)) {
        std::fill_n(samples, 2 * frames, 0.0f);
        return;
    }
    // The synthesizer mixes its reverb and chorus into the two channels itself.
    fluid_synth_write_float(synth_, static_cast<int>(frames), samples, 0, 2, samples, 1, 2);
}

void AudioOutput::detach() {
    if (driverName_ == "file") {
        if (driver_)
            delete_fluid_audio_driver(driver_);
        driver_ = nullptr;
        return;
    }
    std::lock_guard<std::mutex> lock(mutex_);
    synth_ = nullptr;
}

int AudioOutput::render(void* data, int len, int /*nfx*/, float* /*fx*/[], int nout, float* out[]) {
    auto* self = static_cast<AudioOutput*>(data);
    // The driver hands over its buffers as they were after the last block.
    for (int i = 0; i < nout; ++i)
        std::fill_n(out[i], len, 0.0f);
    std::lock_guard<std::mutex> lock(self->mutex_);
    if (!self->synth_ || nout < 2)
        return FLUID_OK;
    // Reverb and chorus are mixed into the two dry channels, as the synthesizer's own
    // rendering into an audio driver does.
    float* effects[4] = {out[0], out[1], out[0], out[1]};
    const int rc = fluid_synth_process(self->synth_, len, 4, effects, 2, out);
    if (self->muted_.load(std::memory_order_relaxed))
        for (int i = 0; i < nout; ++i)
            std::fill_n(out[i], len, 0.0f);
    return rc;
}

} // namespace notaro::playback
