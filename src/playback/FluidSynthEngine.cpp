#include "playback/FluidSynthEngine.h"

#include "playback/AudioOutput.h"
#include "playback/LibraryChatter.h"
#include "playback/MidiOutDevice.h"
#include "playback/ShortMsg.h"

#include <fluidsynth.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace notaro::playback {

namespace {

constexpr double kSampleRate = 44100.0;

} // namespace

FluidSynthEngine::FluidSynthEngine() = default;

FluidSynthEngine::~FluidSynthEngine() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        quit_ = true;
    }
    changed_.notify_all();
    if (worker_.joinable())
        worker_.join();
    silence();
    output_.reset();
    retired_.clear();
    if (fluid_synth_t* s = synth_.load())
        delete_fluid_synth(s);
    if (settings_)
        delete_fluid_settings(settings_);
}

fluid_synth_t* FluidSynthEngine::synth() {
    // Every message of a play asks for the synthesizer: no lock once it exists.
    if (fluid_synth_t* s = synth_.load(std::memory_order_acquire))
        return s;
    std::lock_guard<std::mutex> lock(mutex_);
    return synthLocked();
}

fluid_synth_t* FluidSynthEngine::synthLocked() {
    if (fluid_synth_t* s = synth_.load(std::memory_order_acquire))
        return s;
    silenceLibraryChatter();
    if (!settings_)
        settings_ = new_fluid_settings();
    if (!settings_)
        return nullptr;
    // The library's default gain (0.2) is too quiet for a single melody line.
    fluid_settings_setnum(settings_, "synth.gain", 0.6);
    fluid_settings_setnum(settings_, "synth.sample-rate", kSampleRate);
    fluid_synth_t* s = new_fluid_synth(settings_);
    synth_.store(s, std::memory_order_release);
    return s;
}

void FluidSynthEngine::silence() {
    if (fluid_synth_t* s = synth_.load(std::memory_order_acquire))
        silenceSynth(s);
}

void FluidSynthEngine::prepareAsync(const std::string& soundFont,
                                    const std::vector<std::string>& drivers,
                                    const std::string& fileOutput) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (quit_)
        return;
    job_ = Job{soundFont, drivers, fileOutput};
    preparing_ = true;
    startWorkerLocked();
    changed_.notify_all();
}

PlaybackResult FluidSynthEngine::acquire(const std::string& soundFont,
                                         const std::vector<std::string>& drivers,
                                         const std::string& fileOutput) {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return !preparing_; });
    // Audio first: without a sound card it fails within milliseconds, before the
    // SoundFont (up to a second for a large one) is loaded for nothing.
    if (const PlaybackResult rc = startAudioLocked(drivers, fileOutput); rc != PlaybackResult::Ok)
        return rc;
    if (const PlaybackResult rc = useSoundFontLocked(soundFont); rc != PlaybackResult::Ok)
        return rc;
    ++users_;
    output_->setMuted(false);
    return PlaybackResult::Ok;
}

void FluidSynthEngine::release() {
    silence();
    std::lock_guard<std::mutex> lock(mutex_);
    if (users_ > 0 && --users_ == 0) {
        idleSince_ = std::chrono::steady_clock::now();
        // The killed voices end at the next block, but the reverb keeps faint traces for a
        // second; an unused output plays nothing at all.
        if (output_)
            output_->setMuted(true);
        if (output_ && idleRelease_.count() > 0)
            startWorkerLocked();
        changed_.notify_all();
    }
}

PlaybackResult FluidSynthEngine::startAudio(const std::vector<std::string>& drivers,
                                            const std::string& fileOutput) {
    std::lock_guard<std::mutex> lock(mutex_);
    return startAudioLocked(drivers, fileOutput);
}

PlaybackResult FluidSynthEngine::startAudioLocked(const std::vector<std::string>& drivers,
                                                  const std::string& fileOutput) {
    if (output_ && drivers == outputDrivers_ && fileOutput == outputFile_)
        return PlaybackResult::Ok;
    if (!synthLocked())
        return PlaybackResult::Error;
    if (output_)
        retireOutputLocked();
    fluid_settings_setint(settings_, "audio.period-size", periodSize_);
    fluid_settings_setint(settings_, "audio.periods", periods_);
    output_ = AudioOutput::start(settings_, synth_.load(), drivers, fileOutput);
    if (!output_)
        return PlaybackResult::NoDriver;
    output_->setMuted(users_ == 0);
    outputDrivers_ = drivers;
    outputFile_ = fileOutput;
    idleSince_ = std::chrono::steady_clock::now();
    return PlaybackResult::Ok;
}

void FluidSynthEngine::stopAudio() {
    silence();
    std::unique_ptr<AudioOutput> old;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        old = std::move(output_);
    }
    old.reset();
}

bool FluidSynthEngine::audioRunning() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return output_ != nullptr;
}

std::string FluidSynthEngine::audioDriver() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return output_ ? output_->driverName() : std::string();
}

void FluidSynthEngine::retireOutputLocked() {
    // The old driver stops sounding the synthesizer at once; deleting it may wait on the
    // audio server, which the worker thread does.
    output_->detach();
    retired_.push_back(std::move(output_));
    startWorkerLocked();
    changed_.notify_all();
}

void FluidSynthEngine::startWorkerLocked() {
    if (!worker_.joinable() && !quit_)
        worker_ = std::thread([this] { workerLoop(); });
}

void FluidSynthEngine::workerLoop() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        if (!retired_.empty()) {
            std::vector<std::unique_ptr<AudioOutput>> old = std::move(retired_);
            retired_.clear();
            lock.unlock();
            old.clear();
            lock.lock();
            continue;
        }
        if (quit_)
            return;
        if (job_) {
            const Job job = std::move(*job_);
            job_.reset();
            if (startAudioLocked(job.drivers, job.fileOutput) == PlaybackResult::Ok)
                useSoundFontLocked(job.soundFont);
            preparing_ = job_.has_value();
            changed_.notify_all();
            continue;
        }
        if (output_ && users_ == 0 && idleRelease_.count() > 0) {
            const auto deadline = idleSince_ + idleRelease_;
            if (std::chrono::steady_clock::now() >= deadline)
                retireOutputLocked();
            else
                changed_.wait_until(lock, deadline);
            continue;
        }
        changed_.wait(lock);
    }
}

PlaybackResult FluidSynthEngine::useSoundFont(const std::string& path) {
    std::lock_guard<std::mutex> lock(mutex_);
    return useSoundFontLocked(path);
}

PlaybackResult FluidSynthEngine::useSoundFontLocked(const std::string& path) {
    if (soundFontId_ >= 0 && path == soundFontPath_)
        return PlaybackResult::Ok;
    fluid_synth_t* s = synthLocked();
    if (!s)
        return PlaybackResult::Error;
    if (soundFontId_ >= 0) {
        fluid_synth_sfunload(s, soundFontId_, 1);
        soundFontId_ = -1;
        soundFontPath_.clear();
    }
    if (!isSoundFontFile(path))
        return PlaybackResult::NoSoundFont;
    const int id = fluid_synth_sfload(s, path.c_str(), 1);
    if (id == FLUID_FAILED)
        return PlaybackResult::NoSoundFont;
    soundFontId_ = id;
    soundFontPath_ = path;
    return PlaybackResult::Ok;
}

std::string FluidSynthEngine::soundFont() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return soundFontPath_;
}

void FluidSynthEngine::setAudioPeriod(int periodSize, int periods) {
    std::lock_guard<std::mutex> lock(mutex_);
    periodSize_ = periodSize;
    periods_ = periods;
}

double FluidSynthEngine::outputLatencyMs() const {
    std::lock_guard<std::mutex> lock(mutex_);
    if (output_)
        if (const double reported = output_->latencyMs(); reported >= 0)
            return reported;
    return 1000.0 * periodSize_ * periods_ / kSampleRate;
}

void FluidSynthEngine::setIdleRelease(std::chrono::milliseconds idle) {
    std::lock_guard<std::mutex> lock(mutex_);
    idleRelease_ = idle;
    if (output_ && users_ == 0 && idle.count() > 0)
        startWorkerLocked();
    changed_.notify_all();
}

bool isSoundFontFile(const std::string& path) {
    // Opened without waiting and checked to be a regular file before anything is read: a FIFO
    // with no writer, or a device, would otherwise block here (and the synthesizer after it).
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat info {};
    char head[12] = {};
    const bool read = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
                      ::read(fd, head, sizeof head) == static_cast<ssize_t>(sizeof head);
    ::close(fd);
    return read && std::memcmp(head, "RIFF", 4) == 0 && std::memcmp(head + 8, "sfbk", 4) == 0;
}

std::string soundFontProblem(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return errno == ENOENT ? "it does not exist"
                               : "it cannot be read: " + std::string(std::strerror(errno));
    if (!S_ISREG(info.st_mode))
        return "it is not a file";
    if (::access(path.c_str(), R_OK) != 0)
        return "it cannot be read: " + std::string(std::strerror(errno));
    return isSoundFontFile(path) ? std::string() : "it is not a SoundFont file";
}

void silenceSynth(fluid_synth_t* synth) {
    // The reset centres the wheels, resets the controllers and programs and clears the reverb
    // and chorus buffers, but it also sends every channel an all-notes-off, which puts the
    // voices into their release. The library applies voice changes in order at the start of
    // the next block, so that release would overrule an earlier sounds-off and every note
    // would fade out over its release time (a fifth of a second for an organ). Sounds-off
    // last leaves every voice killed.
    fluid_synth_system_reset(synth);
    fluid_synth_all_sounds_off(synth, -1);
}

PlaybackResult sendShortMsgToSynth(fluid_synth_t* synth, uint32_t msg) {
    const int ch = statusOf(msg) & 0x0F;
    const int d1 = data1Of(msg) & 0x7F;
    const int d2 = data2Of(msg) & 0x7F;
    // A note-off for a note that is not sounding is not an error for a MIDI output.
    switch (statusOf(msg) & 0xF0) {
    case 0x80:
        fluid_synth_noteoff(synth, ch, d1);
        return PlaybackResult::Ok;
    case 0x90:
        if (d2 == 0)
            fluid_synth_noteoff(synth, ch, d1);
        else
            fluid_synth_noteon(synth, ch, d1, d2);
        return PlaybackResult::Ok;
    case 0xA0:
        fluid_synth_key_pressure(synth, ch, d1, d2);
        return PlaybackResult::Ok;
    case 0xB0:
        fluid_synth_cc(synth, ch, d1, d2);
        return PlaybackResult::Ok;
    case 0xC0:
        fluid_synth_program_change(synth, ch, d1);
        return PlaybackResult::Ok;
    case 0xD0:
        fluid_synth_channel_pressure(synth, ch, d1);
        return PlaybackResult::Ok;
    case 0xE0:
        fluid_synth_pitch_bend(synth, ch, d1 + 128 * d2);
        return PlaybackResult::Ok;
    default:
        return PlaybackResult::InvalidParam;
    }
}

} // namespace notaro::playback
