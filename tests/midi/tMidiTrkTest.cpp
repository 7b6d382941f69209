#include "tMidiTrk.h"
#include "MidiArgumentError.h"
#include "MidiOverflowError.h"
#include "MidiRangeError.h"
#include "midiTestSupport.h"

#include <gtest/gtest.h>

#include <sstream>

using midiTest::bytesFromHex;
using midiTest::trackChunk;

namespace {

std::string hexOf(const tMidiEvt& ev) {
    return midiU00::bytesToHex(ev.eData);
}

TEST(tMidiTrk, SlotsGrowInStepsOfOneHundred) {
    tMidiTrk trk;
    for (int i = 0; i < 101; ++i) {
        trk.c_addNoteOnE(0, 0, 60, 64);
        EXPECT_EQ(trk.trkEventsArrSize(), i < 100 ? 100 : 200) << i;
    }
    EXPECT_EQ(trk.trkEvents(199).eType, 0);
    EXPECT_THROW(trk.trkEvents(200), MidiRangeError);
}

TEST(tMidiTrk, PitchWheelShiftsByCentsAndBadArgumentsAddNothing) {
    const struct {
        const char* cents;
        const char* eDataHex;
    } cases[] = {{"0", "E00040"},    {"-100", "E00020"}, {"1", "E02940"},  {"250", "E0577F"},
                 {"-300", "E02900"}, {" 50 ", "E00050"}, {"+1", "E02940"}, {"12.5", "E00044"}};
    for (const auto& c : cases) {
        tMidiTrk trk;
        trk.c_addPitchWheelE(0, 0, c.cents);
        EXPECT_EQ(hexOf(trk.trkEvents(0)), c.eDataHex) << c.cents;
    }
    tMidiTrk trk;
    for (const char* text : {"", "abc", "12x", "+", "nan", "inf"}) {
        EXPECT_THROW(trk.c_addPitchWheelE(0, 0, text), MidiArgumentError) << text;
    }
    // A channel above 15 would turn the status byte into another kind of message.
    EXPECT_THROW(trk.c_addNoteOnE(0, 16, 60, 64), MidiArgumentError);
    EXPECT_THROW(trk.c_addProgChangeE(0, 64, 1), MidiArgumentError);
    EXPECT_EQ(trk.trkNEvents(), 0);
}

TEST(tMidiTrk, AddedEventsSetChannelProgramAndNameFlags) {
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
    EXPECT_EQ(trk.addEvent(ev), 9);
    EXPECT_EQ(trk.trkNEvents(), 6);
    EXPECT_TRUE(trk.trkChannels(1));
}

TEST(tMidiTrk, ReadingGivesItsCodeAndKeepsTheEventsReadBeforeIt) {
    const struct {
        std::string chunk;
        int32_t code;
        std::vector<std::string> events; // "DELTA:HEX"
    } cases[] = {
        {trackChunk("05 90 3C 40 81 00 3C 00"), 0, {"5:903C40", "128:903C00"}}, // running status
        {trackChunk("00 C0 05 00 90 3C 40"), 0, {"0:C00500", "0:903C40"}},
        {trackChunk("00 3C 40"), -4, {}},
        {trackChunk("00 90 3C 40 00 F3 01"), -5, {"0:903C40"}},
        {trackChunk("00 90 3C 40 00 FF 01 00 00 3C 00"),
         -5,
         {"0:903C40", "0:01"}}, // a meta ends running status
        {trackChunk("00 FF 2F 00 00 90 3C 40"), 0, {"0:2F"}},
        {trackChunk("00 F7 02 01 02 03 80 3C 00"),
         0,
         {"3:803C00"}}, // an escape packet adds nothing
        {trackChunk("00 F0 03 7E 00 F7"), 0, {"0:F07E00F7"}},
        {trackChunk("00 B0 07 64"), 0, {"0:B00764"}},
        {trackChunk("00 90 3C 40 00 FF 01 7F 41"), 5, {"0:903C40"}},
        {trackChunk("00 FF 01 02 41"), 5, {}}, // one byte too long
        {trackChunk("00 F0 03 7E F7"), 5, {}},
        {trackChunk("00 F7 02 01"), 5, {}},
        {trackChunk("00 F0 87 FF FF FF 7F 00"), 5, {}},
        {trackChunk("00 F7 05 00"), 5, {}},
        {trackChunk("00 90 3C"), 5, {}},
        {trackChunk("88 80 80 80 00 90 3C 40"), 6, {}},
        {"MTrx" + bytesFromHex("00 00 00 01 00"), -1, {}},
        {"MTrk" + bytesFromHex("00 00 00 00"), -2, {}},
        {"MTrk" + bytesFromHex("80 00 00 04 00 FF 2F 00"), -2, {}},
        {"MTrk" + bytesFromHex("00 00 00 08 00 90 3C 40"), 62, {}},
        {"MTrk" + bytesFromHex("00 00"), 62, {}},
        {"", 62, {}},
    };
    for (const auto& c : cases) {
        std::istringstream in(c.chunk);
        tMidiTrk trk;
        EXPECT_EQ(trk.readTrk(in), c.code) << midiU00::bytesToHex(c.chunk);
        std::vector<std::string> events;
        for (int32_t i = 0; i < trk.trkNEvents(); ++i) {
            events.push_back(std::to_string(trk.trkEvents(i).deltaTick) + ":" +
                             hexOf(trk.trkEvents(i)));
        }
        EXPECT_EQ(events, c.events) << midiU00::bytesToHex(c.chunk);
    }
}

TEST(tMidiTrk, ReadingLeavesTheStreamAtTheNextChunk) {
    std::istringstream in(trackChunk("00 FF 2F 00 00 90") + "NEXT");
    tMidiTrk trk;
    ASSERT_EQ(trk.readTrk(in), 0);
    std::string rest(4, ' ');
    in.read(rest.data(), 4);
    EXPECT_EQ(rest, "NEXT");
}

// A stream that cannot tell its size, like a pipe: the reader must still never trust a length
// field.
class PipeBuf : public std::streambuf {
public:
    explicit PipeBuf(std::string bytes) : bytes_(std::move(bytes)) {
        setg(bytes_.data(), bytes_.data(), bytes_.data() + bytes_.size());
    }

private:
    std::string bytes_;
};

TEST(tMidiTrk, StreamWithoutSizeIsReadInPiecesAndEndsWith62) {
    PipeBuf whole(trackChunk("00 90 3C 40 00 FF 2F 00"));
    std::istream wholeIn(&whole);
    tMidiTrk trk;
    EXPECT_EQ(trk.readTrk(wholeIn), 0);
    PipeBuf lying("MTrk" + bytesFromHex("7F FF FF FF 00 90 3C 40"));
    std::istream lyingIn(&lying);
    EXPECT_EQ(trk.readTrk(lyingIn), 62);
    EXPECT_EQ(trk.trkNEvents(), 2);
}

TEST(tMidiTrk, WritingNeverUsesRunningStatusAndCanNotWriteNegativeDeltas) {
    tMidiTrk trk;
    EXPECT_EQ(trk.makeMidiTrackStr(), trackChunk("00 FF 2F 00"));
    trk.c_addNoteOnE(0, 0, 60, 64);
    trk.c_addNoteOnE(200, 0, 60, 0);
    EXPECT_EQ(trk.makeMidiTrackStr(), trackChunk("00 90 3C 40 81 48 90 3C 00 00 FF 2F 00"));
    trk.c_addNoteOnE(-1, 0, 60, 64);
    EXPECT_THROW(trk.makeMidiTrackStr(), MidiOverflowError);
}

TEST(tMidiTrk, AbsoluteTicksAreRunningSumsAndOverflowIsRaised) {
    tMidiTrk trk;
    trk.c_addNoteOnE(10, 0, 60, 64);
    trk.c_addNoteOnE(32, 0, 62, 64);
    trk.setEvtsAbsTicks();
    EXPECT_EQ(trk.trkEvents(1).absTick, 42);
    trk.c_addNoteOffE(INT32_MAX, 0, 62);
    EXPECT_THROW(trk.setEvtsAbsTicks(), MidiOverflowError);
}

TEST(tMidiTrk, CopyIsDeepAndHasExactlyAsManySlotsAsEvents) {
    tMidiTrk src;
    src.c_addTracknameE(0, "Bass");
    src.c_addProgChangeE(0, 4, 33);
    tMidiTrk copy;
    copy.c_addNoteOnE(0, 1, 1, 1);
    copy.copyFrom(src);
    EXPECT_EQ(copy.trkEventsArrSize(), 2);
    EXPECT_EQ(copy.trkName, "Bass");
    EXPECT_TRUE(copy.trkChannels(4) && copy.trkActInstrs(33) && !copy.trkChannels(1));
    copy.trkEvents(1).eData[1] = 41;
    EXPECT_EQ(hexOf(src.trkEvents(1)), "C42100");
    copy.copyFrom(tMidiTrk());
    EXPECT_EQ(copy.trkEventsArrSize(), 0);
    EXPECT_TRUE(copy.trkName.empty());
}

} // namespace
