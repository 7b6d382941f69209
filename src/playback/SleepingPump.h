#pragma once

#include <cstdint>
#include <functional>

namespace notaro::playback {

/// An event pump for programs without an event loop: it sleeps in the kernel until the
/// deadline of getTickCount() or until wake() is called, then runs the pending-events handler.
/// The processor stays idle while a note sounds.
class SleepingPump {
public:
    /// pendingEvents runs after every sleep (and on every call), on the caller's thread.
    explicit SleepingPump(std::function<void()> pendingEvents = {});
    ~SleepingPump();
    SleepingPump(const SleepingPump&) = delete;
    SleepingPump& operator=(const SleepingPump&) = delete;

    /// Sleeps until tick deadlineMs or a wake(), then runs the pending-events handler.
    void operator()(int32_t deadlineMs);
    /// Ends the current (or the next) sleep early. Safe to call from a signal handler or
    /// another thread.
    void wake() noexcept;

private:
    void drain() noexcept;

    std::function<void()> pendingEvents_;
    int wakeFd_ = -1;
};

} // namespace notaro::playback
