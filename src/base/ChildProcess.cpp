#include "base/ChildProcess.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace notaro::base {

namespace {

/// A file descriptor closed when it goes out of scope.
class Fd {
public:
    Fd() = default;
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() { reset(); }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    void reset(int fd = -1) {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = fd;
    }

private:
    int fd_ = -1;
};

bool makePipe(Fd& readEnd, Fd& writeEnd) {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0)
        return false;
    readEnd.reset(fds[0]);
    writeEnd.reset(fds[1]);
    return true;
}

/// Slice of the wait in which a raised cancel flag is noticed.
constexpr int kPollSliceMs = 20;

class Runner {
public:
    Runner(const std::string& input, int32_t timeoutMs, const std::atomic<bool>* cancel)
        : input_(input), timeoutMs_(timeoutMs), cancel_(cancel) {}

    ChildResult run(const std::vector<std::string>& argv) {
        ChildResult r;
        // Standard input is a socket, so that writing to a program that has stopped reading
        // fails with EPIPE instead of raising SIGPIPE in this process (MSG_NOSIGNAL).
        int sv[2];
        if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, sv) != 0)
            return r;
        Fd inChild(sv[0]);
        in_.reset(sv[1]);
        Fd outChild, errChild;
        if (!makePipe(out_, outChild) || !makePipe(err_, errChild))
            return r;
        ::shutdown(inChild.get(), SHUT_WR);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, inChild.get(), STDIN_FILENO);
        posix_spawn_file_actions_adddup2(&actions, outChild.get(), STDOUT_FILENO);
        posix_spawn_file_actions_adddup2(&actions, errChild.get(), STDERR_FILENO);
        std::vector<char*> args;
        for (const std::string& a : argv)
            args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        pid_t pid = 0;
        const int rc = ::posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        if (rc != 0) {
            r.status = ChildStatus::NotFound;
            return r;
        }
        inChild.reset();
        outChild.reset();
        errChild.reset();
        if (input_.empty())
            in_.reset();
        r.status = exchange(r);
        if (r.status != ChildStatus::Exited)
            ::kill(pid, SIGKILL);
        int wstatus = 0;
        while (::waitpid(pid, &wstatus, 0) < 0 && errno == EINTR) {
        }
        if (r.status == ChildStatus::Exited) {
            if (WIFEXITED(wstatus))
                r.exitCode = WEXITSTATUS(wstatus);
            else
                r.status = ChildStatus::Crashed;
        }
        return r;
    }

private:
    /// Feeds the input and reads both outputs until they close, the time is up or the caller
    /// cancels.
    ChildStatus exchange(ChildResult& r) {
        using Clock = std::chrono::steady_clock;
        const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs_);
        size_t written = 0;
        while (out_.get() >= 0 || err_.get() >= 0) {
            if (cancel_ && cancel_->load())
                return ChildStatus::Cancelled;
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now())
                    .count();
            if (left <= 0)
                return ChildStatus::TimedOut;
            pollfd fds[3] = {
                {out_.get(), POLLIN, 0}, {err_.get(), POLLIN, 0}, {in_.get(), POLLOUT, 0}};
            const int n = ::poll(fds, 3, static_cast<int>(std::min<long long>(left, kPollSliceMs)));
            if (n < 0 && errno != EINTR)
                return ChildStatus::Failed;
            if (n <= 0)
                continue;
            if (fds[2].revents) {
                const ssize_t w = ::send(in_.get(), input_.data() + written,
                                         input_.size() - written, MSG_NOSIGNAL | MSG_DONTWAIT);
                if (w > 0)
                    written += static_cast<size_t>(w);
                if ((w < 0 && errno != EAGAIN && errno != EINTR) || written == input_.size())
                    in_.reset(); // done, or the program reads no more: it sees the end
            }
            drain(fds[0], out_, r.out);
            drain(fds[1], err_, r.err);
        }
        return ChildStatus::Exited;
    }

    static void drain(const pollfd& p, Fd& fd, std::string& into) {
        if (!p.revents)
            return;
        char buf[65536];
        const ssize_t n = ::read(fd.get(), buf, sizeof buf);
        if (n > 0)
            into.append(buf, static_cast<size_t>(n));
        else if (n == 0 || (errno != EAGAIN && errno != EINTR))
            fd.reset();
    }

    const std::string& input_;
    int32_t timeoutMs_;
    const std::atomic<bool>* cancel_;
    Fd in_, out_, err_;
};

} // namespace

ChildResult runChild(const std::vector<std::string>& argv, const std::string& input,
                     int32_t timeoutMs, const std::atomic<bool>* cancel) {
    if (argv.empty() || argv[0].empty())
        return ChildResult{ChildStatus::NotFound, -1, {}, {}};
    return Runner(input, timeoutMs, cancel).run(argv);
}

std::string findOnPath(const std::string& name) {
    if (name.empty() || name.find('/') != std::string::npos)
        return {};
    const char* path = std::getenv("PATH");
    std::string folders = path ? path : "/usr/local/bin:/usr/bin:/bin";
    size_t start = 0;
    while (start <= folders.size()) {
        size_t end = folders.find(':', start);
        if (end == std::string::npos)
            end = folders.size();
        std::string folder = folders.substr(start, end - start);
        if (folder.empty())
            folder = ".";
        const std::string candidate = folder + "/" + name;
        struct stat st {};
        if (::stat(candidate.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
            ::access(candidate.c_str(), X_OK) == 0)
            return candidate;
        start = end + 1;
    }
    return {};
}

} // namespace notaro::base
