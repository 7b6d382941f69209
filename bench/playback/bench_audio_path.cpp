// Figures of the built-in synthesizer's sounding path through a real PulseAudio server: the
// time from open() to the first note once prepared, from close() to silence, the processor
// use of the whole process while a melody plays for several audio period settings, and how
// far the sound lags the note-on (the note highlighted on screen). Needs `pulseaudio` and
// `parec`; it starts its own server with a null sink in a private runtime folder.
#include "playback/FluidSynthEngine.h"
#include "playback/FluidSynthMidiOut.h"
#include "playback/MidiSettings.h"
#include "playback/ShortMsg.h"
#include "playback/SleepingPump.h"
#include "playback/cGnsPlay.h"
#include "tests/common/PrivatePulseServer.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <thread>
#include <vector>

using namespace notaro;
using namespace notaro::playback;
using notaro::testing::PrivatePulseServer;
using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

namespace {

constexpr int kRate = 44100;

double msBetween(Clock::time_point a, Clock::time_point b) {
    return std::chrono::duration<double, std::milli>(b - a).count();
}

double cpuSeconds() {
    rusage ru{};
    getrusage(RUSAGE_SELF, &ru);
    auto sec = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return sec(ru.ru_utime) + sec(ru.ru_stime);
}

/// parec recording the null sink's monitor into a raw mono file.
struct Recording {
    PrivatePulseServer& pa;
    Clock::time_point mark;
    double markSamples = 0;

    Recording(PrivatePulseServer& server, const std::string& file) : pa(server) {
        pa.startRecording(file);
        std::this_thread::sleep_for(500ms);
        // The recording's position at a known instant maps this process's times into it.
        mark = Clock::now();
        markSamples = pa.samplesSoFar();
    }
    double sampleAt(Clock::time_point t) const {
        return markSamples + msBetween(mark, t) * kRate / 1000.0;
    }
    std::vector<int16_t> stop() { return pa.stopRecording(); }
};

/// The note-ons as they leave for the synthesizer.
class TimedSynth : public FluidSynthMidiOut {
public:
    TimedSynth(const std::shared_ptr<FluidSynthEngine>& engine, const std::string& sf)
        : FluidSynthMidiOut(engine, sf, {"pulseaudio"}), engine_(engine) {}
    std::vector<Clock::time_point> noteOns;
    std::vector<double> reported; ///< the output latency the engine reported at each note-on

protected:
    PlaybackResult doShortMsg(uint32_t msg) override {
        if ((statusOf(msg) & 0xF0) == 0x90 && data2Of(msg) > 0) {
            noteOns.push_back(Clock::now());
            reported.push_back(engine_->outputLatencyMs());
        }
        return FluidSynthMidiOut::doShortMsg(msg);
    }

private:
    std::shared_ptr<FluidSynthEngine> engine_;
};

/// Sample indexes where sound starts after at least 100 ms of quiet.
std::vector<size_t> onsets(const std::vector<int16_t>& s) {
    std::vector<size_t> found;
    size_t quiet = kRate;
    for (size_t i = 0; i < s.size(); ++i) {
        if (std::abs(s[i]) > 300) {
            if (quiet >= kRate / 10)
                found.push_back(i);
            quiet = 0;
        } else {
            ++quiet;
        }
    }
    return found;
}

struct PlayFigures {
    double cpuPercent = 0;
    double lagMin = 1e9, lagMax = -1e9; // ms the sound follows each note-on
    // ms the sound follows a highlight delayed by the reported latency
    std::vector<double> highlightErrors;
    double latencyMedian = 0; ///< of the output latencies reported at the note-ons
    size_t heard = 0, sent = 0;
};

PlayFigures playMelody(const std::shared_ptr<FluidSynthEngine>& engine, const std::string& sf,
                       PrivatePulseServer& pa) {
    cTParse parser;
    parser.parseAramText("**n[a-b-c]\r\n*t[120]\r\n4c' 4: 4e' 4: 4g' 4: 4c' 4: 4d' 4: 4f' 4: "
                         "4a' 4: 4c'\r\n");
    Recording rec(pa, "rec.raw");
    TimedSynth dev(engine, sf);
    SleepingPump pump;
    cGnsPlay player(dev, [&pump](int32_t deadline) { pump(deadline); });
    const double cpu0 = cpuSeconds();
    const Clock::time_point t0 = Clock::now();
    player.play(parser, 0, parser.nNotes() - 1, PlayOptions());
    PlayFigures f;
    f.cpuPercent = 100.0 * (cpuSeconds() - cpu0) / (msBetween(t0, Clock::now()) / 1000.0);
    std::this_thread::sleep_for(600ms);
    const std::vector<size_t> on = onsets(rec.stop());
    f.sent = dev.noteOns.size();
    for (size_t n = 0; n < dev.noteOns.size(); ++n) {
        const double at = rec.sampleAt(dev.noteOns[n]);
        // The first onset from 50 ms before the note-on on belongs to it.
        auto it = std::lower_bound(on.begin(), on.end(),
                                   static_cast<size_t>(std::max(0.0, at - 0.05 * kRate)));
        if (it == on.end())
            continue;
        const double lag = (*it - at) * 1000.0 / kRate;
        if (lag > 400)
            continue;
        ++f.heard;
        f.lagMin = std::min(f.lagMin, lag);
        f.lagMax = std::max(f.lagMax, lag);
        f.highlightErrors.push_back(lag - dev.reported[n]);
    }
    std::sort(f.highlightErrors.begin(), f.highlightErrors.end());
    std::vector<double> reported = dev.reported;
    std::sort(reported.begin(), reported.end());
    f.latencyMedian = reported.empty() ? 0 : reported[reported.size() / 2];
    return f;
}

struct StopFigures {
    double heard = 0; // ms from close() to the last sample above the onset threshold
    double zero = 0;  // ms from close() to the last sample that is not exactly zero
};

/// From close() to the end of the sound of a sustained organ note.
StopFigures stopToSilence(FluidSynthMidiOut& dev, PrivatePulseServer& pa) {
    Recording rec(pa, "stop.raw");
    dev.open();
    dev.shortMsg(packShortMsg(0xC0, 19));
    dev.shortMsg(packShortMsg(0x90, 60, 127));
    std::this_thread::sleep_for(300ms);
    const Clock::time_point closed = Clock::now();
    dev.close();
    std::this_thread::sleep_for(400ms);
    const std::vector<int16_t> s = rec.stop();
    size_t last = 0, lastNonZero = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        if (std::abs(s[i]) > 300)
            last = i;
        if (s[i] != 0)
            lastNonZero = i;
    }
    const double at = rec.sampleAt(closed);
    return {(last - at) * 1000.0 / kRate, (lastNonZero - at) * 1000.0 / kRate};
}

} // namespace

int main() {
    const std::string small = "/usr/share/sounds/sf2/TimGM6mb.sf2";
    const std::string sf = std::filesystem::exists(small) ? small : findSoundFont();
    if (sf.empty()) {
        std::printf("no SoundFont\n");
        return 1;
    }
    // The server stays while the output is idle.
    PrivatePulseServer pa(-1);
    if (!pa.running()) {
        std::printf("pulseaudio did not start\n");
        return 1;
    }

    // Made after the server, so its output closes before the server goes.
    const auto shared = std::make_shared<FluidSynthEngine>();
    FluidSynthEngine& engine = *shared;
    const int settings[][2] = {{64, 16}, {256, 2}, {512, 2}, {1024, 2}, {2048, 2}};
    std::printf("%-12s %9s %10s %9s %10s %10s %9s %12s %-22s %s\n", "period", "latency",
                "cold-open", "open", "stop-silent", "stop-zero", "idle-cpu", "playing-cpu",
                "sound-lag", "sound-after-highlight");
    for (const auto& ps : settings) {
        engine.stopAudio();
        engine.setAudioPeriod(ps[0], ps[1]);
        FluidSynthMidiOut dev(shared, sf, {"pulseaudio"});
        Clock::time_point t = Clock::now();
        dev.prepare();
        const PlaybackResult rc = dev.open();
        const double cold = msBetween(t, Clock::now());
        dev.close();
        if (rc != PlaybackResult::Ok) {
            std::printf("%d x %d: open rc %d\n", ps[0], ps[1], code(rc));
            continue;
        }
        double openWorst = 0, silentWorst = 0, zeroWorst = 0;
        for (int i = 0; i < 5; ++i) {
            std::this_thread::sleep_for(100ms);
            t = Clock::now();
            dev.open();
            openWorst = std::max(openWorst, msBetween(t, Clock::now()));
            dev.shortMsg(packShortMsg(0x90, 60 + i, 127));
            dev.close();
        }
        for (int i = 0; i < 3; ++i) {
            const StopFigures stop = stopToSilence(dev, pa);
            silentWorst = std::max(silentWorst, stop.heard);
            zeroWorst = std::max(zeroWorst, stop.zero);
        }
        const double idle0 = cpuSeconds();
        std::this_thread::sleep_for(2s);
        const double idleCpu = 100.0 * (cpuSeconds() - idle0) / 2.0;
        const PlayFigures f = playMelody(shared, sf, pa);
        char name[32], lag[48], step[64] = "-";
        if (!f.highlightErrors.empty())
            std::snprintf(step, sizeof step, "%.0f..%.0f ms, median %.0f",
                          f.highlightErrors.front(), f.highlightErrors.back(),
                          f.highlightErrors[f.highlightErrors.size() / 2]);
        std::snprintf(name, sizeof name, "%d x %d", ps[0], ps[1]);
        std::snprintf(lag, sizeof lag, "%.0f..%.0f ms (%zu/%zu)", f.lagMin, f.lagMax, f.heard,
                      f.sent);
        std::printf(
            "%-12s %6.1f ms %7.1f ms %6.2f ms %7.1f ms %7.1f ms %8.1f %% %11.1f %% %-22s %s\n",
            name, f.latencyMedian, cold, openWorst, silentWorst, zeroWorst, idleCpu, f.cpuPercent,
            lag, step);
    }
    std::printf(
        "latency: median reported at the note-ons; open: worst of 5 after prepare; stop-silent: "
        "worst of 3, close() to the last sound "
        "heard, stop-zero: to the last sample not exactly zero; sound-lag: note-on to sound heard, "
        "min..max; sound-after-highlight: how long after a highlight delayed by the latency the "
        "engine reported at the note-on the sound was heard\n");

    FluidSynthMidiOut(shared, sf, {"pulseaudio"}).open(); // the destructor closes: idle from now
    engine.setIdleRelease(200ms);
    Clock::time_point t = Clock::now();
    while (engine.audioRunning() && msBetween(t, Clock::now()) < 5000)
        std::this_thread::sleep_for(1ms);
    std::printf("idle release after 200 ms: output closed %s after %.0f ms (worker thread)\n",
                engine.audioRunning() ? "NOT" : "", msBetween(t, Clock::now()));
    {
        FluidSynthMidiOut dev(shared, sf, {"pulseaudio"});
        t = Clock::now();
        const PlaybackResult rc = dev.open();
        std::printf("open after the idle release: rc %d, %.2f ms\n", code(rc),
                    msBetween(t, Clock::now()));
    }
    t = Clock::now();
    engine.stopAudio();
    std::printf("closing the output on this thread (as when the engine goes): %.0f ms\n",
                msBetween(t, Clock::now()));
    return 0;
}
