// The built-in synthesizer heard through a real audio server: a private PulseAudio server
// with a null sink, its monitor recorded by parec, the note-ons compared with the sound.
#include "FluidSynthEngine.h"
#include "FluidSynthMidiOut.h"
#include "MidiSettings.h"
#include "PlaybackTestSupport.h"
#include "ShortMsg.h"
#include "SleepingPump.h"
#include "cGnsPlay.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

extern char** environ;

using namespace notaro::playback;
using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

namespace {

constexpr double kRate = 44100;
constexpr int kLoud = 300; // about -40 dB of full scale

pid_t spawn(std::vector<std::string> args, const std::string& out) {
    posix_spawn_file_actions_t fa;
    posix_spawn_file_actions_init(&fa);
    posix_spawn_file_actions_addopen(&fa, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&fa, 2, "/dev/null", O_WRONLY, 0);
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = -1;
    if (posix_spawnp(&pid, argv[0], &fa, nullptr, argv.data(), environ) != 0)
        pid = -1;
    posix_spawn_file_actions_destroy(&fa);
    return pid;
}

/// A PulseAudio server with a null sink in a private runtime folder, and parec recording its
/// monitor. Both end with this object, however the test ends.
struct PrivateServer {
    std::string dir, recording;
    pid_t server = -1, parec = -1;
    std::string oldRuntimeDir;

    PrivateServer() {
        char tmpl[] = "/tmp/notaro-pa-XXXXXX";
        dir = mkdtemp(tmpl) ? tmpl : "";
        recording = dir + "/rec.raw";
        if (const char* old = std::getenv("XDG_RUNTIME_DIR"))
            oldRuntimeDir = old;
        setenv("XDG_RUNTIME_DIR", dir.c_str(), 1);
        // The server also leaves by itself once this process is gone.
        server =
            spawn({"pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=10",
                   "--load=module-null-sink sink_name=nul", "--load=module-native-protocol-unix"},
                  "/dev/null");
        for (int i = 0; i < 150 && server > 0 && !std::filesystem::exists(dir + "/pulse/native");
             ++i)
            std::this_thread::sleep_for(20ms);
    }
    bool running() const { return server > 0 && std::filesystem::exists(dir + "/pulse/native"); }
    bool startRecording() {
        parec = spawn({"parec", "-d", "nul.monitor", "--raw", "--format=s16le", "--rate=44100",
                       "--channels=1", "--latency-msec=5"},
                      recording);
        for (int i = 0; i < 100 && parec > 0 && samplesSoFar() == 0; ++i)
            std::this_thread::sleep_for(20ms);
        return samplesSoFar() > 0;
    }
    double samplesSoFar() const {
        std::error_code ec;
        const auto size = std::filesystem::file_size(recording, ec);
        return ec ? 0 : size / 2.0;
    }
    static void end(pid_t& pid) {
        if (pid > 0) {
            kill(pid, SIGTERM);
            waitpid(pid, nullptr, 0);
        }
        pid = -1;
    }
    std::vector<int16_t> stopRecording() {
        end(parec);
        std::vector<int16_t> s(static_cast<size_t>(samplesSoFar()));
        std::ifstream(recording, std::ios::binary)
            .read(reinterpret_cast<char*>(s.data()), static_cast<std::streamsize>(s.size() * 2));
        return s;
    }
    ~PrivateServer() {
        FluidSynthEngine::instance().stopAudio();
        end(parec);
        end(server);
        if (oldRuntimeDir.empty())
            unsetenv("XDG_RUNTIME_DIR");
        else
            setenv("XDG_RUNTIME_DIR", oldRuntimeDir.c_str(), 1);
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
};

/// The synthesizer, noting when each note-on and note-off leaves.
class TimedSynth : public FluidSynthMidiOut {
public:
    using FluidSynthMidiOut::FluidSynthMidiOut;
    std::vector<Clock::time_point> ons, offs;

protected:
    int32_t doShortMsg(uint32_t msg) override {
        const int kind = statusOf(msg) & 0xF0;
        (kind == 0x90 ? ons : offs).push_back(Clock::now());
        if (kind != 0x90 && kind != 0x80)
            offs.pop_back();
        return FluidSynthMidiOut::doShortMsg(msg);
    }
};

int peak(const std::vector<int16_t>& s, double from, double to) {
    int p = 0;
    for (double i = std::max(0.0, from); i < std::min<double>(to, s.size()); ++i)
        p = std::max(p, std::abs(static_cast<int>(s[static_cast<size_t>(i)])));
    return p;
}

} // namespace

TEST(PulseAudioPlayback, SoundStartsWithEachNoteAndRestsAreSilent) {
    const std::string small = "/usr/share/sounds/sf2/TimGM6mb.sf2";
    const std::string sf = std::filesystem::exists(small) ? small : findSoundFont();
    if (sf.empty())
        GTEST_SKIP() << "no SoundFont installed";
    PrivateServer pa;
    if (!pa.running())
        GTEST_SKIP() << "pulseaudio could not start a private server here";
    ASSERT_TRUE(pa.startRecording()) << "parec did not record the null sink's monitor";

    TimedSynth dev(sf, {"pulseaudio"});
    dev.prepare();
    SleepingPump pump;
    cGnsPlay player(dev, [&pump](int32_t deadline) { pump(deadline); });
    auto score = notaro::testing::parseScore({"**n[a-b-c]", "*t[120]", "4c' 4: 4e' 4: 4g' 4: 4c'"});
    const Clock::time_point mark = Clock::now();
    const double markSample = pa.samplesSoFar();
    ASSERT_EQ(player.play(*score, 0, score->nNotes() - 1, 1.0f, 0, 127, -1), 0);
    std::this_thread::sleep_for(400ms);
    const std::vector<int16_t> s = pa.stopRecording();
    EXPECT_EQ(FluidSynthEngine::instance().audioDriver(), "pulseaudio");

    auto at = [&](Clock::time_point t) {
        return markSample + std::chrono::duration<double>(t - mark).count() * kRate;
    };
    // Slack for a loaded machine on top of the output latency; the release of a note gets
    // 350 ms to fade.
    const double late = (FluidSynthEngine::instance().outputLatencyMs() + 150) * kRate / 1000;
    const double fade = 0.35 * kRate;
    ASSERT_EQ(dev.ons.size(), 4u);
    ASSERT_EQ(dev.offs.size(), 4u);
    for (size_t i = 0; i < dev.ons.size(); ++i) {
        const double on = at(dev.ons[i]);
        EXPECT_LT(peak(s, on - 0.1 * kRate, on - 0.02 * kRate), kLoud) << "before note " << i;
        EXPECT_GE(peak(s, on, on + late), kLoud) << "note " << i << " not heard in time";
        if (i + 1 < dev.ons.size()) {
            EXPECT_LT(peak(s, at(dev.offs[i]) + late + fade, at(dev.ons[i + 1]) - 0.02 * kRate),
                      kLoud)
                << "rest after note " << i;
        }
    }
}
