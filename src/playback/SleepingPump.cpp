#include "playback/SleepingPump.h"

#include "playback/TickClock.h"

#include <cerrno>
#include <chrono>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

namespace notaro::playback {

SleepingPump::SleepingPump(std::function<void()> pendingEvents)
    : pendingEvents_(std::move(pendingEvents)), wakeFd_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

SleepingPump::~SleepingPump() {
    if (wakeFd_ >= 0)
        ::close(wakeFd_);
}

void SleepingPump::operator()(int32_t deadlineMs) {
    using namespace std::chrono;
    const auto until = tickTimePoint(deadlineMs);
    const auto left = until - steady_clock::now();
    if (left > nanoseconds::zero()) {
        const auto ns = duration_cast<nanoseconds>(left).count();
        timespec ts{static_cast<time_t>(ns / 1'000'000'000), static_cast<long>(ns % 1'000'000'000)};
        pollfd fd{wakeFd_, POLLIN, 0};
        // ppoll sleeps with the kernel's high-resolution timers; a signal or wake() ends it early,
        // and the caller simply asks again for the rest of the wait.
        if (wakeFd_ >= 0)
            ::ppoll(&fd, 1, &ts, nullptr);
        else
            ::nanosleep(&ts, nullptr);
    }
    drain();
    if (pendingEvents_)
        pendingEvents_();
}

void SleepingPump::wake() noexcept {
    if (wakeFd_ < 0)
        return;
    const int savedErrno = errno; // a signal handler must leave errno as it found it
    const uint64_t one = 1;
    const ssize_t n = ::write(wakeFd_, &one, sizeof one);
    (void)n; // a full counter already means "wake up"
    errno = savedErrno;
}

void SleepingPump::drain() noexcept {
    if (wakeFd_ < 0)
        return;
    uint64_t count = 0;
    while (::read(wakeFd_, &count, sizeof count) > 0) {
    }
}

} // namespace notaro::playback
