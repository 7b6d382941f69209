// End-to-end export: parse a generated score, convert it and write the MIDI file.
#include "bench/parse/ScoreGenerator.h"
#include "midi/ScoreToMidi.h"
#include "score/cTParse.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <unistd.h>

namespace {

void BM_Export(benchmark::State& state) {
    const std::string text = notaro::bench::generateScore(state.range(0));
    const std::string path = "/tmp/notaro-bench-export-" + std::to_string(::getpid()) + ".mid";
    int64_t notes = 0;
    for (auto _ : state) {
        notaro::cTParse parser;
        if (const notaro::ParseError error = parser.parseAramText(text); !error.ok()) {
            state.SkipWithError(error.message.c_str());
            break;
        }
        if (notaro::scoreToMidiFile(path, parser, notaro::ScoreMidiOptions()) !=
            notaro::MidiResult::Ok) {
            state.SkipWithError("conversion failed");
            break;
        }
        notes = 0;
        for (int32_t i = 0; i < parser.nNotes(); ++i)
            notes += parser.theNotes(i).eventType == notaro::cGnsNote::kNote;
    }
    std::remove(path.c_str());
    state.counters["notes"] = static_cast<double>(notes);
    state.counters["notes_per_second"] = benchmark::Counter(
        static_cast<double>(notes), benchmark::Counter::kIsIterationInvariantRate);
}

} // namespace

BENCHMARK(BM_Export)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
