#include "MidiArgumentError.h"
#include "MidiDivisionError.h"
#include "midiTestSupport.h"
#include "midiU00.h"
#include "tMidiF04.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

using midiTest::bytesFromHex;
using midiTest::readBytes;
using midiTest::TempDir;
using midiTest::trackChunk;
using midiTest::writeBytes;

namespace {

std::string header(const char* fieldsHex, const char* lengthHex = "00 00 00 06")
{
    return "MThd" + bytesFromHex(lengthHex) + bytesFromHex(fieldsHex);
}

TEST(tMidiF04, NewObjectHasOneEmptyTrackFormatOneAndMillisecondTicks)
{
    tMidiF04 f;
    EXPECT_EQ(f.numOfTracks(), 1);
    EXPECT_EQ(f.midiFileFormat(), 1);
    EXPECT_EQ(f.midiHdrDivision(), -6360);
    ASSERT_NE(f.tracks(0), nullptr);
    EXPECT_EQ(f.tracks(0)->trkNEvents(), 0);
    EXPECT_EQ(f.tracks(-1), nullptr);
    EXPECT_EQ(f.tracks(1), nullptr);
    EXPECT_EQ(f.allLastAbsMSec(), 0);
    EXPECT_EQ(f.toText(), "HEADER:\r\n======\r\n\tFormat: 1\r\n\tTracks: 1\r\n\tDivision: E728\r\n"
                          "\r\nTRACK #0:\r\n=========\r\n");
}

TEST(tMidiF04, SetNTracksKeepsExistingTracksAndAddsEmptyOnes)
{
    tMidiF04 f;
    f.tracks(0)->c_addNoteOnE(0, 0, 60, 64);
    tMidiTrk* first = f.tracks(0);
    f.setNTracks(3);
    EXPECT_EQ(f.numOfTracks(), 3);
    EXPECT_EQ(f.tracks(0), first);
    EXPECT_EQ(f.tracks(0)->trkNEvents(), 1);
    EXPECT_EQ(f.tracks(2)->trkNEvents(), 0);
    f.setNTracks(1);
    EXPECT_EQ(f.numOfTracks(), 1);
    EXPECT_EQ(f.tracks(1), nullptr);
    EXPECT_EQ(f.makeMidiStr().substr(10, 2), bytesFromHex("00 01"));
    EXPECT_THROW(f.setNTracks(0), MidiArgumentError);
}

TEST(tMidiF04, FileStartsWithHeaderThenTrackChunks)
{
    tMidiF04 f;
    f.setMidiHdrDivision(192);
    f.tracks(0)->c_addNoteOnE(0, 0, 60, 64);
    EXPECT_EQ(f.makeMidiStr(), header("00 01 00 01 00 C0") + trackChunk("00 90 3C 40 00 FF 2F 00"));
}

TEST(tMidiF04, TextDumpShowsHeaderAndEveryTrack)
{
    tMidiF04 f;
    f.setMidiFileFormat(0);
    f.setMidiHdrDivision(96);
    f.setNTracks(2);
    f.tracks(1)->c_addTracknameE(0, "Solo");
    f.tracks(1)->c_addNoteOnE(96, 10, 38, 127);
    f.setEvtsAbsMSecs();
    EXPECT_EQ(f.toText(), "HEADER:\r\n======\r\n\tFormat: 0\r\n\tTracks: 2\r\n\tDivision: 60\r\n"
                          "\r\nTRACK #0:\r\n=========\r\n"
                          "\r\nTRACK #1:\r\n=========\r\n"
                          "\t000000 (000000) Track Name: Solo\r\n"
                          "\t000096 (000500) CM: 9A267F\r\n");
}

class FileTest : public ::testing::Test {
protected:
    int32_t readFrom(const std::string& bytes)
    {
        writeBytes(path, bytes);
        return file.readMidiFile(path);
    }

    TempDir dir;
    std::string path = dir.file("in.mid");
    tMidiF04 file;
};

TEST_F(FileTest, WrittenFileReadsBackWithTheSameContent)
{
    tMidiF04 out;
    out.setMidiHdrDivision(192);
    out.setNTracks(2);
    out.tracks(0)->c_addTracknameE(0, "Melody");
    out.tracks(0)->c_addNewTempo(0, 600000);
    out.tracks(0)->c_addProgChangeE(0, 0, 73);
    out.tracks(0)->c_addNoteOnE(0, 0, 72, 100);
    out.tracks(0)->c_addPitchWheelE(96, 0, "50");
    out.tracks(0)->c_addNoteOffE(96, 0, 72);
    out.tracks(1)->c_addLyricE(384, "la");
    const std::string target = dir.file("out.mid");
    ASSERT_EQ(out.toFile(target), 1);
    ASSERT_EQ(file.readMidiFile(target), 0);
    EXPECT_EQ(file.numOfTracks(), 2);
    EXPECT_EQ(file.midiHdrDivision(), 192);
    EXPECT_EQ(file.tracks(0)->trkName, "Melody");
    EXPECT_TRUE(file.tracks(0)->trkActInstrs(73));
    EXPECT_EQ(file.makeMidiStr(), out.makeMidiStr());
    EXPECT_EQ(file.tracks(0)->trkEvents(5).absMS, 600);
    EXPECT_EQ(file.tracks(1)->trkEvents(0).absMS, 1200);
    EXPECT_EQ(file.allLastAbsMSec(), 1200);
}

TEST_F(FileTest, ExtraHeaderBytesAreSkipped)
{
    EXPECT_EQ(readFrom(header("00 00 00 01 00 60 AB CD", "00 00 00 08") + trackChunk("00 90 3C 40")), 0);
    EXPECT_EQ(file.midiFileFormat(), 0);
    EXPECT_EQ(file.midiHdrDivision(), 96);
    EXPECT_EQ(file.tracks(0)->trkNEvents(), 1);
}

TEST_F(FileTest, MissingSecondTrackGives62WithFirstTrackFilled)
{
    EXPECT_EQ(readFrom(header("00 01 00 02 00 60") + trackChunk("00 90 3C 40 00 FF 2F 00")), 62);
    ASSERT_EQ(file.numOfTracks(), 2);
    EXPECT_EQ(file.tracks(0)->trkNEvents(), 2);
    EXPECT_EQ(file.tracks(1)->trkNEvents(), 0);
}

struct HeaderCase {
    const char* name;
    std::string bytes;
    int32_t code;
};

const HeaderCase kHeaderCases[] = {
    {"NotAMidiFile", "RIFF" + bytesFromHex("00 00 00 06 00 01 00 01 00 60"), -1},
    {"HeaderTooShort", "MThd" + bytesFromHex("00 00 00 05 00 01 00 01 00"), -2},
    {"NoTracksDeclared", "MThd" + bytesFromHex("00 00 00 06 00 01 00 00 00 60"), -3},
    {"NegativeTrackCount", "MThd" + bytesFromHex("00 00 00 06 00 01 FF FF 00 60"), -3},
    {"SecondChunkNotATrack",
     "MThd" + bytesFromHex("00 00 00 06 00 01 00 02 00 60") + trackChunk("00 FF 2F 00") + "XFIL" +
         bytesFromHex("00 00 00 00"),
     -1},
    {"EmptyFile", "", 62},
    {"HeaderCut", "MThd" + bytesFromHex("00 00 00 06 00 01"), 62},
    {"HugeHeaderLength", "MThd" + bytesFromHex("7F FF FF FF 00 01 00 01 00 60") + trackChunk("00 FF 2F 00"), 62},
    {"TimeCodeWithoutTicks", "MThd" + bytesFromHex("00 00 00 06 00 01 00 01 E7 00") + trackChunk("00 FF 2F 00"),
     11},
};

void PrintTo(const HeaderCase& c, std::ostream* os) { *os << c.name; }

class HeaderTable : public FileTest, public ::testing::WithParamInterface<HeaderCase> {};

TEST_P(HeaderTable, GivesItsCode)
{
    EXPECT_EQ(readFrom(GetParam().bytes), GetParam().code);
    EXPECT_GE(file.numOfTracks(), 1);
}

INSTANTIATE_TEST_SUITE_P(Headers, HeaderTable, ::testing::ValuesIn(kHeaderCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(FileTest, MissingFileGives62AndIsNotCreated)
{
    const std::string missing = dir.file("missing.mid");
    file.tracks(0)->c_addNoteOnE(0, 0, 60, 64);
    EXPECT_EQ(file.readMidiFile(missing), 62);
    EXPECT_FALSE(std::filesystem::exists(missing));
    EXPECT_EQ(file.tracks(0)->trkNEvents(), 0);
}

TEST_F(FileTest, FolderInsteadOfFileGives62)
{
    EXPECT_EQ(file.readMidiFile(dir.path().string()), 62);
}

TEST_F(FileTest, ReadOnlyFileIsRead)
{
    writeBytes(path, header("00 01 00 01 00 60") + trackChunk("00 90 3C 40"));
    std::filesystem::permissions(path, std::filesystem::perms::owner_read);
    EXPECT_EQ(file.readMidiFile(path), 0);
    EXPECT_EQ(file.tracks(0)->trkNEvents(), 1);
}

TEST_F(FileTest, FileThatCannotBeOpenedForWritingIsStillRead)
{
    // A running program cannot be opened for writing by anyone, root included; reading it must still work,
    // so the reader gets as far as the missing "MThd".
    EXPECT_EQ(file.readMidiFile("/proc/self/exe"), -1);
}

TEST_F(FileTest, TempoChangeInOneTrackTimesEveryTrack)
{
    tMidiF04 out;
    out.setMidiHdrDivision(96);
    out.setNTracks(2);
    out.tracks(0)->c_addNewTempo(96, 1000000);
    out.tracks(1)->c_addNoteOnE(96, 0, 60, 64);
    out.tracks(1)->c_addNoteOffE(96, 0, 60);
    out.setEvtsAbsMSecs();
    EXPECT_EQ(out.tracks(0)->trkEvents(0).absMS, 500);
    EXPECT_EQ(out.tracks(1)->trkEvents(0).absMS, 500);
    EXPECT_EQ(out.tracks(1)->trkEvents(1).absMS, 1500);
    EXPECT_EQ(out.allLastAbsMSec(), 1500);
}

TEST_F(FileTest, ShortTempoDataIsPaddedInFront)
{
    ASSERT_EQ(readFrom(header("00 00 00 01 00 01") + trackChunk("00 FF 51 02 07 A1 0A 90 3C 40")), 0);
    EXPECT_EQ(file.tracks(0)->trkEvents(1).absMS, 20);
}

TEST_F(FileTest, RoundedTimeOfTempoChangeCarriesOn)
{
    // 1 tick = 5000/3 ms at 5000000 us per quarter and division 3; the tempo event at tick 1 is stored as
    // 1667 and later events count from that stored value.
    ASSERT_EQ(readFrom(header("00 00 00 01 00 03") +
                       trackChunk("00 FF 51 03 4C 4B 40 01 FF 51 03 07 A1 20 03 90 3C 40")),
              0);
    EXPECT_EQ(file.tracks(0)->trkEvents(1).absMS, 1667);
    EXPECT_EQ(file.tracks(0)->trkEvents(2).absMS, 1667 + 500);
}

TEST_F(FileTest, TimeCodeDivisionTimesByTicksPerSecond)
{
    // 0xE728: 25 frames of 40 ticks, one tick per millisecond, even beyond 2147483 ticks.
    ASSERT_EQ(readFrom(header("00 00 00 01 E7 28") + trackChunk("00 90 3C 40 83 E8 A4 00 80 3C 00")), 0);
    EXPECT_EQ(file.tracks(0)->trkEvents(1).absTick, 8000000);
    EXPECT_EQ(file.tracks(0)->trkEvents(1).absMS, 8000000);
    // 0xE250: 30 frames of 80 ticks = 2400 ticks per second.
    ASSERT_EQ(readFrom(header("00 00 00 01 E2 50") + trackChunk("83 12 90 3C 40")), 0);
    EXPECT_EQ(file.tracks(0)->trkEvents(0).absTick, 402);
    EXPECT_EQ(file.tracks(0)->trkEvents(0).absMS, 168);
}

TEST_F(FileTest, DivisionZeroIsTimedAsOneTickPerQuarter)
{
    ASSERT_EQ(readFrom(header("00 00 00 01 00 00") + trackChunk("02 90 3C 40")), 0);
    EXPECT_EQ(file.tracks(0)->trkEvents(0).absMS, 1000);
}

TEST(tMidiF04, TimeCodeWithoutTicksPerSecondIsRaisedBySetEvtsAbsMSecs)
{
    tMidiF04 f;
    f.setMidiHdrDivision(static_cast<int16_t>(0xE700));
    EXPECT_THROW(f.setEvtsAbsMSecs(), MidiDivisionError);
}

TEST(tMidiF04, PendingMessagesAreProcessedAfterEachEvent)
{
    tMidiF04 f;
    f.setMidiHdrDivision(96);
    f.setNTracks(2);
    f.tracks(0)->c_addNoteOnE(0, 0, 60, 64);
    f.tracks(1)->c_addNoteOnE(0, 1, 60, 64);
    f.tracks(1)->c_addNoteOnE(0, 1, 62, 64);
    int calls = 0;
    f.setPendingMessagesHandler([&calls] { ++calls; });
    f.setEvtsAbsMSecs();
    EXPECT_EQ(calls, 3);
}

TEST_F(FileTest, WritingOverALongerFileLeavesExactlyTheNewBytes)
{
    writeBytes(path, std::string(5000, 'z'));
    tMidiF04 out;
    ASSERT_EQ(out.toFile(path), 1);
    EXPECT_EQ(readBytes(path), out.makeMidiStr());
}

TEST_F(FileTest, WritingKeepsThePermissionsOfTheFileItReplaces)
{
    writeBytes(path, "old");
    std::filesystem::permissions(path, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                                           std::filesystem::perms::group_read);
    ASSERT_EQ(tMidiF04().toFile(path), 1);
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST_F(FileTest, FailedBuildGivesMinus99AndLeavesOldFileUntouched)
{
    writeBytes(path, "precious");
    tMidiF04 out;
    out.tracks(0)->c_addNoteOnE(-5, 0, 60, 64);
    EXPECT_EQ(out.toFile(path), -99);
    EXPECT_EQ(readBytes(path), "precious");
}

TEST_F(FileTest, FailedWriteGivesMinus99AndLeavesNoTemporaryFile)
{
    tMidiF04 out;
    EXPECT_EQ(out.toFile(dir.file("no/such/folder/x.mid")), -99);
    const std::string folder = dir.file("folder.mid");
    std::filesystem::create_directory(folder);
    writeBytes(folder + "/inside", "kept");
    EXPECT_EQ(out.toFile(folder), -99);
    EXPECT_EQ(readBytes(folder + "/inside"), "kept");
    int entries = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
        EXPECT_EQ(entry.path().filename(), "folder.mid");
        ++entries;
    }
    EXPECT_EQ(entries, 1);
}

TEST(tMidiF04, ExtractedChannelMovesToChannelZeroSpacedInMilliseconds)
{
    tMidiF04 src;
    src.setMidiHdrDivision(96);
    tMidiTrk& t = *src.tracks(0);
    t.c_addTracknameE(0, "Mix");
    t.c_addNoteOnE(0, 1, 50, 90);
    t.c_addNoteOnE(48, 2, 60, 100);
    t.c_addNoteOnE(48, 1, 52, 90);
    t.c_addNoteOffE(96, 2, 60);
    t.addChanMsg(0, 0xB2, 7, 80);
    std::array<bool, 16> filter{};
    filter[2] = true;
    src.setEvtsAbsMSecs();

    std::unique_ptr<tMidiF04> target;
    src.track2extrObj(target, 0, filter, false);
    ASSERT_NE(target, nullptr);
    EXPECT_EQ(target->midiHdrDivision(), -6360);
    const tMidiTrk& x = *target->tracks(0);
    ASSERT_EQ(x.trkNEvents(), 3);
    EXPECT_EQ(midiU00::bytesToHex(x.trkEvents(0).eData), "903C64");
    EXPECT_EQ(x.trkEvents(0).deltaTick, 0);
    EXPECT_EQ(midiU00::bytesToHex(x.trkEvents(1).eData), "803C00");
    EXPECT_EQ(x.trkEvents(1).deltaTick, 750);
    EXPECT_EQ(midiU00::bytesToHex(x.trkEvents(2).eData), "B00750");
    EXPECT_EQ(x.trkEvents(2).deltaTick, 0);

    src.track2extrObj(target, 0, filter, true);
    EXPECT_EQ(target->tracks(0)->trkNEvents(), 6);
    EXPECT_EQ(target->tracks(0)->trkEvents(3).deltaTick, 0);
    src.track2extrObj(target, 0, filter, false);
    EXPECT_EQ(target->tracks(0)->trkNEvents(), 3);
    src.track2extrObj(target, 1, filter, false);
    EXPECT_EQ(target->tracks(0)->trkNEvents(), 3);
}

TEST(tMidiF04, MergedWalkChangesNothing)
{
    tMidiF04 f;
    f.setMidiHdrDivision(96);
    f.setNTracks(3);
    f.tracks(0)->c_addNewTempo(10, 400000);
    f.tracks(1)->c_addNoteOnE(5, 0, 60, 64);
    f.tracks(1)->c_addNoteOnE(5, 0, 62, 64);
    f.tracks(2)->c_addNoteOnE(10, 1, 60, 64);
    f.setEvtsAbsMSecs();
    const std::string bytes = f.makeMidiStr();
    const std::string text = f.toText();
    EXPECT_EQ(f.make1TrackMidi(), 0);
    EXPECT_EQ(f.makeMidiStr(), bytes);
    EXPECT_EQ(f.toText(), text);
}

TEST(tMidiF04, CopyIsDeep)
{
    tMidiF04 src;
    src.setMidiFileFormat(0);
    src.setMidiHdrDivision(480);
    src.setNTracks(2);
    src.tracks(1)->c_addNoteOnE(0, 3, 60, 64);
    tMidiF04 copy;
    copy.copyFrom(src);
    EXPECT_EQ(copy.makeMidiStr(), src.makeMidiStr());
    copy.tracks(1)->clear();
    EXPECT_EQ(src.tracks(1)->trkNEvents(), 1);
}

}  // namespace
