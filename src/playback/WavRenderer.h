#pragma once

#include "midi/tMidiF04.h"
#include "playback/PlaybackCodes.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace notaro::playback {

/// How to render a MIDI file to sound.
struct RenderOptions {
    /// The SoundFont to play with.
    std::string soundFont;
    int32_t sampleRate = 44100;
    /// Most time, after the last event, given to notes to die away.
    double maxTailSeconds = 3.0;
    /// Called now and then with the share done, 0 to 1, on the rendering thread.
    std::function<void(double)> progress;
    /// When set, read before every chunk of at most 4096 frames (a few milliseconds of work):
    /// once true the rendering stops and leaves no file. Another thread may raise it.
    const std::atomic<bool>* cancel = nullptr;
};

/// What a rendering produced.
struct RenderStats {
    int64_t frames = 0;
    int64_t events = 0;
    /// Exact sample frame of each channel message, in time order.
    std::vector<int64_t> eventFrames;
};

/// Renders a MIDI file offline with FluidSynth to a 16-bit stereo WAV file, far faster than
/// real time. The synthesizer is advanced to each event's own sample before the event is
/// given to it, so events do not wait for the end of a rendering chunk; FluidSynth itself
/// starts a voice at its next 64-frame block, so an event sounds at most 63 frames (1.4 ms)
/// after its exact time. The file is written beside its final name and renamed over it, so a
/// failure or a cancel never leaves a partial WAV or harms an existing file.
/// @return Ok; NoSoundFont when the SoundFont cannot be loaded; Error
///         when the synthesizer cannot be made or the file's times cannot be computed;
///         WriteFailed when the WAV file cannot be written; Cancelled
PlaybackResult renderMidiToWav(const tMidiF04& file, const std::string& wavPath,
                               const RenderOptions& options, RenderStats* stats = nullptr);

} // namespace notaro::playback
