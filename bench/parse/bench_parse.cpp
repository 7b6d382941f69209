// Parser throughput and memory per record on generated scores.
#include "bench/parse/ScoreGenerator.h"
#include "score/cTParse.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <malloc.h>
#include <new>

namespace {

// Live heap bytes, so that the memory a parse keeps can be measured exactly.
std::atomic<int64_t> g_liveBytes{0};

} // namespace

void* operator new(size_t n) {
    void* p = std::malloc(n ? n : 1);
    if (!p)
        throw std::bad_alloc();
    g_liveBytes += static_cast<int64_t>(malloc_usable_size(p));
    return p;
}

void* operator new[](size_t n) {
    return operator new(n);
}

// The replaced operators pair malloc with free themselves, which the compiler cannot see.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

static void countedFree(void* p) noexcept {
    if (p) {
        g_liveBytes -= static_cast<int64_t>(malloc_usable_size(p));
        std::free(p);
    }
}

void operator delete(void* p) noexcept {
    countedFree(p);
}
void operator delete[](void* p) noexcept {
    countedFree(p);
}
void operator delete(void* p, size_t) noexcept {
    countedFree(p);
}
void operator delete[](void* p, size_t) noexcept {
    countedFree(p);
}

namespace {

void BM_Parse(benchmark::State& state) {
    const std::string text = notaro::bench::generateScore(state.range(0));
    notaro::cTParse parser;
    int64_t records = 0;
    int64_t notes = 0;
    for (auto _ : state) {
        const notaro::ParseError error = parser.parseAramText(text);
        if (!error.ok()) {
            state.SkipWithError(error.message.c_str());
            return;
        }
        records = parser.nNotes();
        benchmark::DoNotOptimize(records);
    }
    for (int32_t i = 0; i < parser.nNotes(); ++i)
        notes += parser.theNotes(i).eventType == notaro::cGnsNote::kNote;

    // Memory kept by one parse: everything a fresh parser holds afterwards, and the share of
    // it that is record storage (comment text lives in its own strings and is left out).
    int64_t commentBytes = 0;
    for (int32_t i = 0; i < parser.nNotes(); ++i) {
        const notaro::CommentLines& c = parser.theNotes(i).preCommentLines;
        if (!c.empty())
            commentBytes += static_cast<int64_t>(sizeof(std::string) + c.str().capacity() + 1);
    }
    const int64_t before = g_liveBytes;
    {
        notaro::cTParse fresh;
        fresh.parseAramText(text);
        const int64_t kept = g_liveBytes - before;
        state.counters["bytes_per_record"] =
            static_cast<double>(kept - commentBytes - static_cast<int64_t>(text.size())) /
            static_cast<double>(records);
        state.counters["record_slot_bytes"] = sizeof(notaro::cGnsNote);
    }
    state.counters["records"] = static_cast<double>(records);
    state.counters["notes_per_second"] = benchmark::Counter(
        static_cast<double>(notes), benchmark::Counter::kIsIterationInvariantRate);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(text.size()));
}

/// Ten definitions each using the previous one 32767 times: the parse must stop at the
/// record limit quickly and keep no more memory than the records it made.
void BM_RunawayExpansion(benchmark::State& state) {
    std::string text = "**n[a-b-c]\r\n*def[D0]\r\n4c 4d\r\n*enddef\r\n";
    for (int i = 1; i < 10; ++i)
        text += "*def[D" + std::to_string(i) + "]\r\n*usedef[D" + std::to_string(i - 1) +
                ":32767]\r\n*enddef\r\n";
    text += "*usedef[D9:32767]\r\n";
    int64_t kept = 0;
    for (auto _ : state) {
        const int64_t before = g_liveBytes;
        notaro::cTParse parser;
        if (parser.parseAramText(text).ok()) {
            state.SkipWithError("the runaway score parsed");
            return;
        }
        kept = g_liveBytes - before;
        benchmark::DoNotOptimize(kept);
    }
    state.counters["heap_MB_at_stop"] = static_cast<double>(kept) / 1e6;
    state.counters["bytes_per_record"] = static_cast<double>(kept) / notaro::cTParse::kMaxRecords;
}

} // namespace

BENCHMARK(BM_RunawayExpansion)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Parse)->Arg(10'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
