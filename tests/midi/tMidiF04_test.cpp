#include "tests/midi/midiTestSupport.h"

using namespace notaro;
using namespace midiTest;
using R = notaro::MidiResult;
namespace fs = std::filesystem;

// The numbers files, messages and callers rely on, spelled a second time so that none changes
// unseen.
static_assert(code(R::Ok) == 0 && code(R::NotAChunk) == -1 && code(R::ChunkTooShort) == -2 &&
              code(R::NoTracksDeclared) == -3 && code(R::NoRunningStatus) == -4 &&
              code(R::UnhandledStatus) == -5 && code(R::EndOfFile) == 62 &&
              code(R::NotARegularFile) == 75 && code(R::InvalidArgument) == 5 &&
              code(R::Overflow) == 6 && code(R::OutOfRange) == 9 && code(R::DivisionByZero) == 11 &&
              code(R::FileWritten) == 1 && code(R::FileNotWritten) == -99 &&
              code(R::ScoreFileNotWritten) == -7 && code(R::ConversionFailed) == -9999);

namespace {

std::string header(const std::string& fieldsHex, const char* lengthHex = "00 00 00 06") {
    return "MThd" + bytesFromHex(lengthHex) + bytesFromHex(fieldsHex);
}

class tMidiF04File : public ::testing::Test {
protected:
    MidiResult readFrom(const std::string& bytes) {
        writeBytes(path, bytes);
        return file.readMidiFile(path);
    }

    TempDir dir;
    std::string path = dir.file("in.mid");
    tMidiF04 file;
};

TEST_F(tMidiF04File, ReadingGivesTheCodeOfEachProblemAndOpensForReadingOnly) {
    const std::string eot = trackChunk("00 FF 2F 00");
    const std::pair<std::string, MidiResult> cases[] = {
        // Extra header bytes are skipped; E7 00 is a time code without ticks per frame.
        {header("00 00 00 01 00 60 AB CD", "00 00 00 08") + eot, R::Ok},
        {"RIFF" + bytesFromHex("00 00 00 06 00 01 00 01 00 60"), R::NotAChunk},
        {header("00 01 00 02 00 60") + eot + "XFIL" + bytesFromHex("00 00 00 00"), R::NotAChunk},
        {header("00 01 00 01 00", "00 00 00 05"), R::ChunkTooShort},
        {header("00 01 00 00 00 60"), R::NoTracksDeclared},
        {header("00 01 FF FF 00 60"), R::NoTracksDeclared},
        {header("00 01 00 01 E7 00") + eot, R::DivisionByZero},
        {header("00 01 00 02 00 60") + eot, R::EndOfFile},
    };
    for (const auto& [bytes, want] : cases) {
        EXPECT_EQ(readFrom(bytes), want) << midiU00::bytesToHex(bytes);
        EXPECT_GE(file.numOfTracks(), 1);
    }
    ASSERT_EQ(file.numOfTracks(), 2);
    EXPECT_EQ(file.tracks(0)->trkNEvents(), 1);

    writeBytes(path, header("00 01 00 01 00 60") + trackChunk("00 90 3C 40"));
    fs::permissions(path, fs::perms::owner_read);
    EXPECT_EQ(file.readMidiFile(path), R::Ok);
    EXPECT_EQ(file.tracks(0)->trkNEvents(), 1);
    // Nobody, root included, can open a running program for writing; the reader gets to its
    // missing "MThd".
    EXPECT_EQ(file.readMidiFile("/proc/self/exe"), R::NotAChunk);
}

TEST_F(tMidiF04File, EveryCutOfAValidFileGivesACodeAndKeepsWhatWasRead) {
    // Every construct the reader handles: a longer header, running status, sysex, an escape
    // packet, a meta event with a two-byte length, tempo changes and several tracks.
    std::string longText;
    for (int i = 0; i < 130; ++i)
        longText += "71 ";
    const std::string full =
        header("00 01 00 03 01 E0 00 00", "00 00 00 08") +
        trackChunk("00 FF 03 04 4D 61 69 6E 00 FF 51 03 07 A1 20 83 60 FF 51 03 0F 42 40 00 FF "
                   "01 81 02 " +
                   longText + "00 FF 2F 00") +
        trackChunk("00 C0 05 00 90 3C 40 60 3C 00 00 3E 50 81 40 3E 00 00 F0 05 7E 7F 09 01 F7 "
                   "10 F7 02 01 02 00 E0 00 40 00 B0 07 64 00 FF 2F 00") +
        trackChunk("8F 00 99 24 7F 10 24 00 00 FF 2F 00");
    ASSERT_EQ(readFrom(full), R::Ok);
    ASSERT_EQ(file.tracks(2)->trkNEvents(), 3);
    const int32_t events = file.tracks(0)->trkNEvents();
    for (size_t len = 0; len < full.size(); ++len) {
        tMidiF04 f;
        writeBytes(path, full.substr(0, len));
        EXPECT_NE(f.readMidiFile(path), R::Ok) << "cut at " << len;
        EXPECT_LE(f.tracks(0)->trkNEvents(), events);
    }
}

TEST_F(tMidiF04File, MillisecondsFollowTheDivisionAndTheTempoMap) {
    const struct {
        const char* division;
        const char* body;
        int32_t event, absTick, absMS;
    } cases[] = {
        // Short tempo data is padded in front.
        {"00 01", "00 FF 51 02 07 A1 0A 90 3C 40", 1, 10, 20},
        // 1 tick = 5000/3 ms at division 3; the second tempo change is stored at 1667 and
        // counted from.
        {"00 03", "00 FF 51 03 4C 4B 40 01 FF 51 03 07 A1 20 03 90 3C 40", 2, 4, 1667 + 500},
        {"E7 28", "00 90 3C 40 83 E8 A4 00 80 3C 00", 1, 8000000, 8000000}, // 25 frames of 40
    };
    for (const auto& c : cases) {
        ASSERT_EQ(readFrom(header(std::string("00 00 00 01 ") + c.division) + trackChunk(c.body)),
                  R::Ok)
            << c.body;
        EXPECT_EQ(file.tracks(0)->trkEvents(c.event).absTick, c.absTick) << c.body;
        EXPECT_EQ(file.tracks(0)->trkEvents(c.event).absMS, c.absMS) << c.body;
    }
}

TEST_F(tMidiF04File, NewFileHasOneEmptyTrackAndWritingReplacesTheWholeFileOrNothing) {
    EXPECT_EQ(file.toText(),
              "HEADER:\r\n======\r\n\tFormat: 1\r\n\tTracks: 1\r\n\tDivision: E728\r\n"
              "\r\nTRACK #0:\r\n=========\r\n");
    const std::string empty = header("00 01 00 01 E7 28") + trackChunk("00 FF 2F 00");
    EXPECT_EQ(file.makeMidiStr(), empty);
    writeBytes(path, std::string(5000, 'z'));
    const fs::perms mode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(path, mode);
    ASSERT_EQ(file.toFile(path), R::FileWritten);
    EXPECT_EQ(readBytes(path), empty);
    EXPECT_EQ(fs::status(path).permissions(), mode);

    // More tracks keep the existing ones where they are and add empty ones; fewer drop the last.
    tMidiTrk* first = file.tracks(0);
    file.setNTracks(3);
    EXPECT_EQ(file.tracks(0), first);
    EXPECT_EQ(file.tracks(2)->trkNEvents(), 0);
    file.setNTracks(1);
    EXPECT_EQ(file.tracks(1), nullptr);
    EXPECT_EQ(file.makeMidiStr(), empty);
    EXPECT_THROW(file.setNTracks(0), MidiArgumentError);
    first->c_addNoteOnE(-5, 0, 60, 64); // a delta that cannot be encoded
    EXPECT_EQ(file.toFile(path), R::FileNotWritten);
    EXPECT_EQ(readBytes(path), empty);
}

TEST(tMidiF04, ExtractedChannelMovesToChannelZeroSpacedInMilliseconds) {
    tMidiF04 src;
    src.setMidiHdrDivision(96);
    tMidiTrk& t = *src.tracks(0);
    t.c_addTracknameE(0, "Mix");
    t.c_addNoteOnE(0, 1, 50, 90);
    t.c_addNoteOnE(48, 2, 60, 100);
    t.c_addNoteOffE(96, 2, 60);
    t.addChanMsg(0, 0xB2, 7, 80);
    std::array<bool, 16> filter{};
    filter[2] = true;
    src.setEvtsAbsMSecs();
    std::unique_ptr<tMidiF04> target;
    src.track2extrObj(target, 0, filter, false);
    ASSERT_NE(target, nullptr);
    EXPECT_EQ(target->midiHdrDivision(), -6360);
    target->setEvtsAbsTicks();
    EXPECT_EQ(target->tracks(0)->toText(),
              "\t000000 (000000) CM: 903C64\r\n\t000500 (000000) CM: 803C00\r\n"
              "\t000500 (000000) CM: B00750\r\n");
    src.track2extrObj(target, 0, filter, true);
    EXPECT_EQ(target->tracks(0)->trkNEvents(), 6);
    EXPECT_EQ(target->tracks(0)->trkEvents(3).deltaTick, 0);
}

TEST(tMidiF04, MergedWalkProcessesPendingMessagesAndCopiesAreDeep) {
    tMidiF04 f;
    f.setMidiHdrDivision(96);
    f.setNTracks(2);
    f.tracks(0)->c_addNewTempo(10, 400000);
    f.tracks(1)->c_addNoteOnE(5, 0, 60, 64);
    int calls = 0;
    f.setPendingMessagesHandler([&calls] { ++calls; });
    f.setEvtsAbsMSecs();
    EXPECT_EQ(calls, 2);
    tMidiF04 copy;
    copy.copyFrom(f);
    EXPECT_EQ(copy.toText(), f.toText());
    copy.tracks(1)->clear(); // a deep copy
    EXPECT_EQ(f.tracks(1)->trkNEvents(), 1);
}

} // namespace
