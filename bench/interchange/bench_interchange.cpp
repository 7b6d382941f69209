// The interchange formats: importing the melody of a MIDI file of 10,000 notes, and writing a
// score of the editor's 64,000 characters as MusicXML. The files are made from a generated
// score and stay in /tmp (their paths are printed), so that the whole commands
// (`notaro-cli import`, `notaro-cli musicxml`) can be timed on them as well.
#include "bench/parse/ScoreGenerator.h"
#include "interchange/MidiImport.h"
#include "interchange/MusicXmlWriter.h"
#include "midi/ScoreToMidi.h"
#include "score/cTParse.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <unistd.h>

namespace {

std::string scratch(const char* name) {
    return "/tmp/notaro-bench-" + std::to_string(::getpid()) + "-" + name;
}

/// A generated score cut at a line end to at most chars characters.
std::string scoreOf(int64_t notes, size_t chars) {
    std::string text = notaro::bench::generateScore(notes);
    if (text.size() > chars)
        text.resize(text.rfind("\r\n", chars - 2) + 2);
    // A definition cut open, or a tie or slur left open, would not parse: close it at the end.
    notaro::cTParse p;
    while (!p.parseAramText(text).ok() && text.size() > 2)
        text.resize(text.rfind("\r\n", text.size() - 3) + 2);
    return text;
}

void BM_ImportMidi(benchmark::State& state) {
    // Notes of the generated score until the file holds the notes asked for.
    notaro::cTParse parser;
    int64_t want = state.range(0), got = 0;
    std::string path = scratch("import.mid");
    for (int64_t notes = want; got < want; notes += notes / 4) {
        if (!parser.parseAramText(notaro::bench::generateScore(notes)).ok()) {
            state.SkipWithError("the generated score does not parse");
            return;
        }
        notaro::tMidiF04 midi;
        notaro::buildScoreMidi(parser, {}, midi);
        std::ofstream(path, std::ios::binary) << midi.makeMidiStr();
        got = 0;
        for (int32_t i = 0; i < parser.nNotes(); ++i)
            got += !parser.theNotes(i).isDirective() && !parser.theNotes(i).isRest();
    }
    int64_t written = 0;
    for (auto _ : state)
        written = notaro::interchange::importMelodyFile(path, {}).report.notes;
    state.counters["notes_in_file"] = static_cast<double>(got);
    state.counters["notes_written"] = static_cast<double>(written);
    std::printf("MIDI file: %s\n", path.c_str());
}

void BM_MusicXmlExport(benchmark::State& state) {
    const std::string text = scoreOf(20'000, static_cast<size_t>(state.range(0)));
    const std::string path = scratch("export.musicxml");
    std::ofstream(scratch("export.NTR"), std::ios::binary) << text;
    for (auto _ : state) {
        notaro::cTParse parser;
        if (!parser.parseAramText(text).ok()) {
            state.SkipWithError("the score does not parse");
            break;
        }
        notaro::interchange::writeMusicXmlFile(path, parser, text);
    }
    state.counters["score_chars"] = static_cast<double>(text.size());
    std::printf("score: %s\n", scratch("export.NTR").c_str());
}

} // namespace

BENCHMARK(BM_ImportMidi)->Arg(10'000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_MusicXmlExport)->Arg(64'000)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
