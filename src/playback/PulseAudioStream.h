#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

typedef struct pa_threaded_mainloop pa_threaded_mainloop;
typedef struct pa_context pa_context;
typedef struct pa_stream pa_stream;

namespace notaro::playback {

/// A stereo stream of 32-bit float samples to the PulseAudio server (or PipeWire's PulseAudio
/// service), filled by a callback on the stream's own thread.
///
/// The stream starts paused and may be paused whenever nothing sounds: a paused stream asks
/// for no samples, so its thread sleeps and the program costs no processor time. Resuming drops
/// what was queued before the pause, so the next sound starts at once. The server is asked
/// for the samples bufferFrames ahead in blocks of blockFrames: fewer, larger blocks wake the
/// process less often and raise the output latency, which latencyMs() reports for delaying
/// whatever must appear together with the sound.
class PulseAudioStream {
public:
    /// Fills frames frames of interleaved left/right samples.
    using Render = std::function<void(float* samples, size_t frames)>;

    /// Connects to the server (never starting one) and makes the paused stream.
    /// @return the stream, or null when no server answered
    static std::unique_ptr<PulseAudioStream> open(unsigned sampleRate, size_t bufferFrames,
                                                  size_t blockFrames, Render render);
    /// Disconnects at once: what is still queued is dropped, nothing waits for it to play.
    ~PulseAudioStream();
    PulseAudioStream(const PulseAudioStream&) = delete;
    PulseAudioStream& operator=(const PulseAudioStream&) = delete;

    /// Resumes (true) or pauses (false) the stream; returns without waiting for the server.
    void setRunning(bool running);
    bool running() const { return running_; }
    /// How long a sound started now takes to be heard, in milliseconds: the samples written
    /// and not yet played (the next block is rendered behind them) plus the device's own
    /// latency as the server last reported it; 0 while paused.
    double latencyMs() const;

private:
    PulseAudioStream() = default;
    static void onContextState(pa_context* context, void* self);
    static void onStreamState(pa_stream* stream, void* self);
    static void onWrite(pa_stream* stream, size_t bytes, void* self);

    pa_threaded_mainloop* loop_ = nullptr;
    pa_context* context_ = nullptr;
    pa_stream* stream_ = nullptr;
    Render render_;
    unsigned sampleRate_ = 0;
    size_t blockFrames_ = 0;
    size_t bufferFrames_ = 0;
    size_t framesSinceTiming_ = 0;
    bool running_ = false;
    // Since the last resume: frames written, and when the first of them was written (steady
    // clock, ns; 0 before), for the queue's length at any moment.
    std::atomic<uint64_t> framesWritten_{0};
    std::atomic<int64_t> firstWriteNs_{0};
};

} // namespace notaro::playback
