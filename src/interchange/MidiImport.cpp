#include "interchange/MidiImport.h"

#include "interchange/InterchangeResult.h"
#include "interchange/MelodyQuantizer.h"
#include "interchange/MelodyText.h"
#include "midi/tMidiF04.h"

#include <cmath>
#include <cstdio>

namespace notaro::interchange {

namespace {

constexpr int32_t kDrumChannel = 9;

std::string tempoLines(int32_t microseconds, ImportReport& report) {
    const double exact = 60'000'000.0 / microseconds;
    const long whole = std::max(1L, std::lround(exact));
    std::string text;
    if (std::fabs(exact - static_cast<double>(whole)) >= 0.005) {
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "! the file's tempo: %.2f quarter notes a minute\r\n",
                      exact);
        text = buffer;
        ++report.tempoRounded;
    }
    return text + "*t[" + std::to_string(whole) + "]";
}

/// The directives and comments of a line at their positions in units, in the order they
/// take effect; a program already in force is not repeated.
std::vector<TimedLine> timedLines(const MelodySource& source, ImportReport& report) {
    const double scale = static_cast<double>(kUnitsPerBeat) / source.division;
    std::vector<TimedLine> lines;
    size_t t = 0, p = 0, x = 0;
    int32_t program = -1;
    while (t < source.tempos.size() || p < source.programs.size() || x < source.texts.size()) {
        const int64_t tt = t < source.tempos.size() ? source.tempos[t].tick : INT64_MAX;
        const int64_t pt = p < source.programs.size() ? source.programs[p].tick : INT64_MAX;
        const int64_t xt = x < source.texts.size() ? source.texts[x].tick : INT64_MAX;
        if (tt <= pt && tt <= xt) {
            // Of several tempos at one tick the last holds.
            if (t + 1 < source.tempos.size() && source.tempos[t + 1].tick == tt) {
                ++t;
                continue;
            }
            lines.push_back(
                {static_cast<double>(tt) * scale, tempoLines(source.tempos[t++].value, report)});
        } else if (pt <= xt) {
            const bool later = p + 1 < source.programs.size() && source.programs[p + 1].tick == pt;
            const int32_t value = source.programs[p++].value;
            if (later || value == program)
                continue;
            program = value;
            lines.push_back({static_cast<double>(pt) * scale, "*i[" + std::to_string(value) + "]"});
        } else {
            const TimedText& text = source.texts[x++];
            lines.push_back({static_cast<double>(xt) * scale,
                             "!!$" + std::to_string(text.type) + ", " + text.text});
        }
    }
    return lines;
}

std::string candidateText(const MelodyCandidate& c) {
    std::string text =
        "track " + std::to_string(c.track) + ", channel " + std::to_string(c.channel + 1);
    if (!c.name.empty())
        text += " (" + c.name + ")";
    return text + ", " + std::to_string(c.noteCount) + " notes";
}

} // namespace

MelodyCandidate chooseLine(const std::vector<MelodyCandidate>& candidates,
                           const ImportOptions& options) {
    const MelodyCandidate* best = nullptr;
    const bool any = options.track < 0 && options.channel < 0;
    for (const MelodyCandidate& c : candidates) {
        if (options.track >= 0 && c.track != options.track)
            continue;
        if (options.channel >= 0 && c.channel != options.channel)
            continue;
        if (any && c.channel == kDrumChannel)
            continue;
        if (best == nullptr || c.noteCount > best->noteCount)
            best = &c;
    }
    if (best != nullptr)
        return *best;
    if (any)
        throw InterchangeError(InterchangeResult::NoMelodicLine,
                               candidates.empty() ? "no melodic line: the file holds no notes"
                                                  : "no melodic line: every note is on channel "
                                                    "10 (drums)");
    std::string where = options.track >= 0 ? "track " + std::to_string(options.track) : "";
    if (options.channel >= 0)
        where += (where.empty() ? "channel " : ", channel ") + std::to_string(options.channel + 1);
    throw InterchangeError(InterchangeResult::NoSuchLine, "no notes on " + where);
}

ImportResult importMelody(const tMidiF04& file, const ImportOptions& options) {
    if (file.midiHdrDivision() < 0)
        throw InterchangeError(InterchangeResult::NoBeats,
                               "the file counts time in SMPTE frames, not in beats");
    if (file.midiHdrDivision() == 0)
        throw InterchangeError(InterchangeResult::NoBeats,
                               "the file's header gives 0 ticks to the quarter note");
    const MidiScan scan(file);
    ImportResult result;
    result.report.line = chooseLine(scan.candidates(), options);
    const MelodySource source = scan.source(result.report.line);
    const int64_t step = options.grid > 0 ? kUnitsPerWhole / options.grid : automaticStep(source);
    const QuantizedLine line = quantizeMelody(source, step, result.report);
    result.report.notes = static_cast<int32_t>(line.notes.size());
    std::vector<std::string> header;
    if (!source.sequenceName.empty())
        header.push_back(source.sequenceName);
    if (!source.trackName.empty() && source.trackName != source.sequenceName)
        header.push_back(source.trackName);
    MelodyText writer(source.keySignature < 0, options.maxRecords);
    result.text =
        writer.write(header, line, timedLines(source, result.report), result.report.keysMoved);
    return result;
}

ImportResult importMelodyFile(const std::string& path, const ImportOptions& options) {
    tMidiF04 file;
    if (file.readMidiFile(path) != MidiResult::Ok)
        throw InterchangeError(InterchangeResult::CannotRead,
                               "cannot read the MIDI file (missing, not a regular file, or "
                               "damaged)");
    return importMelody(file, options);
}

std::vector<std::string> reportLines(const ImportReport& r) {
    std::vector<std::string> lines = {"took " + candidateText(r.line) + "; wrote " +
                                      std::to_string(r.notes) + " notes"};
    const auto add = [&](int32_t count, const std::string& what) {
        if (count > 0)
            lines.push_back(std::to_string(count) + " " + what);
    };
    add(r.chordNotesDropped, "chord notes dropped (each chord keeps its highest note)");
    add(r.notesCut, "overlapping notes cut at the next onset");
    if (r.notesMoved > 0) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%.3f", r.largestMoveBeats);
        lines.push_back(std::to_string(r.notesMoved) + " notes moved by quantization (at most " +
                        buffer + " of a beat)");
    }
    add(r.looseBeats, "beats fit neither the straight grid nor a tuplet grid well");
    add(r.bendsRounded, "pitch bends rounded to the nearest quarter tone");
    add(r.keysMoved, "notes moved by octaves into the score's range");
    add(r.tempoRounded, "tempos rounded to whole quarter notes a minute");
    return lines;
}

} // namespace notaro::interchange
