#include "interchange/InterchangeResult.h"
#include "interchange/MidiImport.h"
#include "midi/ScoreToMidi.h"
#include "score/ScoreFile.h"
#include "tests/interchange/InterchangeTestSupport.h"
#include "tests/midi/midiTestSupport.h"

#include <algorithm>
#include <array>

using namespace notaro;
using namespace notaro::interchange;
using interchangeTest::writtenNotes;
using midiTest::bytesFromHex;
using midiTest::trackChunk;

namespace {

ImportResult importBytes(const std::string& bytes, ImportOptions options = {}) {
    midiTest::TempDir dir;
    const std::string path = (dir.path / "in.mid").string();
    std::ofstream(path, std::ios::binary) << bytes;
    return importMelodyFile(path, options);
}

/// A file of the given format and division (ticks per quarter) with these tracks.
std::string smf(int format, int division, const std::vector<std::string>& tracksHex) {
    char header[64];
    std::snprintf(header, sizeof header, "4D 54 68 64 00 00 00 06 00 %02X 00 %02X %02X %02X",
                  format, static_cast<int>(tracksHex.size()), (division >> 8) & 0xFF,
                  division & 0xFF);
    std::string bytes = bytesFromHex(header);
    for (const std::string& t : tracksHex)
        bytes += trackChunk(t + " 00 FF 2F 00");
    return bytes;
}

/// The events of a track in hex: "TICK: BYTES" items at absolute ticks, sorted, with deltas.
std::string events(std::vector<std::pair<int, std::string>> timed) {
    std::stable_sort(timed.begin(), timed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::string hex;
    int last = 0;
    for (const auto& [tick, bytes] : timed) {
        const std::string delta = midiU00::varLenBytes(tick - last);
        for (const char c : delta) {
            char b[8];
            std::snprintf(b, sizeof b, "%02X ", static_cast<unsigned char>(c));
            hex += b;
        }
        hex += bytes + " ";
        last = tick;
    }
    return hex;
}

/// Note-on and note-off events of notes {on, off, key} on a channel (0-based).
std::vector<std::pair<int, std::string>> notes(int channel, std::vector<std::array<int, 3>> list) {
    std::vector<std::pair<int, std::string>> timed;
    for (const auto& [on, off, key] : list) {
        char b[32];
        std::snprintf(b, sizeof b, "%X %02X 64", 0x90 + channel, key);
        timed.emplace_back(on, b);
        std::snprintf(b, sizeof b, "%X %02X 00", 0x80 + channel, key);
        timed.emplace_back(off, b);
    }
    std::stable_sort(timed.begin(), timed.end(), [](const auto& a, const auto& b) {
        return a.first != b.first ? a.first < b.first : a.second[0] == '8';
    });
    return timed;
}

template <typename... More>
std::vector<std::pair<int, std::string>> join(std::vector<std::pair<int, std::string>> a,
                                              const More&... more) {
    (a.insert(a.end(), more.begin(), more.end()), ...);
    return a;
}

} // namespace

TEST(MidiImport, FilesOfOtherProgramsBecomeOneMelodicLine) {
    const std::string quarters = "00 FF 58 04 04 02 18 08 "; // 4/4, then notes on 96 ticks
    const auto scale = notes(0, {{0, 90, 60}, {96, 190, 62}, {192, 280, 64}, {288, 384, 65}});
    const char* const scaleNotes = "60@0/192 62@192/192 64@384/192 65@576/192";
    struct Case {
        const char* what;
        std::string file;
        const char* notes; // or the error message
        const char* inText = "";
        const char* report = nullptr; // the report's lines after the first, joined by "; "
        ImportOptions options = {};
    } cases[] = {
        {"format 0, two channels",
         smf(0, 96, {quarters + events(join(scale, notes(1, {{0, 380, 36}})))}), scaleNotes},
        {"format 1 with a drum track",
         smf(1, 96,
             {events(notes(
                  9, {{0, 10, 36}, {48, 58, 38}, {96, 106, 36}, {144, 154, 38}, {192, 202, 36}})),
              events(scale)}),
         scaleNotes},
        {"running status, note-on of velocity 0 as note-off, notes played legato",
         smf(0, 96, {"00 90 3C 40 60 3C 00 00 3E 40 60 3E 00"}), "60@0/192 62@192/192",
         "4c( 4d) 2: |"},
        {"a tempo change mid-bar",
         smf(1, 96,
             {events(join(scale,
                          std::vector<std::pair<int, std::string>>{{192, "FF 51 03 0A 2C 2B"}}))}),
         scaleNotes, "4d\r\n*t[90]\r\n4e"},
        {"a swung line",
         smf(0, 96, {events(notes(0, {{0, 60, 60}, {64, 90, 62}, {96, 156, 64}, {160, 190, 65}}))}),
         "60@0/128 62@128/64 64@192/128 65@320/64"},
        {"a line played off the grid",
         smf(0, 96,
             {events(notes(0, {{2, 90, 60}, {94, 190, 62}, {194, 280, 64}, {286, 384, 65}}))}),
         scaleNotes},
        {"a chord keeps its highest note",
         smf(0, 96, {events(notes(0, {{0, 190, 60}, {0, 190, 64}, {0, 190, 67}}))}), "67@0/384"},
        {"a rolled chord keeps its highest note, not its first",
         smf(0, 96, {events(notes(0, {{0, 190, 60}, {2, 190, 64}, {4, 190, 67}}))}), "67@0/384", "",
         "2 chord notes dropped (each chord keeps its highest note); 2 notes moved by "
         "quantization (at most 0.042 of a beat)"},
        {"a short note alone in its beat keeps its straight length, its onset rounded down",
         smf(0, 96, {events(notes(0, {{5, 29, 60}}))}), "60@0/48", "",
         "1 notes moved by quantization (at most 0.052 of a beat); 1 beats fit neither the "
         "straight grid nor a tuplet grid well"},
        {"an overlap of one tick is legato, a longer one is cut",
         smf(0, 96, {events(notes(0, {{0, 97, 60}, {96, 220, 62}, {192, 280, 64}}))}),
         "60@0/192 62@192/192 64@384/192", "", "1 overlapping notes cut at the next onset"},
        {"a quarter tone up by the pitch wheel",
         smf(0, 96, {"00 E0 00 50 " + events(notes(0, {{0, 90, 60}}))}), "60.5@0/192", "", ""},
        {"a bend of 35 cents is the nearest quarter tone",
         smf(0, 96, {"00 E0 1A 4B " + events(notes(0, {{0, 90, 60}}))}), "60.5@0/192", "",
         "1 pitch bends rounded to the nearest quarter tone"},
        {"a last note held to its bar line", smf(0, 96, {events(notes(0, {{288, 370, 60}}))}),
         "60@576/192", "2.: 4c |"},
        {"a note across a bar line, at a tempo off the whole numbers",
         smf(0, 96, {"00 FF 51 03 07 A0 F6 " + events(notes(0, {{288, 480, 60}}))}), "60@576/384",
         "! the file's tempo: 120.01 quarter notes a minute\r\n*t[120]\r\n2.: 4c[ |"},
        {"a melody of as many records as allowed", smf(0, 96, {events(notes(0, {{0, 384, 60}}))}),
         "60@0/768", "", nullptr, ImportOptions{-1, -1, 0, 1}},
        {"drums when asked for", smf(1, 96, {events(notes(9, {{0, 90, 36}}))}), "36@0/192", "",
         nullptr, ImportOptions{-1, 9}},
        {"a note after days of rest at the fastest tempo",
         smf(0, 1, {"00 FF 51 03 00 00 01 " + events(notes(0, {{0xFFFFFFF, 0x10000000, 60}}))}),
         "the melody needs more than 4000000 notes and rests"},
        {"drums only", smf(1, 96, {events(notes(9, {{0, 10, 36}}))}),
         "no melodic line: every note is on channel 10 (drums)"},
        {"frames, not beats", smf(0, 0xE728, {events(scale)}),
         "the file counts time in SMPTE frames, not in beats"},
        {"a division of 0 ticks to the quarter note", smf(0, 0, {events(scale)}),
         "the file's header gives 0 ticks to the quarter note"},
    };
    for (const Case& c : cases) {
        std::string got;
        try {
            const ImportResult r = importBytes(c.file, c.options);
            got = writtenNotes(r.text);
            EXPECT_NE(r.text.find(c.inText), std::string::npos) << c.what << "\n" << r.text;
            const std::vector<std::string> lines = reportLines(r.report);
            std::string report;
            for (size_t k = 1; k < lines.size(); ++k)
                report += (k > 1 ? "; " : "") + lines[k];
            EXPECT_TRUE(c.report == nullptr || report == c.report) << c.what << "\n" << report;
        } catch (const InterchangeError& e) {
            got = e.what();
        }
        EXPECT_EQ(got, c.notes) << c.what;
    }
}
