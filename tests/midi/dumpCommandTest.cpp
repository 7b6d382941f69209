#include "dumpCommand.h"
#include "midiTestSupport.h"

#include <gtest/gtest.h>

#include <sstream>

using midiTest::bytesFromHex;
using midiTest::trackChunk;

namespace {

class DumpTest : public ::testing::Test {
protected:
    int dump(const std::string& bytes) {
        if (!bytes.empty()) {
            midiTest::writeBytes(path, bytes);
        }
        return runDump(path, out, err);
    }

    midiTest::TempDir dir;
    std::string path = dir.file("song.mid");
    std::ostringstream out;
    std::ostringstream err;
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

TEST_F(DumpTest, MissingOrDamagedFilePrintsWhatWasReadThenTheCode) {
    EXPECT_EQ(dump(""), 1);
    EXPECT_EQ(err.str(), path + ": cannot read MIDI file (code 62)\n");
    EXPECT_EQ(out.str().rfind("HEADER:\n", 0), 0u);
    out.str("");
    err.str("");
    EXPECT_EQ(dump("MThd" + bytesFromHex("00 00 00 06 00 01 00 02 00 60") +
                   trackChunk("00 90 3C 40") + "MTrk" + bytesFromHex("00 00 01 00 00")),
              1);
    EXPECT_NE(out.str().find("TRACK #0:\n=========\n\t000000 (000000) CM: 903C40\n\nTRACK #1:\n"),
              std::string::npos)
        << out.str();
    EXPECT_EQ(err.str(), path + ": cannot read MIDI file (code 62)\n");
}

} // namespace
