#include "dumpCommand.h"
#include "midiTestSupport.h"

#include <gtest/gtest.h>

#include <sstream>

using midiTest::bytesFromHex;
using midiTest::runCommand;
using midiTest::runMido;
using midiTest::TempDir;
using midiTest::trackChunk;
using midiTest::writeBytes;

namespace {

class DumpTest : public ::testing::Test {
protected:
    int dump(const std::string& path)
    {
        out.str("");
        err.str("");
        return runDump(path, out, err);
    }

    TempDir dir;
    std::ostringstream out;
    std::ostringstream err;
};

TEST_F(DumpTest, ReadableFilePrintsTheDumpWithLfLineEnds)
{
    const std::string path = dir.file("song.mid");
    writeBytes(path, "MThd" + bytesFromHex("00 00 00 06 00 00 00 01 00 60") +
                         trackChunk("00 FF 03 03 41 6E 6E 00 C0 05 60 90 3C 40 60 3C 00 00 FF 2F 00"));
    EXPECT_EQ(dump(path), 0);
    EXPECT_EQ(out.str(), "HEADER:\n======\n\tFormat: 0\n\tTracks: 1\n\tDivision: 60\n"
                         "\nTRACK #0:\n=========\n"
                         "\t000000 (000000) Track Name: Ann\n"
                         "\t000000 (000000) CM: C00500\n"
                         "\t000096 (000500) CM: 903C40\n"
                         "\t000192 (001000) CM: 903C00\n"
                         "\t000192 (001000) End of Track: \n");
    EXPECT_EQ(err.str(), "");
}

TEST_F(DumpTest, MissingFileIsReportedWithItsCode)
{
    const std::string path = dir.file("gone.mid");
    EXPECT_EQ(dump(path), 1);
    EXPECT_EQ(err.str(), path + ": cannot read MIDI file (code 62)\n");
    EXPECT_EQ(out.str().rfind("HEADER:\n", 0), 0u);
}

TEST_F(DumpTest, DamagedFilePrintsWhatWasReadThenTheCode)
{
    const std::string path = dir.file("cut.mid");
    writeBytes(path, "MThd" + bytesFromHex("00 00 00 06 00 01 00 02 00 60") + trackChunk("00 90 3C 40") +
                         "MTrk" + bytesFromHex("00 00 01 00 00"));
    EXPECT_EQ(dump(path), 1);
    EXPECT_NE(out.str().find("TRACK #0:\n=========\n\t000000 (000000) CM: 903C40\n\nTRACK #1:\n"), std::string::npos)
        << out.str();
    EXPECT_EQ(err.str(), path + ": cannot read MIDI file (code 62)\n");
}

TEST_F(DumpTest, FileWrittenByMidoIsDumped)
{
    const std::string path = dir.file("mido.mid");
    const auto made = runMido("make", path);
    ASSERT_EQ(made.status, 0) << made.output;
    EXPECT_EQ(dump(path), 0) << err.str();
    EXPECT_EQ(out.str().find('\r'), std::string::npos);
    EXPECT_NE(out.str().find("\tTracks: 3\n"), std::string::npos);
    EXPECT_NE(out.str().find("Track Name: Conductor\n"), std::string::npos);
    EXPECT_NE(out.str().find(" SM: F07E7F0901F7\n"), std::string::npos);
}

TEST_F(DumpTest, FileWrittenByCsvmidiIsDumped)
{
    const std::string csv = dir.file("song.csv");
    const std::string path = dir.file("csvmidi.mid");
    writeBytes(csv, "0, 0, Header, 1, 2, 480\n"
                    "1, 0, Start_track\n1, 0, Title_t, \"Tempo map\"\n1, 0, Tempo, 250000\n1, 960, End_track\n"
                    "2, 0, Start_track\n2, 0, Program_c, 1, 19\n2, 480, Note_on_c, 1, 64, 100\n"
                    "2, 960, Note_off_c, 1, 64, 0\n2, 960, End_track\n0, 0, End_of_file\n");
    const auto made = runCommand("csvmidi '" + csv + "' '" + path + "'");
    ASSERT_EQ(made.status, 0) << made.output;
    EXPECT_EQ(dump(path), 0) << err.str();
    EXPECT_NE(out.str().find("\t000000 (000000) Tempo Change: 03D090\n"), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("\t000480 (000250) CM: 914064\n"), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("\t000960 (000500) CM: 814000\n"), std::string::npos) << out.str();
}

}  // namespace
