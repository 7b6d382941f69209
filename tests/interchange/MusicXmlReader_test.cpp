// What we write as MusicXML is read by a score program we did not write: LilyPond's
// musicxml2ly turns it into LilyPond input and lilypond plays that as MIDI. It must play the
// notes of the score, each at its onset; a note may sound shorter than written (lilypond ends
// a note before a rest a little early), never longer.
#include "interchange/MidiScan.h"
#include "interchange/MusicXmlWriter.h"
#include "midi/tMidiF04.h"
#include "tests/common/CommandOutput.h"
#include "tests/interchange/InterchangeTestSupport.h"
#include "tests/midi/midiTestSupport.h"

#include <cmath>
#include <sstream>

using namespace notaro;

namespace {

struct Played {
    double pitch;
    int64_t onset, length; // in 1/768 of a whole note
};

std::vector<Played> parse(const std::string& notes) {
    std::vector<Played> out;
    std::istringstream in(notes);
    for (std::string item; in >> item;) {
        const size_t at = item.find('@'), slash = item.find('/');
        out.push_back({std::stod(item.substr(0, at)), std::stoll(item.substr(at + 1, slash)),
                       std::stoll(item.substr(slash + 1))});
    }
    return out;
}

std::vector<Played> playedBy(const std::string& midiPath) {
    tMidiF04 midi;
    if (midi.readMidiFile(midiPath) != MidiResult::Ok)
        return {};
    const interchange::MidiScan scan(midi);
    std::vector<Played> out;
    for (const interchange::MelodyCandidate& c : scan.candidates())
        for (const interchange::ScannedNote& n : scan.source(c).notes)
            out.push_back({n.key + n.cents / 100.0, n.on * 192 / midi.midiHdrDivision(),
                           (n.off - n.on) * 192 / midi.midiHdrDivision()});
    return out;
}

} // namespace

TEST(MusicXmlReader, LilyPondPlaysTheNotesOfEverySampleAndCase) {
    if (std::system("command -v musicxml2ly >/dev/null && command -v lilypond >/dev/null") != 0)
        GTEST_SKIP() << "musicxml2ly and lilypond (Debian package lilypond) are not installed";
    midiTest::TempDir dir;
    const std::vector<std::string> texts = interchangeTest::scoreTexts();
    std::string lyFiles;
    for (size_t i = 0; i < texts.size(); ++i) {
        cTParse p;
        ASSERT_EQ(p.parseAramText(texts[i]).message, "");
        const std::string base = (dir.path / ("s" + std::to_string(i))).string();
        interchange::writeMusicXmlFile(base + ".musicxml", p, texts[i]);
        ASSERT_EQ(
            std::system(("musicxml2ly -m -o " + base + ".ly " + base + ".musicxml >/dev/null 2>&1")
                            .c_str()),
            0)
            << texts[i];
        lyFiles += " " + base + ".ly";
    }
    ASSERT_EQ(std::system(("cd " + dir.path.string() + " && lilypond -s -dno-print-pages" +
                           lyFiles + " >/dev/null 2>&1")
                              .c_str()),
              0);
    for (size_t i = 0; i < texts.size(); ++i) {
        const std::vector<Played> ours = parse(interchangeTest::writtenNotes(texts[i]));
        const std::vector<Played> theirs =
            playedBy((dir.path / ("s" + std::to_string(i) + ".midi")).string());
        ASSERT_EQ(theirs.size(), ours.size()) << texts[i];
        for (size_t k = 0; k < ours.size(); ++k) {
            EXPECT_NEAR(theirs[k].pitch, ours[k].pitch, 0.1) << texts[i] << " note " << k;
            EXPECT_EQ(theirs[k].onset, ours[k].onset) << texts[i] << " note " << k;
            EXPECT_LE(theirs[k].length, ours[k].length) << texts[i] << " note " << k;
            EXPECT_GE(theirs[k].length * 2, ours[k].length) << texts[i] << " note " << k;
        }
    }
}
