// How fast the built-in synthesizer starts: the cold SoundFont load, and the time from
// play() to the first note-on once the SoundFont is loaded. Without a sound card the
// synthesizer renders through FluidSynth's file driver into /dev/null.
#include "bench/playback/TimingScore.h"
#include "playback/FluidSynthEngine.h"
#include "playback/FluidSynthMidiOut.h"
#include "playback/MidiSettings.h"
#include "playback/ShortMsg.h"
#include "playback/SleepingPump.h"
#include "playback/cGnsPlay.h"

#include <chrono>
#include <cstdio>
#include <filesystem>

using namespace notaro;
using namespace notaro::playback;
using Clock = std::chrono::steady_clock;

namespace {

double msSince(Clock::time_point t0) {
    return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

/// The synthesizer, noting when the first note-on went out.
class TimedSynth : public FluidSynthMidiOut {
public:
    using FluidSynthMidiOut::FluidSynthMidiOut;
    Clock::time_point firstNoteOn{};

protected:
    PlaybackResult doShortMsg(uint32_t msg) override {
        const PlaybackResult rc = FluidSynthMidiOut::doShortMsg(msg);
        if ((statusOf(msg) & 0xF0) == 0x90 && firstNoteOn == Clock::time_point{})
            firstNoteOn = Clock::now();
        return rc;
    }
};

} // namespace

int main() {
    // One synthesizer for every device, as in the window.
    const auto engine = std::make_shared<FluidSynthEngine>();
    {
        FluidSynthMidiOut dev(engine);
        const auto t0 = Clock::now();
        const PlaybackResult rc = dev.open();
        std::printf("default audio output: open rc %d after %.2f ms\n", code(rc), msSince(t0));
        dev.close();
    }

    cTParse parser;
    parser.parseAramText("**n[a-b-c]\r\n*t[600]\r\n16c 16d\r\n");
    SleepingPump pump;

    for (const std::string& sf : debianSoundFonts()) {
        if (!std::filesystem::is_regular_file(sf))
            continue;
        TimedSynth dev(engine, sf, {"file"});
        auto t0 = Clock::now();
        const PlaybackResult rc = dev.open();
        const double cold = msSince(t0);
        dev.close();
        if (rc != PlaybackResult::Ok) {
            std::printf("%s: open rc %d\n", sf.c_str(), code(rc));
            continue;
        }
        double worst = 0, total = 0;
        const int runs = 10;
        for (int i = 0; i < runs; ++i) {
            cGnsPlay player(dev, [&pump](int32_t deadline) { pump(deadline); });
            dev.firstNoteOn = {};
            t0 = Clock::now();
            player.play(parser, 0, parser.nNotes() - 1, PlayOptions());
            const double start =
                std::chrono::duration<double, std::milli>(dev.firstNoteOn - t0).count();
            worst = std::max(worst, start);
            total += start;
        }
        std::printf("%s (%.1f MB): cold load and open %.1f ms; play to first note-on mean %.2f ms, "
                    "max %.2f ms\n",
                    sf.c_str(), std::filesystem::file_size(sf) / 1048576.0, cold, total / runs,
                    worst);
    }
    return 0;
}
