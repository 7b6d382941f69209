#include "interchange/MusicXmlWriter.h"

#include "base/AtomicFile.h"
#include "base/TextUtil.h"
#include "interchange/InterchangeResult.h"
#include "score/cTParse.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <numeric>
#include <vector>

namespace notaro::interchange {

namespace {

/// Readers keep divisions in a machine integer; beyond this the tuplets are too many to count.
constexpr int64_t kMaxDivisions = 1'000'000;

const char* const kSteps = "CDEFGAB";

std::string escaped(const std::string& text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

/// The written value of a length n/m (lowest terms) of whole notes: the note value v
/// (0 the double whole note) and dots, as the parser built it.
void valueOf(int64_t n, int64_t m, int64_t& v, int32_t& dots) {
    dots = n == 7 ? 2 : n == 3 ? 1 : 0;
    if (n == 2 || (n == 3 && m == 1) || (n == 7 && m == 2))
        v = 0;
    else if (n == 1 || n == 3 || n == 7)
        v = m >> dots;
    else
        v = 4; // not a length the parser builds; the duration stays exact all the same
}

const char* typeName(int64_t power) {
    switch (power) {
    case 0:
        return "breve";
    case 1:
        return "whole";
    case 2:
        return "half";
    case 4:
        return "quarter";
    case 8:
        return "eighth";
    case 16:
        return "16th";
    case 32:
        return "32nd";
    case 64:
        return "64th";
    case 128:
        return "128th";
    case 256:
        return "256th";
    case 512:
        return "512th";
    default:
        return "1024th";
    }
}

/// Whether a "|" follows the token of rec before the next token on its line.
bool barAfter(const cGnsNote& rec, const std::vector<std::string>& lines) {
    if (rec.noteLineNum < 1 || rec.noteLineNum > static_cast<int32_t>(lines.size()))
        return false;
    const std::string& line = lines[static_cast<size_t>(rec.noteLineNum - 1)];
    for (size_t i = static_cast<size_t>(rec.noteCharNum + rec.noteStrLen); i < line.size(); ++i) {
        const char c = line[i];
        if (c == '|')
            return true;
        if (std::strchr(" \t,=^", c) == nullptr)
            return false;
    }
    return false;
}

std::string metronome(int32_t qnpm) {
    const std::string n = std::to_string(qnpm);
    return "      <direction placement=\"above\">\n        <direction-type>\n          "
           "<metronome>\n            <beat-unit>quarter</beat-unit>\n            <per-minute>" +
           n +
           "</per-minute>\n          </metronome>\n        </direction-type>\n        "
           "<sound tempo=\"" +
           n + "\"/>\n      </direction>\n";
}

std::string programChange(int32_t program) {
    return "      <sound>\n        <midi-instrument id=\"P1-I1\">\n          <midi-program>" +
           std::to_string(program + 1) +
           "</midi-program>\n        </midi-instrument>\n      "
           "</sound>\n";
}

/// The time signature of bars of length quarters (a fraction num/den of quarter notes), or ""
/// when it has none of beat types 4 to 64.
std::string timeSignature(int64_t num, int64_t den, bool shown) {
    for (int64_t beatType = 4; beatType <= 64; beatType *= 2) {
        const int64_t scaled = num * (beatType / 4);
        if (scaled % den == 0 && scaled / den > 0 && scaled / den < 100)
            return std::string(shown ? "        <time>" : "        <time print-object=\"no\">") +
                   "\n          <beats>" + std::to_string(scaled / den) +
                   "</beats>\n          <beat-type>" + std::to_string(beatType) +
                   "</beat-type>\n        </time>\n";
    }
    return "";
}

struct NoteLength {
    int64_t n = 0;
    int64_t m = 1;
};

NoteLength lengthOf(const cGnsNote& rec) {
    int64_t n = rec.dur->Numer(), m = rec.dur->Denom();
    if (m < 0) {
        n = -n;
        m = -m;
    }
    const int64_t g = std::gcd(n, m);
    return g > 0 ? NoteLength{n / g, m / g} : NoteLength{0, 1};
}

} // namespace

std::string musicXmlText(const cTParse& parser, const std::string& text) {
    std::vector<std::string> lines;
    for (const std::string_view line : text::splitCrLfLines(text))
        lines.emplace_back(line);

    // Divisions per quarter note, and the length of each measure in them.
    int64_t divisions = 1;
    for (int32_t i = 0; i < parser.nNotes(); ++i) {
        const cGnsNote& rec = parser.theNotes(i);
        if (rec.isDirective() || !rec.dur)
            continue;
        const NoteLength l = lengthOf(rec);
        if (l.n <= 0)
            continue;
        const int64_t need = l.m / std::gcd(4 * l.n, l.m);
        divisions = std::lcm(divisions, need);
        if (divisions > kMaxDivisions)
            throw InterchangeError(InterchangeResult::TooFine, "the note values need more than " +
                                                                   std::to_string(kMaxDivisions) +
                                                                   " divisions of a quarter note");
    }
    const auto durationOf = [&](const NoteLength& l) { return l.n * 4 * divisions / l.m; };
    std::vector<int64_t> measureLengths(1, 0);
    std::vector<bool> bars(static_cast<size_t>(parser.nNotes()), false);
    int32_t notesSoFar = 0;
    std::vector<int32_t> keys;
    for (int32_t i = 0; i < parser.nNotes(); ++i) {
        const cGnsNote& rec = parser.theNotes(i);
        if (rec.isDirective() || !rec.dur)
            continue;
        ++notesSoFar;
        measureLengths.back() += durationOf(lengthOf(rec));
        if (!rec.isRest())
            keys.push_back(static_cast<int32_t>(rec.notePao->tMidi()));
        if (barAfter(rec, lines)) {
            bars[static_cast<size_t>(i)] = true;
            measureLengths.push_back(0);
        }
    }
    if (measureLengths.size() > 1 && measureLengths.back() == 0)
        measureLengths.pop_back();

    // One length for every bar but a pickup and the last gives the time signature; bars of
    // differing lengths each get a hidden one where their length changes, so that a reader
    // places every note where it belongs. A score without a bar line has no metre at all.
    const size_t k = measureLengths.size();
    std::vector<std::string> times(k);
    bool pickup = false;
    if (std::find(bars.begin(), bars.end(), true) != bars.end()) {
        const size_t from = k >= 3 ? 1 : 0, to = k >= 3 ? k - 1 : k;
        bool same = true;
        for (size_t j = from; j < to; ++j)
            same = same && measureLengths[j] == measureLengths[from];
        const int64_t bar = measureLengths[from];
        if (same && bar > 0 && measureLengths.front() <= bar && measureLengths.back() <= bar) {
            const int64_t g = std::gcd(bar, divisions);
            times[0] = timeSignature(bar / g, divisions / g, true);
            pickup = !times[0].empty() && k >= 3 && measureLengths.front() < bar;
        }
        const bool uniform = !times[0].empty();
        for (size_t j = 0; !uniform && j < k; ++j) {
            if (j > 0 && measureLengths[j] == measureLengths[j - 1])
                continue;
            const int64_t g = std::gcd(measureLengths[j], divisions);
            times[j] = g > 0 ? timeSignature(measureLengths[j] / g, divisions / g, false) : "";
        }
    }
    if (times[0].empty())
        times[0] =
            "        <time print-object=\"no\">\n          <senza-misura/>\n        </time>\n";

    std::string title, rights;
    for (const MetaComment& c : parser.metaCommentLines()) {
        if (c.type == 3 && title.empty())
            title = c.text;
        else if (c.type == 2 && rights.empty())
            rights = c.text;
    }
    int64_t keySum = 0;
    for (const int32_t k : keys)
        keySum += k;
    const bool bass = !keys.empty() && keySum / static_cast<int64_t>(keys.size()) < 55;
    int32_t firstProgram = 0;
    for (int32_t i = 0; i < parser.nNotes(); ++i) {
        const cGnsNote& rec = parser.theNotes(i);
        if (rec.eventType == cGnsNote::kInstrument) {
            firstProgram = rec.xVal;
            break;
        }
        if (!rec.isDirective())
            break;
    }

    std::string x = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n"
                    "<!DOCTYPE score-partwise PUBLIC \"-//Recordare//DTD MusicXML 4.0 "
                    "Partwise//EN\" \"http://www.musicxml.org/dtds/partwise.dtd\">\n"
                    "<score-partwise version=\"4.0\">\n";
    if (!title.empty())
        x += "  <work>\n    <work-title>" + escaped(title) + "</work-title>\n  </work>\n";
    x += "  <identification>\n";
    if (!rights.empty())
        x += "    <rights>" + escaped(rights) + "</rights>\n";
    x += "    <encoding>\n      <software>notaro</software>\n    </encoding>\n"
         "  </identification>\n  <part-list>\n    <score-part id=\"P1\">\n"
         "      <part-name>Melody</part-name>\n      <score-instrument id=\"P1-I1\">\n"
         "        <instrument-name>Melody</instrument-name>\n      </score-instrument>\n"
         "      <midi-instrument id=\"P1-I1\">\n        <midi-channel>1</midi-channel>\n"
         "        <midi-program>" +
         std::to_string(firstProgram + 1) +
         "</midi-program>\n      </midi-instrument>\n    </score-part>\n  </part-list>\n"
         "  <part id=\"P1\">\n";

    size_t measure = 0;
    bool open = false, sawNote = false;
    int32_t program = firstProgram;
    std::map<std::pair<int32_t, int32_t>, int32_t> shown; // step, octave -> alteration shown
    const auto openMeasure = [&] {
        const int32_t number = static_cast<int32_t>(measure) + (pickup ? 0 : 1);
        x += "    <measure number=\"" + std::to_string(number) + "\"" +
             (pickup && measure == 0 ? " implicit=\"yes\"" : "") + ">\n";
        if (measure == 0)
            x += "      <attributes>\n        <divisions>" + std::to_string(divisions) +
                 "</divisions>\n        <key>\n          <fifths>0</fifths>\n        </key>\n" +
                 times[0] + "        <clef>\n          <sign>" + (bass ? "F" : "G") +
                 "</sign>\n          <line>" + (bass ? "4" : "2") +
                 "</line>\n        </clef>\n      </attributes>\n";
        else if (measure < times.size() && !times[measure].empty())
            x += "      <attributes>\n" + times[measure] + "      </attributes>\n";
        open = true;
        shown.clear();
    };
    for (int32_t i = 0; i < parser.nNotes(); ++i) {
        const cGnsNote& rec = parser.theNotes(i);
        if (!open)
            openMeasure();
        if (rec.eventType == cGnsNote::kTempo) {
            x += metronome(rec.xVal);
            continue;
        }
        if (rec.eventType == cGnsNote::kInstrument) {
            if (sawNote && rec.xVal != program)
                x += programChange(rec.xVal);
            program = rec.xVal;
            continue;
        }
        if (!rec.dur || !rec.notePao)
            continue;
        sawNote = true;
        const NoteLength l = lengthOf(rec);
        int64_t v = 4;
        int32_t dots = 0;
        valueOf(l.n, l.m, v, dots);
        int64_t power = 1;
        while (v > 0 && power * 2 <= v)
            power *= 2;
        x += "      <note>\n";
        const cNotePAO& p = *rec.notePao;
        int32_t alter2 = 0; // in quarter tones
        if (rec.isRest()) {
            x += "        <rest/>\n";
        } else {
            alter2 = p.accidental - 2;
            const int32_t step = p.pitch % 7;
            x += "        <pitch>\n          <step>" + std::string(1, kSteps[step]) + "</step>\n";
            if (alter2 != 0)
                x += std::string("          <alter>") +
                     (alter2 == -2   ? "-1"
                      : alter2 == -1 ? "-0.5"
                      : alter2 == 1  ? "0.5"
                                     : "1") +
                     "</alter>\n";
            x += "          <octave>" + std::to_string(p.octave) + "</octave>\n        </pitch>\n";
        }
        x += "        <duration>" + std::to_string(durationOf(l)) + "</duration>\n";
        const bool tieStart = (rec.tie & cGnsNote::kBowToNext) != 0;
        const bool tieStop = (rec.tie & cGnsNote::kBowFromPrevious) != 0;
        if (tieStop)
            x += "        <tie type=\"stop\"/>\n";
        if (tieStart)
            x += "        <tie type=\"start\"/>\n";
        x += "        <voice>1</voice>\n        <type>" +
             std::string(typeName(v == 0 ? 0 : power)) + "</type>\n";
        for (int32_t d = 0; d < dots; ++d)
            x += "        <dot/>\n";
        if (!rec.isRest()) {
            const auto key =
                std::make_pair(static_cast<int32_t>(p.pitch), static_cast<int32_t>(p.octave));
            const auto it = shown.find(key);
            const int32_t before = it == shown.end() ? 0 : it->second;
            if (alter2 != before && !tieStop) {
                static const char* const kAccidentals[] = {"flat", "quarter-flat", "natural",
                                                           "quarter-sharp", "sharp"};
                x += std::string("        <accidental>") + kAccidentals[alter2 + 2] +
                     "</accidental>\n";
                shown[key] = alter2;
            }
        }
        if (v > 0 && power != v) {
            const int64_t g = std::gcd(power, v);
            x += "        <time-modification>\n          <actual-notes>" + std::to_string(v / g) +
                 "</actual-notes>\n          <normal-notes>" + std::to_string(power / g) +
                 "</normal-notes>\n        </time-modification>\n";
        }
        std::string notations;
        if (tieStop)
            notations += "          <tied type=\"stop\"/>\n";
        if (tieStart)
            notations += "          <tied type=\"start\"/>\n";
        if (!rec.isRest()) {
            const bool slurFrom = (rec.slur & cGnsNote::kBowFromPrevious) != 0;
            const bool slurTo = (rec.slur & cGnsNote::kBowToNext) != 0;
            if (slurTo && !slurFrom)
                notations += "          <slur type=\"start\" number=\"1\"/>\n";
            else if (slurFrom && !slurTo)
                notations += "          <slur type=\"stop\" number=\"1\"/>\n";
            if (rec.staccatoLevel != 0)
                notations += "          <articulations>\n            <staccato/>\n"
                             "          </articulations>\n";
        }
        if (!notations.empty())
            x += "        <notations>\n" + notations + "        </notations>\n";
        x += "      </note>\n";
        if (bars[static_cast<size_t>(i)]) {
            x += "    </measure>\n";
            open = false;
            ++measure;
        }
    }
    if (!open && measure == 0)
        openMeasure();
    if (open)
        x += "    </measure>\n";
    x += "  </part>\n</score-partwise>\n";
    return x;
}

void writeMusicXmlFile(const std::string& path, const cTParse& parser, const std::string& text) {
    const std::string xml = musicXmlText(parser, text);
    if (const int32_t rc = base::writeFileAtomically(path, xml); rc != 0)
        throw InterchangeError(InterchangeResult::NotWritten, std::strerror(rc));
}

} // namespace notaro::interchange
