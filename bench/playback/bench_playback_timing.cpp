// How exactly the player sends its messages on time with the real clock and the sleeping
// pump, and how much processor time it takes while it waits.
#include "bench/playback/BenchFigures.h"
#include "bench/playback/TimingScore.h"
#include "playback/RecordingMidiOut.h"
#include "playback/SleepingPump.h"
#include "playback/TickClock.h"
#include "playback/cGnsPlay.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <vector>

using namespace notaro;
using namespace notaro::playback;
using Clock = std::chrono::steady_clock;
using notaro::bench::cpuSeconds;
using notaro::bench::percentile;

namespace {

/// The schedule: each message's time after the player's start tick, from a run on a clock
/// that jumps to every deadline.
std::vector<int32_t> schedule(const cTParse& parser) {
    int32_t now = 0;
    RecordingMidiOut dev([&now] { return now; });
    cGnsPlay player(
        dev, [&now](int32_t deadline) { now = std::max(now, deadline); }, [&now] { return now; });
    player.play(parser, 0, parser.nNotes() - 1, PlayOptions());
    std::vector<int32_t> times;
    for (const TimedShortMsg& m : dev.messages())
        times.push_back(m.ms - player.startTick());
    return times;
}

} // namespace

int main() {
    const std::string text = bench::timingScore(400);
    cTParse parser;
    if (const ParseError error = parser.parseAramText(text); !error.ok()) {
        std::fprintf(stderr, "score does not parse: %s\n", error.message.c_str());
        return 1;
    }
    const std::vector<int32_t> planned = schedule(parser);

    std::vector<Clock::time_point> sentAt;
    sentAt.reserve(planned.size());
    RecordingMidiOut dev(getTickCount,
                         [&sentAt](const TimedShortMsg&) { sentAt.push_back(Clock::now()); });
    SleepingPump pump;
    cGnsPlay player(dev, [&pump](int32_t deadline) { pump(deadline); });

    const double cpu0 = cpuSeconds();
    const auto wall0 = Clock::now();
    const PlaybackResult rc = player.play(parser, 0, parser.nNotes() - 1, PlayOptions());
    const double wall = std::chrono::duration<double>(Clock::now() - wall0).count();
    const double cpu = cpuSeconds() - cpu0;

    if (rc != PlaybackResult::Ok || sentAt.size() != planned.size()) {
        std::fprintf(stderr, "play returned %d with %zu of %zu messages\n", code(rc), sentAt.size(),
                     planned.size());
        return 1;
    }
    // The program change goes out before the start tick is read; the rest are timed.
    std::vector<double> errors;
    for (size_t i = 1; i < planned.size(); ++i) {
        const auto due = tickTimePoint(player.startTick() + planned[i]);
        errors.push_back(std::chrono::duration<double, std::milli>(sentAt[i] - due).count());
    }
    std::printf("timing: %d records, %zu timed messages, %.2f s of music\n", parser.nNotes(),
                errors.size(), wall);
    std::printf("send-time error (ms): median %.3f  p99 %.3f  max %.3f  min %.3f\n",
                percentile(errors, 0.5), percentile(errors, 0.99),
                *std::max_element(errors.begin(), errors.end()),
                *std::min_element(errors.begin(), errors.end()));
    const auto onTime =
        std::count_if(errors.begin(), errors.end(), [](double e) { return e <= 1.0; });
    std::printf("sent within 1 ms of their time: %.1f %%\n", 100.0 * onTime / errors.size());
    std::printf("cpu: %.3f s of %.2f s wall = %.2f %% of one core\n", cpu, wall,
                100.0 * cpu / wall);
    return 0;
}
