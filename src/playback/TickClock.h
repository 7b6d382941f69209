#pragma once

#include <chrono>
#include <cstdint>
#include <functional>

namespace notaro::playback {

/// A millisecond tick counter read as a signed 32-bit value.
using TickClock = std::function<int32_t()>;

/// Lets pending events run and may sleep until the deadline (a tick-counter time) or until
/// the next event arrives, whichever is first. A deadline already passed must not sleep.
using EventPump = std::function<void(int32_t deadlineMs)>;

/// Milliseconds of the steady clock since the first call in this process. Counting from the
/// process's own start keeps the signed 32-bit value far from its limit (24 days).
int32_t getTickCount();

/// The steady-clock instant at which getTickCount() reaches tick.
std::chrono::steady_clock::time_point tickTimePoint(int32_t tick);

} // namespace notaro::playback
