#include "cli/ExitCodes.h"
#include "tests/common/SilenceCheck.h"

#include "tests/settings/TempConfig.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using InterruptedPlay = notaro::testing::TempConfig; // the settings folder of the runs

namespace {

/// Runs `notaro-cli play --output trace file`, sends SIGINT delayMs after its first line (the
/// device is open, so Ctrl-C is being handled), collects what it prints in out until it ends
/// and returns its wait status.
int interruptedPlay(const std::string& file, int delayMs, std::string& out) {
    int fds[2], status = -1;
    if (::pipe(fds) != 0)
        return status;
    const std::string cli = std::string(NOTARO_BINARY_DIR) + "/bin/notaro-cli";
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(fds[1], 1);
        ::dup2(fds[1], 2);
        ::close(fds[0]);
        ::close(fds[1]);
        ::alarm(10); // outlives exec: a program still running then is ended
        ::execl(cli.c_str(), cli.c_str(), "play", "--output", "trace", file.c_str(), nullptr);
        ::_exit(127);
    }
    ::close(fds[1]);
    char buf[4096];
    for (ssize_t n; (n = ::read(fds[0], buf, sizeof buf)) > 0;) {
        const bool first = out.find('\n') == std::string::npos;
        out.append(buf, static_cast<size_t>(n));
        if (first && out.find('\n') != std::string::npos) {
            std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
            ::kill(pid, SIGINT);
        }
    }
    ::close(fds[0]);
    ::waitpid(pid, &status, 0);
    return status;
}

/// The trace's messages ("ms HEX HEX HEX" lines); the note lines between them are skipped.
std::vector<uint32_t> traceMessages(const std::string& trace) {
    std::vector<uint32_t> msgs;
    std::istringstream lines(trace);
    for (std::string line; std::getline(lines, line);) {
        unsigned ms = 0, status = 0, d1 = 0, d2 = 0;
        if (std::sscanf(line.c_str(), "%u %x %x %x", &ms, &status, &d1, &d2) >= 3)
            msgs.push_back(status | d1 << 8 | d2 << 16);
    }
    return msgs;
}

} // namespace

TEST_F(InterruptedPlay, CtrlCAtAnyMomentLeavesSilenceAndExits130) {
    const std::string score = path("tune.NTR");
    // Changes of pitch bend, tempo and instrument in the first half second, then long notes so
    // that playback is never over before the signal.
    writeFile(score, "**n[a-b-c]\n*t[480]\n8c+ 16d~ 16: 8e+[ 8e+] 8f( 8g+ 8a) 16b'\n*i[40]\n"
                     "*t[120]\n2g+ 2a~\n");
    int runsThatSounded = 0;
    for (int delay = 0; delay <= 400; delay += 21) {
        std::string out;
        const int status = interruptedPlay(score, delay, out);
        SCOPED_TRACE("signal after " + std::to_string(delay) + " ms, status " +
                     std::to_string(status) + ":\n" + out);
        const std::vector<uint32_t> msgs = traceMessages(out);
        runsThatSounded += std::any_of(msgs.begin(), msgs.end(), [](uint32_t m) {
            return (m & 0xF0) == 0x90 && (m >> 16) != 0;
        });
        EXPECT_EQ(notaro::testing::leftSounding(msgs), "");
        EXPECT_TRUE(WIFEXITED(status) &&
                    WEXITSTATUS(status) == exitStatus(notaro::cli::ExitCode::Interrupted));
    }
    EXPECT_GT(runsThatSounded, 0);
}
