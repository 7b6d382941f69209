// Independent reader: abc2midi turns the ABC we write into MIDI, whose notes must be the ones
// our own MIDI conversion plays for the same score.
#include "base/AtomicFile.h"
#include "base/ChildProcess.h"
#include "interchange/AbcWriter.h"
#include "midi/ScoreToMidi.h"
#include "score/ScoreFile.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <sstream>

using namespace notaro;

namespace {

/// A note as heard: pitch in quarter tones, onset and length in 1/960 quarter notes (both
/// divisions, ours 192 and abc2midi's 480, divide it).
struct Heard {
    int32_t pitch = 0;
    int64_t on = 0;
    int64_t length = 0;
};
constexpr int64_t kCommonDivision = 960;
constexpr int32_t kQuarterToneBend = 2048;

std::vector<Heard> heardNotes(tMidiF04& file) {
    std::vector<Heard> notes;
    const int64_t scale = kCommonDivision / file.midiHdrDivision();
    for (int32_t t = 0; t < file.numOfTracks(); ++t) {
        tMidiTrk& track = *file.tracks(t);
        track.setEvtsAbsTicks();
        int32_t bend[16] = {};
        std::vector<size_t> open(128, SIZE_MAX);
        for (int32_t e = 0; e < track.trkNEvents(); ++e) {
            const tMidiEvt& ev = track.trkEvents(e);
            if (ev.eType != 1 || ev.eData.size() < 3)
                continue;
            const auto status = static_cast<uint8_t>(ev.eData[0]);
            const auto d1 = static_cast<uint8_t>(ev.eData[1]);
            const auto d2 = static_cast<uint8_t>(ev.eData[2]);
            const int64_t at = ev.absTick * scale;
            if ((status & 0xF0) == 0xE0) {
                bend[status & 15] = (d1 | d2 << 7) - 8192;
            } else if ((status & 0xF0) == 0x90 && d2 > 0) {
                const auto steps =
                    static_cast<int32_t>(std::lround(bend[status & 15] / double(kQuarterToneBend)));
                open[d1] = notes.size();
                notes.push_back({d1 * 2 + steps, at, 0});
            } else if (((status & 0xF0) == 0x80 || (status & 0xF0) == 0x90) &&
                       open[d1] != SIZE_MAX) {
                notes[open[d1]].length = at - notes[open[d1]].on;
                open[d1] = SIZE_MAX;
            }
        }
    }
    if (!notes.empty()) // abc2midi starts a tick late
        for (Heard& n : notes)
            n.on -= notes.front().on;
    return notes;
}

std::string listing(const std::vector<Heard>& notes) {
    std::ostringstream out;
    for (const Heard& n : notes)
        out << n.pitch << '@' << n.on << '+' << n.length << ' ';
    return out.str();
}

/// How our notes and abc2midi's compare: "" when they agree, else the first difference.
std::string compareWithAbc2midi(const std::string& scoreText, const std::string& folder) {
    cTParse parser;
    if (!parser.parseAramText(scoreText).ok())
        return "score does not parse";
    ScoreMidiOptions options;
    options.ratios.normal.fill(1.0f);
    options.ratios.staccato.fill(1.0f);
    tMidiF04 ours;
    if (buildScoreMidi(parser, options, ours) != MidiResult::Ok)
        return "no MIDI of ours";
    const std::string abcPath = folder + "/tune.abc", midPath = folder + "/tune.mid";
    base::writeFileAtomically(abcPath, interchange::writeAbcTune(parser, scoreText).text);
    const base::ChildResult run = base::runChild({"abc2midi", abcPath, "-o", midPath}, "", 20000);
    tMidiF04 theirs;
    if (!run.succeeded() || theirs.readMidiFile(midPath) != MidiResult::Ok)
        return "abc2midi failed: " + run.out + run.err;
    const std::vector<Heard> a = heardNotes(ours), b = heardNotes(theirs);
    // abc2midi sounds a staccato note for half its length; ours here sound whole.
    std::vector<bool> staccato;
    for (int32_t i = 0; i < parser.nNotes(); ++i) {
        const cGnsNote& rec = parser.theNotes(i);
        if (!rec.isDirective() && !rec.isRest() && !(rec.tie & cGnsNote::kBowFromPrevious))
            staccato.push_back(rec.staccatoLevel > 0);
    }
    // A tick of each file, and the rounding both programs add up over fifths and sevenths of a
    // quarter that neither division holds (a quarter of a percent).
    const int64_t slack = kCommonDivision / kScoreMidiDivision + kCommonDivision / 240;
    for (size_t i = 0; i < std::min(a.size(), b.size()); ++i)
        if (a[i].pitch != b[i].pitch || std::llabs(a[i].on - b[i].on) > slack + a[i].on / 400 ||
            std::llabs(a[i].length / (i < staccato.size() && staccato[i] ? 2 : 1) - b[i].length) >
                slack)
            return "note " + std::to_string(i) + "\nours   " + listing(a) + "\ntheirs " +
                   listing(b);
    if (a.size() != b.size())
        return "counts " + std::to_string(a.size()) + " " + std::to_string(b.size());
    return "";
}

struct Folder {
    std::string path =
        ::mkdtemp((std::filesystem::temp_directory_path() / "notaro-abc-XXXXXX").string().data());
    ~Folder() { std::filesystem::remove_all(path); }
};

struct NotationCase {
    const char* name;
    const char* notes;
    bool same;
    const char* abc = ""; // a piece of the ABC text
};
void PrintTo(const NotationCase& c, std::ostream* os) {
    *os << c.name;
}

// The lines after the header; a case whose notes abc2midi hears differently says so.
const NotationCase kCases[] = {
    {"values with dots",
     "0c 1d 1.e 2f 2.g 2..a 4b 4.c 4..d 8e 8.f 8..g 16a 16.b 16..c 32d 32.e "
     "32..f 64g 64.a | 1:",
     true},
    {"triplets and sextuplets", "3c 3d 3e | 6c 6d 6e 6f 6g 6a | 6.c 12d 3e 3f", true},
    {"twelfths and 24ths", "12c 12d 12e 12f 12g 12a | 24c 24d 24e 24f 24g 24a 24b 24c 4d", true},
    {"quintuplets and sevenths", "5c 5d 5e 5f 5g | 7c 7d 7e 7f 7g 7a 7b | 10c 10d 4e", true},
    {"quarter tones both ways", "4c+ 4d~ 4e~ 4e | 4f+ 8b~ 8b 8b+ 8b# 4cc~ | 4BB+ 4g# 4g", true},
    {"ties across bars", "2c 4d 4e[ | 4e] 4f 2g[ | 2g 2g] | 4a[ 8a] 8:", true},
    {"slurs and staccato", "4c( 4d 4e) 4f' | 8g' 8a' 8b( 8cc) 4c( 4d[ 4d])", true},
    {"tempo and instrument changes", "4c 4d\r\n*t[90]\r\n4e 4f\r\n*i[40]\r\n*t[200]\r\n4g 2a",
     true},
    {"named blocks with repeats",
     "*def[Motif]\r\n4c 8d( 8e) |\r\n*enddef\r\n*usedef[Motif:3]\r\n2g |\r\n*usedef[Motif]", true},
    // A double-dotted 64th cannot be drawn: the staff shows a dotted 64th (of the two nearest,
    // the shorter) with a mark above, so abc2midi hears the shorter value and every later note
    // early.
    {"a value no engraver draws", "64..c 8d 4e", false, "\"^*\"C3/16"},
};

class AbcNotationCase : public ::testing::TestWithParam<NotationCase> {};

TEST_P(AbcNotationCase, Abc2midiHearsOurNotes) {
    Folder folder;
    const std::string text = std::string("**n[a-b-c]\r\n") + GetParam().notes + "\r\n";
    const std::string diff = compareWithAbc2midi(text, folder.path);
    cTParse parser;
    ASSERT_TRUE(parser.parseAramText(text).ok());
    EXPECT_NE(interchange::writeAbcTune(parser, text).text.find(GetParam().abc), std::string::npos);
    if (GetParam().same)
        EXPECT_EQ(diff, "");
    else
        EXPECT_NE(diff, "");
}

INSTANTIATE_TEST_SUITE_P(Cases, AbcNotationCase, ::testing::ValuesIn(kCases), [](const auto& info) {
    std::string name;
    for (const char* c = info.param.name; *c; ++c)
        name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
    return name;
});

TEST(AbcMidiCheck, Abc2midiHearsEverySampleAsWePlayIt) {
    int32_t checked = 0;
    for (const auto& entry :
         std::filesystem::directory_iterator(std::string(NOTARO_SOURCE_DIR) + "/data/samples")) {
        const ScoreFileResult file = readScoreFile(entry.path().string(), kToolScoreLimit);
        ASSERT_EQ(file.status, ScoreFileStatus::Read);
        Folder folder;
        EXPECT_EQ(compareWithAbc2midi(file.text, folder.path), "") << entry.path();
        ++checked;
    }
    EXPECT_GE(checked, 7);
}

} // namespace
