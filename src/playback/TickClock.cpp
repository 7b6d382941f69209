#include "playback/TickClock.h"

namespace notaro::playback {

namespace {

std::chrono::steady_clock::time_point origin() {
    static const std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();
    return start;
}

} // namespace

int32_t getTickCount() {
    const auto since = std::chrono::steady_clock::now() - origin();
    return static_cast<int32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
}

std::chrono::steady_clock::time_point tickTimePoint(int32_t tick) {
    return origin() + std::chrono::milliseconds(tick);
}

} // namespace notaro::playback
