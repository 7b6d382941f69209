#include "dumpCommand.h"
#include "midiTestSupport.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace notaro;
using midiTest::bytesFromHex;
using midiTest::trackChunk;

namespace {

class DumpTest : public ::testing::Test {
protected:
    int dump(const std::string& bytes) { // "" leaves the file missing
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

TEST_F(DumpTest, ReadableFilePrintsTheDumpWithLfLineEnds) {
    EXPECT_EQ(
        dump("MThd" + bytesFromHex("00 00 00 06 00 00 00 01 00 60") +
             trackChunk(
                 "00 FF 03 03 41 6E 6E 00 C0 05 00 F0 02 7E F7 60 90 3C 40 00 FF 51 03 0F 42 40 "
                 "60 90 3C 00 BD 83 00 3E 00 00 FF 2F 00")),
        0);
    EXPECT_EQ(out.str(), "HEADER:\n======\n\tFormat: 0\n\tTracks: 1\n\tDivision: 60\n"
                         "\nTRACK #0:\n=========\n"
                         "\t000000 (000000) Track Name: Ann\n"
                         "\t000000 (000000) CM: C00500\n"
                         "\t000000 (000000) SM: F07EF7\n"
                         "\t000096 (000500) CM: 903C40\n"
                         "\t000096 (000500) Tempo Change: 0F4240\n"
                         "\t000192 (001500) CM: 903C00\n"
                         "\t1000000 (10416167) CM: 903E00\n"
                         "\t1000000 (10416167) End of Track: \n");
    EXPECT_EQ(err.str(), "");
}

TEST_F(DumpTest, UnreadableFilePrintsOnlyWhatWasReadThenWhatWentWrongWithItsNumber) {
    const std::string head = "MThd" + bytesFromHex("00 00 00 06 00 01 00 02 00 60");
    const std::string one = "MThd" + bytesFromHex("00 00 00 06 00 01 00 01 00 60");
    const std::string ends = "it ends early or is missing (code 62)";
    const std::string twoTracks = "HEADER:\n======\n\tFormat: 1\n\tTracks: 2\n\tDivision: 60\n\n"
                                  "TRACK #0:\n=========\n\t000000 (000000) CM: 903C40\n";
    const struct {
        std::string bytes;
        std::string out; // "-": not compared
        std::string err;
    } cases[] = {
        {"", "", ends},
        {"MThd" + bytesFromHex("00 00 00 06 00 01"), "", ends},
        {"RIFF" + bytesFromHex("00 00 00 06"), "",
         "a chunk does not start with \"MThd\" or \"MTrk\" as expected (code -1)"},
        // 32767 tracks declared in 20 bytes: the one chunk begun is shown, no made-up ones.
        {"MThd" + bytesFromHex("00 00 00 06 00 01 7F FF 00 60") + "MTrk" + bytesFromHex("00 00"),
         "HEADER:\n======\n\tFormat: 1\n\tTracks: 7FFF\n\tDivision: 60\n\nTRACK #0:\n=========\n",
         ends},
        {head + trackChunk("00 90 3C 40") + "MTrk" + bytesFromHex("00 00 01 00 00"),
         twoTracks + "\nTRACK #1:\n=========\n", ends},
        {head + trackChunk("00 90 3C 40"), twoTracks, ends},
        {"MThd" + bytesFromHex("00 00 00 05 00 01 00 01 00"), "-",
         "a chunk length is too small (header below 6, track below 1) (code -2)"},
        {"MThd" + bytesFromHex("00 00 00 06 00 01 00 00 00 60"), "-",
         "the header declares no tracks (code -3)"},
        {one + trackChunk("00 3C 40"), "-", "a data byte comes before any status byte (code -4)"},
        {one + trackChunk("00 F3"), "-",
         "a track holds a status byte that is not handled (code -5)"},
        {one + trackChunk("00 90 3C"), "-", "an event runs past the end of its track (code 5)"},
        {one + trackChunk("88 80 80 80 00 90 3C 40"), "-",
         "a length or a time exceeds 32 bits (code 6)"},
        {"MThd" + bytesFromHex("00 00 00 06 00 01 00 01 E7 00") + trackChunk("00 90 3C 40"), "-",
         "its time-code division has 0 ticks per second (code 11)"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(dump(c.bytes), 1);
        if (c.out != "-") {
            EXPECT_EQ(out.str(), c.out) << midiU00::bytesToHex(c.bytes);
        }
        EXPECT_EQ(err.str(), path + ": cannot read MIDI file: " + c.err + "\n");
    }
}

} // namespace
