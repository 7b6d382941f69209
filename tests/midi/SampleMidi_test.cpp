// Every sample score converts to a MIDI file that other programs read and play as we meant:
// mido sees exactly the bytes we wrote, and timidity's rendering lasts as long as the score.
#include "OnRatios.h"
#include "ScoreEncoding.h"
#include "ScoreToMidi.h"
#include "midiTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

namespace fs = std::filesystem;
using namespace notaro;

namespace {

/// The track body as mido reads it: each message's delta time and bytes as a file holds them.
std::string midoBody(const std::string& dump, int& noteOns, int& noteOffs) {
    std::string body;
    std::istringstream in(dump);
    std::string line, track, type, hex;
    std::getline(in, line); // header
    for (int32_t delta = 0; in >> track >> type >> delta >> hex;) {
        noteOns += type == "note_on";
        noteOffs += type == "note_off";
        body += midiU00::varLenBytes(delta);
        for (size_t i = 0; i < hex.size(); i += 2)
            body += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
    }
    return body;
}

/// Ticks (768 to a whole note) from the start of the score to the end of its last note, from
/// the records alone, and the length of that last note: rests at the very end do not sound.
void scoreTicks(const cTParse& p, double& end, double& lastNote) {
    double t = 0;
    end = lastNote = 0;
    for (int32_t i = 0; i < p.nNotes(); ++i) {
        const cGnsNote& r = p.theNotes(i);
        if (r.eventType != cGnsNote::kNote)
            continue;
        const double ticks = 768.0 * r.dur->Numer() / r.dur->Denom();
        t += ticks;
        if (!r.isRest()) {
            end = t;
            lastNote = ticks;
        }
    }
}

} // namespace

TEST(SampleMidi, MidoReadsOurEventsAndTimidityPlaysTheirLength) {
    defaultOnRatios(onRatioNormal, onRatioStaccato);
    midiTest::TempDir dir;
    int samples = 0;
    for (const auto& entry :
         fs::directory_iterator(fs::path(NOTARO_SOURCE_DIR) / "data" / "samples")) {
        if (entry.path().extension() != ".NTR")
            continue;
        ++samples;
        const std::string name = entry.path().stem().string();
        SCOPED_TRACE(name);
        cTParse p;
        std::string msg;
        int32_t pos = 0, len = 0;
        ASSERT_EQ(
            p.parseAramText(encoding::decodeScoreFile(midiTest::readBytes(entry.path().string())),
                            msg, pos, len),
            0);

        // An organ sound stops at its note-off, so the audible end is the last note-off.
        tMidiF04 file;
        ASSERT_EQ(buildScoreMidi(p, 1.0f, 0, 16, file), midiResult::kOk);
        const std::string mid = dir.file(name + ".mid");
        ASSERT_EQ(scoreToMidiFile(mid, p, 1.0f, 0, 16), midiResult::kOk);

        const auto dump = midiTest::runMido("dump", mid);
        ASSERT_EQ(dump.status, 0) << dump.output;
        // mido sees the bytes we wrote, and they are the events the file object holds.
        const std::string bytes = midiTest::readBytes(mid);
        EXPECT_EQ(bytes, file.makeMidiStr());
        int ons = 0, offs = 0;
        EXPECT_EQ(midoBody(dump.output, ons, offs), bytes.substr(22));
        EXPECT_GT(ons, 0);
        EXPECT_EQ(ons, offs);
        EXPECT_EQ(dump.output.substr(0, 15), "header 1 1 192\n");

        // The last event is the last note-off: the score's end less the silent part of its
        // last note (in ticks, so tempo changes do not enter).
        file.setEvtsAbsMSecs();
        const tMidiTrk& track = *file.tracks(0);
        const int32_t lastTick = track.trkEvents(track.trkNEvents() - 1).absTick;
        double end = 0, lastNote = 0;
        scoreTicks(p, end, lastNote);
        EXPECT_LE(lastTick, end);
        EXPECT_GE(lastTick, end - 0.2 * lastNote);
        const double ourEnd = file.allLastAbsMSec() / 1000.0;

        const std::string wav = dir.file(name + ".wav");
        const auto render = midiTest::runCommand("timidity -Ow -o '" + wav + "' '" + mid + "'");
        ASSERT_EQ(render.status, 0) << render.output;
        // The sounding length: the rendering with its trailing silence cut off.
        const auto stat =
            midiTest::runCommand("sox '" + wav + "' -n reverse silence 1 0.05 1% reverse stat");
        ASSERT_EQ(stat.status, 0) << stat.output;
        const size_t at = stat.output.find("Length (seconds):");
        ASSERT_NE(at, std::string::npos) << stat.output;
        const double heard = std::stod(stat.output.substr(at + 17));
        EXPECT_NEAR(heard, ourEnd, 0.5);
    }
    EXPECT_GE(samples, 5);
}
