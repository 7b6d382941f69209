#include "cli/dumpCommand.h"
#include "midi/MidiResult.h"
#include "midi/tMidiF04.h"
#include "tests/midi/midiTestSupport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

using namespace notaro;
using midiTest::bytesFromHex;
using midiTest::trackChunk;

namespace {

class DumpTest : public ::testing::Test {
protected:
    cli::ExitCode dump(const std::string& bytes) { // "" leaves the file missing
        std::filesystem::remove(path);
        if (!bytes.empty())
            midiTest::writeBytes(path, bytes);
        out.str("");
        err.str("");
        return runDump(path, out, err);
    }

    midiTest::TempDir dir;
    std::string path = dir.file("song.mid");
    std::ostringstream out, err;
};

TEST_F(DumpTest, ReadableFilePrintsTheModelsTextWithLfLineEnds) {
    EXPECT_EQ(dump("MThd" + bytesFromHex("00 00 00 06 00 00 00 01 00 60") +
                   trackChunk("00 FF 03 03 41 6E 6E 00 C0 05 60 90 3C 40 00 FF 2F 00")),
              cli::ExitCode::Done);
    tMidiF04 file;
    ASSERT_EQ(file.readMidiFile(path), MidiResult::Ok);
    std::string text = file.toText();
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    EXPECT_NE(text.find("Track Name: Ann\n"), std::string::npos);
    EXPECT_EQ(out.str() + err.str(), text);
}

TEST_F(DumpTest, UnreadableFilePrintsOnlyWhatWasReadThenWhatWentWrongWithItsNumber) {
    const std::string head = "MThd" + bytesFromHex("00 00 00 06 00 01 00 02 00 60");
    const std::string ends = "it ends early or is missing (code 62)";
    const std::string twoTracks = "HEADER:\n======\n\tFormat: 1\n\tTracks: 2\n\tDivision: 60\n\n"
                                  "TRACK #0:\n=========\n\t000000 (000000) CM: 903C40\n";
    const std::tuple<std::string, std::string, std::string> cases[] = {
        {"", "", ends},
        {"RIFF" + bytesFromHex("00 00 00 06"), "",
         "a chunk does not start with \"MThd\" or \"MTrk\" as expected (code -1)"},
        // 32767 tracks declared in 20 bytes: the one chunk begun is shown, no made-up ones.
        {"MThd" + bytesFromHex("00 00 00 06 00 01 7F FF 00 60") + "MTrk" + bytesFromHex("00 00"),
         "HEADER:\n======\n\tFormat: 1\n\tTracks: 7FFF\n\tDivision: 60\n\nTRACK #0:\n=========\n",
         ends},
        {head + trackChunk("00 90 3C 40") + "MTrk" + bytesFromHex("00 00 01 00 00"),
         twoTracks + "\nTRACK #1:\n=========\n", ends},
        {head + trackChunk("00 90 3C 40"), twoTracks, ends},
    };
    for (const auto& [bytes, wantOut, wantErr] : cases) {
        EXPECT_EQ(dump(bytes), cli::ExitCode::Failed);
        EXPECT_EQ(out.str(), wantOut) << midiU00::bytesToHex(bytes);
        EXPECT_EQ(err.str(), path + ": cannot read MIDI file: " + wantErr + "\n");
    }
    // Every other reading error, by the number its message ends with.
    const std::string one = "MThd" + bytesFromHex("00 00 00 06 00 01 00 01 00 60");
    const std::pair<std::string, int> numbered[] = {
        {"MThd" + bytesFromHex("00 00 00 05 00 01 00 01 00"), -2},
        {"MThd" + bytesFromHex("00 00 00 06 00 01 00 00 00 60"), -3},
        {one + trackChunk("00 3C 40"), -4},
        {one + trackChunk("00 F3"), -5},
        {one + trackChunk("00 90 3C"), 5},
        {one + trackChunk("88 80 80 80 00 90 3C 40"), 6},
        {"MThd" + bytesFromHex("00 00 00 06 00 01 00 01 E7 00") + trackChunk("00 90 3C 40"), 11}};
    for (const auto& [bytes, code] : numbered) {
        EXPECT_EQ(dump(bytes), cli::ExitCode::Failed);
        EXPECT_THAT(err.str(), ::testing::EndsWith(" (code " + std::to_string(code) + ")\n"));
    }
}

} // namespace
