#include "playback/PulseAudioStream.h"

#include <pulse/pulseaudio.h>

#include <algorithm>
#include <chrono>

namespace notaro::playback {

namespace {

constexpr size_t kBytesPerFrame = 2 * sizeof(float);

int64_t nowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

/// Waits on the loop (locked by the caller) until ready() or failed() holds.
template <class Ready, class Failed>
bool waitFor(pa_threaded_mainloop* loop, Ready ready, Failed failed) {
    while (!ready()) {
        if (failed())
            return false;
        pa_threaded_mainloop_wait(loop);
    }
    return true;
}

void forget(pa_operation* op) {
    if (op)
        pa_operation_unref(op);
}

} // namespace

std::unique_ptr<PulseAudioStream> PulseAudioStream::open(unsigned sampleRate, size_t bufferFrames,
                                                         size_t blockFrames, Render render) {
    std::unique_ptr<PulseAudioStream> s(new PulseAudioStream);
    s->render_ = std::move(render);
    s->sampleRate_ = sampleRate;
    s->blockFrames_ = blockFrames;
    s->bufferFrames_ = bufferFrames;
    s->loop_ = pa_threaded_mainloop_new();
    if (!s->loop_)
        return nullptr;
    s->context_ = pa_context_new(pa_threaded_mainloop_get_api(s->loop_), "notaro");
    if (!s->context_)
        return nullptr;
    pa_context_set_state_callback(s->context_, &PulseAudioStream::onContextState, s.get());
    if (pa_context_connect(s->context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0 ||
        pa_threaded_mainloop_start(s->loop_) < 0)
        return nullptr;
    pa_threaded_mainloop_lock(s->loop_);
    const auto unlock = [&s] { pa_threaded_mainloop_unlock(s->loop_); };
    pa_context* c = s->context_;
    if (!waitFor(
            s->loop_, [c] { return pa_context_get_state(c) == PA_CONTEXT_READY; },
            [c] { return !PA_CONTEXT_IS_GOOD(pa_context_get_state(c)); })) {
        unlock();
        return nullptr;
    }
    const pa_sample_spec spec{PA_SAMPLE_FLOAT32NE, sampleRate, 2};
    s->stream_ = pa_stream_new(c, "notaro", &spec, nullptr);
    if (!s->stream_) {
        unlock();
        return nullptr;
    }
    pa_stream_set_state_callback(s->stream_, &PulseAudioStream::onStreamState, s.get());
    pa_stream_set_write_callback(s->stream_, &PulseAudioStream::onWrite, s.get());
    pa_buffer_attr attr{};
    attr.maxlength = static_cast<uint32_t>(-1);
    attr.tlength = static_cast<uint32_t>(bufferFrames * kBytesPerFrame);
    // Playing starts with the first block, not once the whole buffer is full.
    attr.prebuf = static_cast<uint32_t>(blockFrames * kBytesPerFrame);
    attr.minreq = static_cast<uint32_t>(blockFrames * kBytesPerFrame);
    attr.fragsize = static_cast<uint32_t>(-1);
    const auto flags = static_cast<pa_stream_flags_t>(
        PA_STREAM_START_CORKED | PA_STREAM_INTERPOLATE_TIMING | PA_STREAM_ADJUST_LATENCY);
    pa_stream* st = s->stream_;
    if (pa_stream_connect_playback(st, nullptr, &attr, flags, nullptr, nullptr) < 0 ||
        !waitFor(
            s->loop_, [st] { return pa_stream_get_state(st) == PA_STREAM_READY; },
            [st] { return !PA_STREAM_IS_GOOD(pa_stream_get_state(st)); })) {
        unlock();
        return nullptr;
    }
    unlock();
    return s;
}

PulseAudioStream::~PulseAudioStream() {
    if (!loop_)
        return;
    pa_threaded_mainloop_lock(loop_);
    if (stream_) {
        pa_stream_set_write_callback(stream_, nullptr, nullptr);
        pa_stream_set_state_callback(stream_, nullptr, nullptr);
        pa_stream_disconnect(stream_);
        pa_stream_unref(stream_);
    }
    if (context_) {
        pa_context_set_state_callback(context_, nullptr, nullptr);
        pa_context_disconnect(context_);
        pa_context_unref(context_);
    }
    pa_threaded_mainloop_unlock(loop_);
    pa_threaded_mainloop_stop(loop_);
    pa_threaded_mainloop_free(loop_);
}

void PulseAudioStream::setRunning(bool running) {
    pa_threaded_mainloop_lock(loop_);
    if (running != running_ && PA_STREAM_IS_GOOD(pa_stream_get_state(stream_))) {
        running_ = running;
        // Whatever was queued before the pause would only delay the new sound.
        if (running)
            forget(pa_stream_flush(stream_, nullptr, nullptr));
        forget(pa_stream_cork(stream_, running ? 0 : 1, nullptr, nullptr));
        if (running) {
            framesSinceTiming_ = 0;
            framesWritten_ = 0;
            firstWriteNs_ = 0;
            forget(pa_stream_update_timing_info(stream_, nullptr, nullptr));
        }
    }
    pa_threaded_mainloop_unlock(loop_);
}

double PulseAudioStream::latencyMs() const {
    pa_threaded_mainloop_lock(loop_);
    const bool running = running_;
    const pa_timing_info* timing = pa_stream_get_timing_info(stream_);
    const double deviceMs = timing ? timing->sink_usec / 1000.0 : 0.0;
    pa_threaded_mainloop_unlock(loop_);
    const int64_t first = firstWriteNs_;
    if (!running)
        return 0.0;
    // Just resumed: a buffer of silence is about to be queued ahead of the first note.
    if (first == 0)
        return 1000.0 * static_cast<double>(bufferFrames_) / sampleRate_ + deviceMs;
    // Playing starts with the first block written after a resume, and goes on at the sample
    // rate; what is written beyond that is still queued.
    const double writtenMs = 1000.0 * static_cast<double>(framesWritten_) / sampleRate_;
    const double playedMs = (nowNs() - first) / 1e6;
    return std::max(0.0, writtenMs - playedMs) + deviceMs;
}

void PulseAudioStream::onContextState(pa_context*, void* self) {
    pa_threaded_mainloop_signal(static_cast<PulseAudioStream*>(self)->loop_, 0);
}

void PulseAudioStream::onStreamState(pa_stream*, void* self) {
    pa_threaded_mainloop_signal(static_cast<PulseAudioStream*>(self)->loop_, 0);
}

void PulseAudioStream::onWrite(pa_stream* stream, size_t bytes, void* data) {
    auto* self = static_cast<PulseAudioStream*>(data);
    // Right after a resume the server asks for the whole buffer at once. Rendered as it is, the
    // first note would sound at once and every later one a buffer later, stretching the first
    // beat; so that request is silence, and the first note waits for the next one as every
    // later note does.
    size_t silence = self->framesWritten_ == 0 ? bytes / kBytesPerFrame : 0;
    while (bytes >= kBytesPerFrame) {
        void* buffer = nullptr;
        size_t size = bytes;
        if (pa_stream_begin_write(stream, &buffer, &size) < 0 || !buffer)
            return;
        const size_t frames = size / kBytesPerFrame;
        const size_t quiet = std::min(frames, silence);
        std::fill_n(static_cast<float*>(buffer), quiet * 2, 0.0f);
        if (frames > quiet)
            self->render_(static_cast<float*>(buffer) + quiet * 2, frames - quiet);
        silence -= quiet;
        if (pa_stream_write(stream, buffer, frames * kBytesPerFrame, nullptr, 0, PA_SEEK_RELATIVE) <
            0)
            return;
        if (self->firstWriteNs_ == 0)
            self->firstWriteNs_ = nowNs();
        self->framesWritten_ += frames;
        bytes -= frames * kBytesPerFrame;
        self->framesSinceTiming_ += frames;
    }
    // The latency report is renewed about twice a second while the stream plays.
    if (self->framesSinceTiming_ >= self->sampleRate_ / 2) {
        self->framesSinceTiming_ = 0;
        forget(pa_stream_update_timing_info(stream, nullptr, nullptr));
    }
}

} // namespace notaro::playback
