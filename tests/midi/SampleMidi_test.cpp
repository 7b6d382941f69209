// Every sample score converts to a MIDI file that other programs read and play as we meant:
// mido sees exactly our events, and timidity's rendering lasts as long as the score.
#include "OnRatios.h"
#include "ScoreEncoding.h"
#include "ScoreToMidi.h"
#include "midiTestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <sstream>

namespace fs = std::filesystem;
using namespace notaro;

namespace {

std::string hex(const std::string& bytes) {
    std::string s;
    char buf[4];
    for (unsigned char c : bytes) {
        std::snprintf(buf, sizeof buf, "%02X", c);
        s += buf;
    }
    return s;
}

/// Our events as mido's dump prints them: "0 DELTA HEX", meta events as FF TYPE LEN DATA.
std::vector<std::string> ourEvents(const tMidiF04& file) {
    std::vector<std::string> out;
    const tMidiTrk& t = *file.tracks(0);
    for (int32_t i = 0; i < t.trkNEvents(); ++i) {
        const tMidiEvt& e = t.trkEvents(i);
        std::string bytes = e.eData;
        if (e.eType == 3)
            bytes = std::string("\xFF", 1) + bytes.substr(0, 1) +
                    static_cast<char>(bytes.size() - 1) + bytes.substr(1);
        else if ((static_cast<uint8_t>(bytes[0]) & 0xE0) == 0xC0)
            bytes.resize(2);
        out.push_back("0 " + std::to_string(e.deltaTick) + " " + hex(bytes));
    }
    out.push_back("0 " + std::to_string(0) + " FF2F00");
    return out;
}

/// mido's view without the message type names.
std::vector<std::string> midoEvents(const std::string& dump, int& noteOns, int& noteOffs) {
    std::vector<std::string> out;
    std::istringstream in(dump);
    std::string line;
    std::getline(in, line); // header
    while (std::getline(in, line)) {
        std::istringstream f(line);
        std::string track, type, delta, bytes;
        f >> track >> type >> delta >> bytes;
        noteOns += type == "note_on";
        noteOffs += type == "note_off";
        out.push_back(track + " " + delta + " " + bytes);
    }
    return out;
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
        ASSERT_EQ(buildScoreMidi(p, 1.0f, 0, 16, file), 0);
        const std::string mid = dir.file(name + ".mid");
        ASSERT_EQ(scoreToMidiFile(mid, p, 1.0f, 0, 16), 0);

        const auto dump = midiTest::runMido("dump", mid);
        ASSERT_EQ(dump.status, 0) << dump.output;
        int ons = 0, offs = 0;
        EXPECT_EQ(midoEvents(dump.output, ons, offs), ourEvents(file));
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
