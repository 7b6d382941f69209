// Writes and reads back a one-track Standard MIDI File of 1,000,000 note events and reports events
// per second each way, plus the peak memory of the process.
#include "midi/tMidiF04.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

using notaro::MidiResult;
using notaro::tMidiF04;
using notaro::tMidiTrk;

namespace {

constexpr int32_t kEvents = 1000000;

std::string benchFile() {
    return (std::filesystem::temp_directory_path() /
            ("notaro-midi-bench-" + std::to_string(::getpid()) + ".mid"))
        .string();
}

// Note-on and note-off pairs over a rising scale, 192 ticks per quarter note.
void fillNotes(tMidiF04& f) {
    f.setMidiHdrDivision(192);
    tMidiTrk& t = *f.tracks(0);
    for (int32_t i = 0; i < kEvents / 2; ++i) {
        const auto note = static_cast<uint8_t>(36 + i % 60);
        t.c_addNoteOnE(i % 2 == 0 ? 0 : 48, 0, note, 100);
        t.c_addNoteOffE(96, 0, note);
    }
}

double peakMiB() {
    struct rusage usage {};
    ::getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void setRate(benchmark::State& state) {
    state.counters["events/s"] = benchmark::Counter(static_cast<double>(kEvents),
                                                    benchmark::Counter::kIsIterationInvariantRate);
    // The peak of the whole process so far; run one benchmark alone (--benchmark_filter) for its
    // own peak.
    state.counters["peak_MiB"] = peakMiB();
}

void BM_FillTrack(benchmark::State& state) {
    for (auto _ : state) {
        tMidiF04 f;
        fillNotes(f);
        benchmark::DoNotOptimize(f.tracks(0)->trkNEvents());
    }
    setRate(state);
}

void BM_WriteFile(benchmark::State& state) {
    tMidiF04 f;
    fillNotes(f);
    const std::string path = benchFile();
    for (auto _ : state) {
        if (f.toFile(path) != MidiResult::FileWritten) {
            state.SkipWithError("toFile failed");
            break;
        }
    }
    setRate(state);
    std::remove(path.c_str());
}

// The file fillNotes gives, written byte by byte so that reading alone shows its own peak memory.
bool writeNoteFile(const std::string& path) {
    std::string body;
    body.reserve(static_cast<size_t>(kEvents) * 4 + 4);
    for (int32_t i = 0; i < kEvents / 2; ++i) {
        const auto note = static_cast<char>(36 + i % 60);
        body += {static_cast<char>(i % 2 == 0 ? 0 : 48), '\x90', note, 100};
        body += {96, '\x80', note, 0};
    }
    body.append("\x00\xFF\x2F\x00", 4);
    const auto n = static_cast<uint32_t>(body.size());
    std::string bytes("MThd\0\0\0\x06\0\x01\0\x01\0\xC0MTrk", 18);
    bytes += {static_cast<char>(n >> 24), static_cast<char>((n >> 16) & 0xFF),
              static_cast<char>((n >> 8) & 0xFF), static_cast<char>(n & 0xFF)};
    bytes += body;
    FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr) {
        return false;
    }
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    return std::fclose(out) == 0 && ok;
}

void BM_ReadFile(benchmark::State& state) {
    const std::string path = benchFile();
    if (!writeNoteFile(path)) {
        state.SkipWithError("cannot write the input file");
        return;
    }
    for (auto _ : state) {
        tMidiF04 f;
        if (f.readMidiFile(path) != MidiResult::Ok || f.tracks(0)->trkNEvents() != kEvents + 1) {
            state.SkipWithError("readMidiFile failed");
            break;
        }
    }
    setRate(state);
    std::remove(path.c_str());
}

BENCHMARK(BM_FillTrack)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadFile)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::printf("peak memory (ru_maxrss): %.1f MiB\n", peakMiB());
    return 0;
}
