#pragma once

#include "playback/PlaybackCodes.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

typedef struct _fluid_hashtable_t fluid_settings_t;
typedef struct _fluid_synth_t fluid_synth_t;

namespace notaro::playback {

class AudioOutput;

/// A FluidSynth synthesizer and its audio output, made by its owner (the window, a notaro-cli
/// play) and shared by the built-in synthesizer devices it hands it to.
///
/// Starting and stopping an audio driver waits on the audio server (a stop can take seconds),
/// so the output is started once and then kept: a play ends by silencing and resetting the
/// synthesizer, not by closing the driver. The slow first start (synthesizer, SoundFont,
/// driver) can run ahead of time on a worker thread (prepareAsync). When no device has used
/// the output for idleRelease(), the worker thread closes it so that an idle program costs no
/// processor time; the next use starts it again.
///
/// Every call is thread-safe. The synthesizer itself is FluidSynth's thread-safe API.
class FluidSynthEngine {
public:
    /// Frames rendered per audio block. A larger block wakes the audio thread less often
    /// (the default 64 frames cost a fifth of a core through PulseAudio; 2048 frames in two
    /// blocks cost about 2 % and give 93 ms of output latency at 44.1 kHz).
    static constexpr int kPeriodSize = 2048;
    /// Blocks the output buffers; with kPeriodSize it sets the output latency.
    static constexpr int kPeriods = 2;
    /// How long an unused audio output is kept running.
    static constexpr std::chrono::seconds kIdleRelease{60};

    /// Makes nothing yet: the synthesizer, its SoundFont and the audio output come with the
    /// first use.
    FluidSynthEngine();
    /// Closes the audio output (waiting on the server) and frees the synthesizer.
    ~FluidSynthEngine();
    FluidSynthEngine(const FluidSynthEngine&) = delete;
    FluidSynthEngine& operator=(const FluidSynthEngine&) = delete;

    /// Starts, on the worker thread, what acquire() needs: the synthesizer, the SoundFont and
    /// the audio output. Returns at once; a later acquire() waits for the job.
    void prepareAsync(const std::string& soundFont, const std::vector<std::string>& drivers,
                      const std::string& fileOutput);
    /// For a device that opens: waits for a preparation still running, then makes sure the
    /// audio output runs (restarting it when other drivers or another file are asked for) and
    /// the SoundFont is loaded. Quick when that is already so.
    /// @return Ok, NoDriver, NoSoundFont, or Error (no synthesizer)
    PlaybackResult acquire(const std::string& soundFont, const std::vector<std::string>& drivers,
                           const std::string& fileOutput);
    /// For a device that closes after a successful acquire(): silences and resets the
    /// synthesizer; the audio output keeps running.
    void release();

    /// Starts the audio output unless it already runs with these drivers and file.
    /// @return Ok, or NoDriver (or Error when the synthesizer cannot be made)
    PlaybackResult startAudio(const std::vector<std::string>& drivers,
                              const std::string& fileOutput);
    /// Silences every voice and closes the audio output now, waiting on the audio server.
    void stopAudio();
    bool audioRunning() const;
    /// The name of the running audio driver, "" when none runs.
    std::string audioDriver() const;

    /// Loads path unless it is the SoundFont already loaded. @return Ok or NoSoundFont
    PlaybackResult useSoundFont(const std::string& path);
    std::string soundFont() const;

    /// The synthesizer, made on first call; null when FluidSynth fails.
    fluid_synth_t* synth();
    /// Ends every sound at once (release tails and reverb too) and resets every channel:
    /// controllers, pitch wheels, programs.
    void silence();

    /// Frames per block and blocks of the audio output; used from the next start.
    void setAudioPeriod(int periodSize, int periods);
    /// The output latency in milliseconds: as the audio server reports it for a running
    /// PulseAudio output, else as the audio period settings give it.
    double outputLatencyMs() const;
    /// How long an unused output is kept; zero or less keeps it until the engine goes.
    void setIdleRelease(std::chrono::milliseconds idle);

private:
    struct Job {
        std::string soundFont;
        std::vector<std::string> drivers;
        std::string fileOutput;
    };

    fluid_synth_t* synthLocked();
    PlaybackResult startAudioLocked(const std::vector<std::string>& drivers,
                                    const std::string& fileOutput);
    PlaybackResult useSoundFontLocked(const std::string& path);
    void retireOutputLocked();
    void startWorkerLocked();
    void workerLoop();

    mutable std::mutex mutex_; // guards every field below
    std::condition_variable changed_;
    fluid_settings_t* settings_ = nullptr;
    std::atomic<fluid_synth_t*> synth_{nullptr};
    std::unique_ptr<AudioOutput> output_;
    std::vector<std::string> outputDrivers_;
    std::string outputFile_;
    int soundFontId_ = -1;
    std::string soundFontPath_;
    int periodSize_ = kPeriodSize;
    int periods_ = kPeriods;

    std::thread worker_;
    bool quit_ = false;
    std::optional<Job> job_;
    bool preparing_ = false;
    std::vector<std::unique_ptr<AudioOutput>> retired_; // outputs the worker deletes
    int users_ = 0;
    std::chrono::milliseconds idleRelease_ = kIdleRelease;
    std::chrono::steady_clock::time_point idleSince_;
};

/// True when the file starts as a SoundFont does ("RIFF", a size, "sfbk"). Checked before
/// FluidSynth reads a file, whose loaders for other formats complain on stderr.
bool isSoundFontFile(const std::string& path);

/// What keeps path from being loaded as a SoundFont, in words ("it does not exist", "it is not
/// a SoundFont file", ...); empty when it looks like one.
std::string soundFontProblem(const std::string& path);

/// Ends every sound of synth within its next rendered block (release tails too) and resets
/// every channel: controllers, pitch wheels, programs, reverb and chorus.
void silenceSynth(fluid_synth_t* synth);

/// Plays one short message on a synthesizer (also for offline rendering).
/// @return Ok, or InvalidParam for a message that is not a channel message
PlaybackResult sendShortMsgToSynth(fluid_synth_t* synth, uint32_t msg);

} // namespace notaro::playback
