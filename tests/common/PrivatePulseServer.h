#pragma once

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <signal.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace notaro::testing {

/// A PulseAudio server with a null sink "nul" in a private runtime folder, and parec recording
/// the sink's monitor as raw 16-bit mono at 44100 Hz. Both end with this object, however the
/// program ends; the server also leaves exitIdleSeconds after its last client (never for -1).
/// Their errors are dropped.
class PrivatePulseServer {
public:
    explicit PrivatePulseServer(int exitIdleSeconds = 10) {
        char tmpl[] = "/tmp/notaro-pa-XXXXXX";
        dir_ = mkdtemp(tmpl) ? tmpl : "";
        if (const char* old = std::getenv("XDG_RUNTIME_DIR"))
            oldRuntimeDir_ = old;
        setenv("XDG_RUNTIME_DIR", dir_.c_str(), 1);
        server_ =
            spawn({"pulseaudio", "-n", "--daemonize=no",
                   "--exit-idle-time=" + std::to_string(exitIdleSeconds),
                   "--load=module-null-sink sink_name=nul", "--load=module-native-protocol-unix"},
                  dir_ + "/server.log");
        for (int i = 0; i < 150 && server_ > 0 && !running(); ++i)
            nap();
    }
    PrivatePulseServer(const PrivatePulseServer&) = delete;
    PrivatePulseServer& operator=(const PrivatePulseServer&) = delete;
    ~PrivatePulseServer() {
        end(parec_);
        end(server_);
        oldRuntimeDir_.empty() ? unsetenv("XDG_RUNTIME_DIR")
                               : setenv("XDG_RUNTIME_DIR", oldRuntimeDir_.c_str(), 1);
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }

    bool running() const { return server_ > 0 && std::filesystem::exists(dir_ + "/pulse/native"); }

    /// Starts parec into the file `name` of the private folder; false when no sound arrives.
    bool startRecording(const std::string& name) {
        end(parec_);
        recording_ = dir_ + "/" + name;
        parec_ = spawn({"parec", "-d", "nul.monitor", "--raw", "--format=s16le", "--rate=44100",
                        "--channels=1", "--latency-msec=5"},
                       recording_);
        for (int i = 0; i < 100 && parec_ > 0 && samplesSoFar() == 0; ++i)
            nap();
        return samplesSoFar() > 0;
    }
    double samplesSoFar() const {
        std::error_code ec;
        const auto size = std::filesystem::file_size(recording_, ec);
        return ec ? 0 : size / 2.0;
    }
    /// Ends parec and returns all it recorded.
    std::vector<int16_t> stopRecording() {
        end(parec_);
        std::vector<int16_t> s(static_cast<size_t>(samplesSoFar()));
        std::ifstream(recording_, std::ios::binary)
            .read(reinterpret_cast<char*>(s.data()), static_cast<std::streamsize>(s.size() * 2));
        return s;
    }

private:
    static void nap() { std::this_thread::sleep_for(std::chrono::milliseconds(20)); }

    pid_t spawn(std::vector<std::string> args, const std::string& out) const {
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
    static void end(pid_t& pid) {
        if (pid > 0 && kill(pid, SIGTERM) == 0)
            waitpid(pid, nullptr, 0);
        pid = -1;
    }

    std::string dir_, recording_, oldRuntimeDir_;
    pid_t server_ = -1, parec_ = -1;
};

} // namespace notaro::testing
