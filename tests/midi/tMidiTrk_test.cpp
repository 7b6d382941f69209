#include "tests/midi/midiTestSupport.h"

using namespace notaro;
using namespace midiTest;

namespace {

std::string hexOf(const tMidiEvt& ev) {
    return midiU00::bytesToHex(ev.eData);
}

TEST(tMidiTrk, PitchWheelShiftsByCentsAndBadArgumentsAddNothing) {
    const std::pair<const char*, const char*> cases[] = {
        {"0", "E00040"},   {"-100", "E00020"}, {"1", "E02940"},
        {"250", "E0577F"}, {"-300", "E02900"}, {" 50 ", "E00050"},
        {"+1", "E02940"},  {"12.5", "E00044"}, {"199.5", "E0577F"}};
    for (const auto& [cents, eDataHex] : cases) {
        tMidiTrk trk;
        trk.c_addPitchWheelE(0, 0, cents);
        EXPECT_EQ(hexOf(trk.trkEvents(0)), eDataHex) << cents;
    }
    tMidiTrk trk;
    for (const char* text : {"", "abc", "12x", "+", "nan", "inf"})
        EXPECT_THROW(trk.c_addPitchWheelE(0, 0, text), MidiArgumentError) << text;
    // A channel above 15 would turn the status byte into another kind of message.
    EXPECT_THROW(trk.c_addNoteOnE(0, 16, 60, 64), MidiArgumentError);
    EXPECT_EQ(trk.trkNEvents(), 0);
}

TEST(tMidiTrk, ReadingGivesItsCodeAndKeepsTheEventsReadBeforeIt) {
    using R = MidiResult;
    // chunk, code, events read ("DELTA:HEX")
    const std::tuple<std::string, MidiResult, std::vector<std::string>> cases[] = {
        // Running status; one data byte after C0; a meta event ends running status.
        {trackChunk("05 90 3C 40 81 00 3C 00"), R::Ok, {"5:903C40", "128:903C00"}},
        {trackChunk("00 C0 05 00 90 3C 40"), R::Ok, {"0:C00500", "0:903C40"}},
        {trackChunk("00 3C 40"), R::NoRunningStatus, {}},
        {trackChunk("00 90 3C 40 00 F3 01"), R::UnhandledStatus, {"0:903C40"}},
        {trackChunk("00 90 3C 40 00 FF 01 00 00 3C 00"), R::UnhandledStatus, {"0:903C40", "0:01"}},
        // Bytes after End of Track are not read; an escape packet adds nothing.
        {trackChunk("00 FF 2F 00 00 90 3C 40"), R::Ok, {"0:2F"}},
        {trackChunk("00 F7 02 01 02 03 80 3C 00"), R::Ok, {"3:803C00"}},
        {trackChunk("00 F7 02 01 02"), R::Ok, {}}, // up to the body's last byte
        {trackChunk("00 F0 03 7E 00 F7"), R::Ok, {"0:F07E00F7"}},
        // Events one byte longer than the body.
        {trackChunk("00 90 3C 40 00 FF 01 7F 41"), R::InvalidArgument, {"0:903C40"}},
        {trackChunk("00 F0 03 7E F7"), R::InvalidArgument, {}},
        {trackChunk("00 F7 02 01"), R::InvalidArgument, {}},
        {trackChunk("00 90 3C"), R::InvalidArgument, {}},
        {trackChunk("88 80 80 80 00 90 3C 40"), R::Overflow, {}},
        {"MTrx" + bytesFromHex("00 00 00 01 00"), R::NotAChunk, {}},
        {"MTrk" + bytesFromHex("00 00 00 00"), R::ChunkTooShort, {}},
        {"MTrk" + bytesFromHex("80 00 00 04 00 FF 2F 00"), R::ChunkTooShort, {}},
        {"MTrk" + bytesFromHex("00 00 00 08 00 90 3C 40"), R::EndOfFile, {}},
    };
    for (const auto& [chunk, code, expected] : cases) {
        std::istringstream in(chunk);
        tMidiTrk trk;
        EXPECT_EQ(trk.readTrk(in), code) << midiU00::bytesToHex(chunk);
        std::vector<std::string> events;
        for (int32_t i = 0; i < trk.trkNEvents(); ++i)
            events.push_back(std::to_string(trk.trkEvents(i).deltaTick) + ":" +
                             hexOf(trk.trkEvents(i)));
        EXPECT_EQ(events, expected) << midiU00::bytesToHex(chunk);
    }
}

// A stream that cannot tell its size, like a pipe: a length field must still not be trusted.
struct PipeBuf : std::streambuf {
    explicit PipeBuf(std::string b) : bytes(std::move(b)) {
        setg(&bytes[0], &bytes[0], &bytes[0] + bytes.size());
    }
    std::string bytes;
};

TEST(tMidiTrk, ReadingStopsAtTheChunksEndAlsoInAStreamWithoutSize) {
    std::istringstream in(trackChunk("00 FF 2F 00 00 90") + "NEXT");
    tMidiTrk trk;
    ASSERT_EQ(trk.readTrk(in), MidiResult::Ok);
    std::string rest(4, ' ');
    in.read(rest.data(), 4);
    EXPECT_EQ(rest, "NEXT");
    PipeBuf whole(trackChunk("00 90 3C 40 00 FF 2F 00"));
    std::istream wholeIn(&whole);
    EXPECT_EQ(trk.readTrk(wholeIn), MidiResult::Ok);
    PipeBuf lying("MTrk" + bytesFromHex("7F FF FF FF 00 90 3C 40"));
    std::istream lyingIn(&lying);
    EXPECT_EQ(trk.readTrk(lyingIn), MidiResult::EndOfFile);
    EXPECT_EQ(trk.trkNEvents(), 3);
}

TEST(tMidiTrk, WritingAndTimingRejectWhatDoesNotFit) {
    tMidiTrk trk;
    EXPECT_EQ(trk.makeMidiTrackStr(), trackChunk("00 FF 2F 00"));
    trk.c_addNoteOnE(10, 0, 60, 64);
    trk.c_addNoteOnE(200, 0, 60, 0);
    // Every message keeps its status byte: running status is never written.
    EXPECT_EQ(trk.makeMidiTrackStr(), trackChunk("0A 90 3C 40 81 48 90 3C 00 00 FF 2F 00"));
    trk.setEvtsAbsTicks();
    EXPECT_EQ(trk.trkEvents(1).absTick, 210);
    trk.c_addNoteOffE(INT32_MAX, 0, 62);
    EXPECT_THROW(trk.setEvtsAbsTicks(), MidiOverflowError);
}

TEST(tMidiTrk, AddedEventsFillSlotsInStepsOfOneHundredAndSetFlagsThatACopyKeeps) {
    tMidiTrk trk;
    trk.c_addProgChangeE(0, 3, 42);
    trk.c_addNoteOnE(0, 9, 36, 100);
    trk.c_addTracknameE(0, "First");
    trk.c_addTracknameE(0, "Second");
    trk.c_addInstrNameE(0, "Harp");
    EXPECT_TRUE(trk.trkChannels(3) && trk.trkChannels(9) && trk.trkActInstrs(42));
    EXPECT_FALSE(trk.trkChannels(0) || trk.trkActInstrs(36) || trk.trkActInstrs(0));
    EXPECT_EQ(trk.trkName, "Second");
    EXPECT_EQ(trk.trkInstrument, "Harp");
    tMidiEvt ev;
    ev.eType = 1;
    ev.eData = bytesFromHex("C1 80 00");
    EXPECT_EQ(trk.addEvent(ev), MidiResult::OutOfRange);
    EXPECT_EQ(trk.trkNEvents(), 6);
    EXPECT_TRUE(trk.trkChannels(1));
    while (trk.trkNEvents() < 100)
        trk.c_addNoteOnE(0, 0, 60, 64);
    EXPECT_EQ(trk.trkEventsArrSize(), 100);
    trk.c_addNoteOnE(0, 0, 60, 64);
    EXPECT_EQ(trk.trkEventsArrSize(), 200);
    EXPECT_EQ(trk.trkEvents(199).eType, 0);
    EXPECT_THROW(trk.trkEvents(200), MidiRangeError);

    tMidiTrk copy;
    copy.c_addNoteOnE(0, 2, 1, 1);
    copy.copyFrom(trk);
    EXPECT_EQ(copy.trkEventsArrSize(), 101); // exactly as many slots as events
    EXPECT_EQ(copy.trkName, "Second");
    EXPECT_TRUE(copy.trkChannels(3) && copy.trkActInstrs(42) && !copy.trkChannels(2));
    copy.trkEvents(0).eData[1] = 41;
    EXPECT_EQ(hexOf(trk.trkEvents(0)), "C32A00");
}

} // namespace

TEST(tMidiTrk, TextShowsTimesWithAtLeastSixDigits) {
    tMidiTrk trk;
    trk.addChanMsg(12345, 0x90, 60, 64);
    trk.addChanMsg(1234567, 0x80, 60, 0);
    trk.setEvtsAbsTicks();
    EXPECT_EQ(trk.toText(), "\t012345 (000000) CM: 903C40\r\n\t1246912 (000000) CM: 803C00\r\n");
}
