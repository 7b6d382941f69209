// How exactly a loop's passes meet on the real clock, with the click, a count-in and a tempo
// ramp on, and what that costs the player in processor time beside playing the same notes
// plainly.
#include "bench/playback/BenchFigures.h"
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

constexpr int kPasses = 40;
const std::string kHeader = "**n[a-b-c]\r\n";
const std::string kPassage = "*t[180]\r\n8c 16d 16e 8f( 8g) 16a' 16g 8f 4e[ 16e] 16:\r\n";

/// Notes where each pass begins: the index of the next message then sent.
struct PassStarts : PlayerListener {
    const RecordingMidiOut* dev = nullptr;
    std::vector<size_t> at;
    void startingPass(int32_t pass, int32_t) override {
        if (pass > 0)
            at.push_back(dev->messages().size());
    }
};

/// The index of the first note-on of channel 0 at or after message i.
size_t firstNoteOn(const std::vector<TimedShortMsg>& m, size_t i) {
    while (i < m.size() && statusOf(m[i].msg) != 0x90)
        ++i;
    return i;
}

struct Run {
    std::vector<TimedShortMsg> messages;
    std::vector<Clock::time_point> sentAt;
    std::vector<size_t> passStarts;
    int32_t startTick = 0;
    double cpu = 0, wall = 0;
};

/// Plays the text with options on the real clock (realTime) or on a clock that jumps to
/// every deadline, giving the planned times.
Run play(const std::string& text, const PlayOptions& options, bool realTime) {
    cTParse parser;
    if (const ParseError error = parser.parseAramText(text); !error.ok())
        std::fprintf(stderr, "the passage does not parse: %s\n", error.message.c_str());
    Run run;
    int32_t now = 0;
    const TickClock jump = [&now] { return now; };
    RecordingMidiOut dev(realTime ? TickClock(getTickCount) : jump,
                         [&run](const TimedShortMsg&) { run.sentAt.push_back(Clock::now()); });
    SleepingPump sleeping;
    const EventPump pump = realTime ? EventPump([&sleeping](int32_t d) { sleeping(d); })
                                    : EventPump([&now](int32_t d) { now = std::max(now, d); });
    cGnsPlay player(dev, pump, realTime ? TickClock(getTickCount) : jump);
    PassStarts starts;
    starts.dev = &dev;
    player.setListener(&starts);
    const double cpu0 = cpuSeconds();
    const auto wall0 = Clock::now();
    player.play(parser, 0, parser.nNotes() - 1, options);
    run.wall = std::chrono::duration<double>(Clock::now() - wall0).count();
    run.cpu = cpuSeconds() - cpu0;
    run.messages = dev.messages();
    run.passStarts = starts.at;
    run.startTick = player.startTick();
    return run;
}

} // namespace

int main() {
    PlayOptions practice;
    practice.practice.passes = kPasses;
    practice.practice.countInBars = 1;
    practice.practice.click = true;
    practice.practice.ramp = {true, 70, 5, 100};
    const Run planned = play(kHeader + kPassage, practice, false);
    const Run real = play(kHeader + kPassage, practice, true);
    if (real.messages.size() != planned.messages.size() || real.passStarts.size() != kPasses) {
        std::fprintf(stderr, "%zu of %zu messages, %zu passes\n", real.messages.size(),
                     planned.messages.size(), real.passStarts.size());
        return 1;
    }
    // Seam error: when each pass's first note went out against its time from the single start.
    std::vector<double> seam, all;
    for (size_t p = 0; p < kPasses; ++p) {
        const size_t i = firstNoteOn(planned.messages, planned.passStarts[p]);
        const auto due = tickTimePoint(real.startTick + planned.messages[i].ms - planned.startTick);
        seam.push_back(std::chrono::duration<double, std::milli>(real.sentAt[i] - due).count());
    }
    for (size_t i = 1; i < planned.messages.size(); ++i) {
        const auto due = tickTimePoint(real.startTick + planned.messages[i].ms - planned.startTick);
        all.push_back(std::chrono::duration<double, std::milli>(real.sentAt[i] - due).count());
    }
    std::printf("practice: %d passes (ramp 70:5:100, click, count-in 1 bar), %zu messages, "
                "%.2f s\n",
                kPasses, planned.messages.size(), real.wall);
    std::printf("seam error (ms): median %.3f  p99 %.3f  max %.3f\n", percentile(seam, 0.5),
                percentile(seam, 0.99), *std::max_element(seam.begin(), seam.end()));
    const auto late = std::count_if(seam.begin(), seam.end(), [](double e) { return e > 1.0; });
    std::printf("seams more than 1 ms late: %td of %zu\n", late, seam.size());
    std::printf("every message (ms): median %.3f  p99 %.3f\n", percentile(all, 0.5),
                percentile(all, 0.99));

    // The same notes without the practice tools: the passage written out kPasses times.
    std::string unrolled = kHeader;
    for (int p = 0; p < kPasses; ++p)
        unrolled += kPassage;
    const Run plain = play(unrolled, PlayOptions(), true);
    std::printf("cpu, practice: %.3f s of %.2f s = %.3f %% of one core\n", real.cpu, real.wall,
                100.0 * real.cpu / real.wall);
    std::printf("cpu, plain:    %.3f s of %.2f s = %.3f %% of one core\n", plain.cpu, plain.wall,
                100.0 * plain.cpu / plain.wall);
    return 0;
}
