#include "MidiArgumentError.h"
#include "MidiOverflowError.h"
#include "MidiRangeError.h"
#include "midiTestSupport.h"
#include "midiU00.h"
#include "tMidiTrk.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>

using midiTest::bytesFromHex;
using midiTest::trackChunk;

namespace {

std::string hexOf(const tMidiEvt& ev) { return midiU00::bytesToHex(ev.eData); }

std::vector<std::string> eventsHex(const tMidiTrk& trk)
{
    std::vector<std::string> out;
    for (int32_t i = 0; i < trk.trkNEvents(); ++i) {
        out.push_back(hexOf(trk.trkEvents(i)));
    }
    return out;
}

TEST(tMidiTrk, FreshTrackIsEmpty)
{
    const tMidiTrk trk;
    EXPECT_EQ(trk.trkNEvents(), 0);
    EXPECT_EQ(trk.trkEventsArrSize(), 0);
    EXPECT_EQ(trk.trkLastAbsMSec(), 0);
    EXPECT_EQ(trk.toText(), "");
    EXPECT_TRUE(trk.trkName.empty());
    EXPECT_FALSE(trk.trkChannels(0));
}

TEST(tMidiTrk, SlotsGrowInStepsOfOneHundred)
{
    tMidiTrk trk;
    trk.c_addNoteOnE(0, 0, 60, 64);
    EXPECT_EQ(trk.trkEventsArrSize(), 100);
    for (int i = 1; i < 100; ++i) {
        trk.c_addNoteOnE(0, 0, 60, 64);
    }
    EXPECT_EQ(trk.trkEventsArrSize(), 100);
    trk.c_addNoteOnE(0, 0, 60, 64);
    EXPECT_EQ(trk.trkNEvents(), 101);
    EXPECT_EQ(trk.trkEventsArrSize(), 200);
    EXPECT_EQ(trk.trkEvents(199).eType, 0);
    EXPECT_THROW(trk.trkEvents(200), MidiRangeError);
}

struct AddCase {
    const char* name;
    std::function<void(tMidiTrk&)> add;
    int32_t eType;
    const char* eDataHex;
};

const AddCase kAddCases[] = {
    {"Text", [](tMidiTrk& t) { t.c_addTextE(3, "ab"); }, 3, "016162"},
    {"Copyright", [](tMidiTrk& t) { t.c_addCopyrightE(3, "c"); }, 3, "0263"},
    {"TrackName", [](tMidiTrk& t) { t.c_addTracknameE(3, "Lead"); }, 3, "034C656164"},
    {"InstrName", [](tMidiTrk& t) { t.c_addInstrNameE(3, "Ob"); }, 3, "044F62"},
    {"Lyric", [](tMidiTrk& t) { t.c_addLyricE(3, "\xC3\xA9"); }, 3, "05C3A9"},
    {"EndOfTrack", [](tMidiTrk& t) { t.c_addEndOfTrack(3); }, 3, "2F"},
    {"Tempo", [](tMidiTrk& t) { t.c_addNewTempo(3, 500000); }, 3, "5107A120"},
    {"TempoDropsTopByte", [](tMidiTrk& t) { t.c_addNewTempo(3, 0x12345678); }, 3, "51345678"},
    {"ProgChange", [](tMidiTrk& t) { t.c_addProgChangeE(3, 2, 5); }, 1, "C20500"},
    {"NoteOn", [](tMidiTrk& t) { t.c_addNoteOnE(3, 15, 60, 64); }, 1, "9F3C40"},
    {"NoteOff", [](tMidiTrk& t) { t.c_addNoteOffE(3, 1, 60); }, 1, "813C00"},
    {"PitchWheel", [](tMidiTrk& t) { t.c_addPitchWheelE(3, 0, "100"); }, 1, "E00060"},
    {"GenShortMsg", [](tMidiTrk& t) { t.addGenShortMsg(3, 0x90 + 0x3C * 256 + 0x40 * 65536 + (0x7F << 24)); }, 1,
     "903C40"},
    {"SysEx", [](tMidiTrk& t) { t.addSysExEvt(3, bytesFromHex("F0 7E 00 F7")); }, 2, "F07E00F7"},
    {"MetaWithZeroByte", [](tMidiTrk& t) { t.addMetaEvent(3, 0x7F, std::string("\0\1", 2)); }, 3, "7F0001"},
};

void PrintTo(const AddCase& c, std::ostream* os) { *os << c.name; }

class AddTable : public ::testing::TestWithParam<AddCase> {};

TEST_P(AddTable, AppendsOneEventWithExactBytes)
{
    tMidiTrk trk;
    GetParam().add(trk);
    ASSERT_EQ(trk.trkNEvents(), 1);
    EXPECT_EQ(trk.trkEvents(0).eType, GetParam().eType);
    EXPECT_EQ(hexOf(trk.trkEvents(0)), GetParam().eDataHex);
    EXPECT_EQ(trk.trkEvents(0).deltaTick, 3);
}

INSTANTIATE_TEST_SUITE_P(Constructors, AddTable, ::testing::ValuesIn(kAddCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct WheelCase {
    const char* cents;
    const char* eDataHex;
};

const WheelCase kWheelCases[] = {
    {"0", "E00040"},    {"100", "E00060"}, {"-100", "E00020"}, {"1", "E02940"},
    {"250", "E0577F"},  {"-300", "E02900"}, {" 50 ", "E00050"}, {"+1", "E02940"},
    {"12.5", "E00044"},
};

void PrintTo(const WheelCase& c, std::ostream* os) { *os << c.cents; }

class PitchWheelTable : public ::testing::TestWithParam<WheelCase> {};

TEST_P(PitchWheelTable, ShiftsByCentsOnATwoSemitoneWheel)
{
    tMidiTrk trk;
    trk.c_addPitchWheelE(0, 0, GetParam().cents);
    EXPECT_EQ(hexOf(trk.trkEvents(0)), GetParam().eDataHex);
}

INSTANTIATE_TEST_SUITE_P(Cents, PitchWheelTable, ::testing::ValuesIn(kWheelCases));

TEST(tMidiTrk, PitchShiftThatIsNotANumberIsRaisedAndAddsNothing)
{
    tMidiTrk trk;
    for (const char* text : {"", "abc", "12x", "+", "nan", "inf"}) {
        EXPECT_THROW(trk.c_addPitchWheelE(0, 0, text), MidiArgumentError) << text;
    }
    EXPECT_EQ(trk.trkNEvents(), 0);
}

TEST(tMidiTrk, ChannelAboveFifteenIsRejectedInsteadOfChangingTheMessageKind)
{
    tMidiTrk trk;
    EXPECT_THROW(trk.c_addNoteOnE(0, 16, 60, 64), MidiArgumentError);
    EXPECT_THROW(trk.c_addProgChangeE(0, 64, 1), MidiArgumentError);
    EXPECT_EQ(trk.trkNEvents(), 0);
}

TEST(tMidiTrk, ProgramChangeSetsChannelAndProgramFlags)
{
    tMidiTrk trk;
    trk.c_addProgChangeE(0, 3, 42);
    EXPECT_TRUE(trk.trkChannels(3));
    EXPECT_TRUE(trk.trkActInstrs(42));
    EXPECT_FALSE(trk.trkActInstrs(0));
    trk.c_addNoteOnE(0, 9, 36, 100);
    EXPECT_TRUE(trk.trkChannels(9));
    EXPECT_FALSE(trk.trkActInstrs(36));
}

TEST(tMidiTrk, ProgramAbove127KeepsEventButGivesNine)
{
    tMidiTrk trk;
    tMidiEvt ev;
    ev.eType = 1;
    ev.eData = bytesFromHex("C1 80 00");
    EXPECT_EQ(trk.addEvent(ev), 9);
    EXPECT_EQ(trk.trkNEvents(), 1);
    EXPECT_TRUE(trk.trkChannels(1));
    for (int p = 0; p < 128; ++p) {
        EXPECT_FALSE(trk.trkActInstrs(p));
    }
}

TEST(tMidiTrk, NameEventsSetTrackAndInstrumentNames)
{
    tMidiTrk trk;
    trk.c_addTracknameE(0, "First");
    trk.c_addTracknameE(0, "Second");
    trk.c_addInstrNameE(0, "Harp");
    EXPECT_EQ(trk.trkName, "Second");
    EXPECT_EQ(trk.trkInstrument, "Harp");
    EXPECT_EQ(trk.makeMidiTrackStr().substr(8, 9), bytesFromHex("00 FF 03 05") + "First");
}

TEST(tMidiTrk, FlagAndSlotIndexesOutsideTheirRangeAreRaised)
{
    tMidiTrk trk;
    EXPECT_THROW(trk.trkEvents(0), MidiRangeError);
    EXPECT_THROW(trk.trkChannels(16), MidiRangeError);
    EXPECT_THROW(trk.setTrkChannels(-1, true), MidiRangeError);
    EXPECT_THROW(trk.trkActInstrs(128), MidiRangeError);
    trk.setTrkActInstrs(127, true);
    EXPECT_TRUE(trk.trkActInstrs(127));
}

TEST(tMidiTrk, EventsAreHandedOutAsTheStoredObjects)
{
    tMidiTrk trk;
    tMidiEvt mine;
    mine.eType = 1;
    mine.eData = bytesFromHex("90 3C 40");
    trk.addEvent(mine);
    mine.eData = bytesFromHex("80 3C 00");
    EXPECT_EQ(hexOf(trk.trkEvents(0)), "903C40");
    trk.trkEvents(0).deltaTick = 12;
    EXPECT_EQ(trk.trkEvents(0).deltaTick, 12);
    trk.setTrkEvents(0, mine);
    EXPECT_EQ(hexOf(trk.trkEvents(0)), "803C00");
}

struct ReadCase {
    const char* name;
    std::string chunk;
    int32_t code;
    std::vector<std::string> events;
};

const ReadCase kReadCases[] = {
    {"RunningStatus", trackChunk("00 90 3C 40 00 3C 00"), 0, {"903C40", "903C00"}},
    {"ProgramChangeHasOneDataByte", trackChunk("00 C0 05 00 90 3C 40"), 0, {"C00500", "903C40"}},
    {"DataByteWithoutRunningStatus", trackChunk("00 3C 40"), -4, {}},
    {"UnhandledStatus", trackChunk("00 90 3C 40 00 F3 01"), -5, {"903C40"}},
    {"DataByteAfterMetaEndsRunningStatus", trackChunk("00 90 3C 40 00 FF 01 00 00 3C 00"), -5, {"903C40", "01"}},
    {"StopsAtEndOfTrack", trackChunk("00 FF 2F 00 00 90 3C 40"), 0, {"2F"}},
    {"EscapePacketAddsNothing", trackChunk("00 F7 02 01 02 00 80 3C 00"), 0, {"803C00"}},
    {"SysExKeepsItsBytes", trackChunk("00 F0 03 7E 00 F7"), 0, {"F07E00F7"}},
    {"BodyUsedUpWithoutEndOfTrack", trackChunk("00 B0 07 64"), 0, {"B00764"}},
    {"MetaLongerThanBody", trackChunk("00 90 3C 40 00 FF 01 7F 41"), 5, {"903C40"}},
    {"SysExLengthHuge", trackChunk("00 F0 87 FF FF FF 7F 00"), 5, {}},
    {"EscapeLongerThanBody", trackChunk("00 F7 05 00"), 5, {}},
    {"ChannelMessageCutShort", trackChunk("00 90 3C"), 5, {}},
    {"DeltaOverflow", trackChunk("88 80 80 80 00 90 3C 40"), 6, {}},
    {"NotATrack", "MTrx" + bytesFromHex("00 00 00 01 00"), -1, {}},
    {"ZeroLength", "MTrk" + bytesFromHex("00 00 00 00"), -2, {}},
    {"NegativeLength", "MTrk" + bytesFromHex("80 00 00 04 00 FF 2F 00"), -2, {}},
    {"StreamEndsInsideBody", "MTrk" + bytesFromHex("00 00 00 08 00 90 3C 40"), 62, {}},
    {"StreamEndsInsideLength", "MTrk" + bytesFromHex("00 00"), 62, {}},
    {"EmptyStream", "", 62, {}},
};

void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }

class ReadTable : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadTable, GivesCodeAndKeepsEventsReadBeforeIt)
{
    std::istringstream in(GetParam().chunk);
    tMidiTrk trk;
    EXPECT_EQ(trk.readTrk(in), GetParam().code);
    EXPECT_EQ(eventsHex(trk), GetParam().events);
}

INSTANTIATE_TEST_SUITE_P(Chunks, ReadTable, ::testing::ValuesIn(kReadCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(tMidiTrk, ReadingLeavesTheStreamAtTheNextChunkAndKeepsDeltas)
{
    std::istringstream in(trackChunk("05 90 3C 40 81 00 3C 00 00 FF 2F 00 00 90") + "NEXT");
    tMidiTrk trk;
    ASSERT_EQ(trk.readTrk(in), 0);
    ASSERT_EQ(trk.trkNEvents(), 3);
    EXPECT_EQ(trk.trkEvents(0).deltaTick, 5);
    EXPECT_EQ(trk.trkEvents(1).deltaTick, 128);
    std::string rest(4, ' ');
    in.read(rest.data(), 4);
    EXPECT_EQ(rest, "NEXT");
}

// A stream that cannot tell its size, like a pipe: the reader must still never trust a length field.
class PipeBuf : public std::streambuf {
public:
    explicit PipeBuf(std::string bytes) : bytes_(std::move(bytes))
    {
        setg(bytes_.data(), bytes_.data(), bytes_.data() + bytes_.size());
    }

private:
    std::string bytes_;
};

TEST(tMidiTrk, StreamWithoutSizeIsReadInPiecesAndEndsWith62)
{
    PipeBuf whole(trackChunk("00 90 3C 40 00 FF 2F 00"));
    std::istream wholeIn(&whole);
    tMidiTrk trk;
    EXPECT_EQ(trk.readTrk(wholeIn), 0);
    EXPECT_EQ(trk.trkNEvents(), 2);

    PipeBuf lying("MTrk" + bytesFromHex("7F FF FF FF 00 90 3C 40"));
    std::istream lyingIn(&lying);
    EXPECT_EQ(trk.readTrk(lyingIn), 62);
    EXPECT_EQ(trk.trkNEvents(), 2);
}

TEST(tMidiTrk, ProgramChangeReadIsWrittenBackWithOneDataByte)
{
    std::istringstream in(trackChunk("00 C0 05 00 FF 2F 00"));
    tMidiTrk trk;
    ASSERT_EQ(trk.readTrk(in), 0);
    EXPECT_TRUE(trk.trkChannels(0));
    EXPECT_TRUE(trk.trkActInstrs(5));
    EXPECT_EQ(trk.makeMidiTrackStr(), trackChunk("00 C0 05 00 FF 2F 00"));
}

struct WriteCase {
    const char* name;
    std::function<void(tMidiTrk&)> fill;
    std::string chunk;
};

const WriteCase kWriteCases[] = {
    {"EmptyTrackIsEndOfTrackAlone", [](tMidiTrk&) {}, trackChunk("00 FF 2F 00")},
    {"EndOfTrackAppended", [](tMidiTrk& t) { t.c_addNoteOnE(0, 0, 60, 64); },
     "MTrk" + bytesFromHex("00 00 00 08 00 90 3C 40 00 FF 2F 00")},
    {"OwnEndOfTrackKept",
     [](tMidiTrk& t) {
         t.c_addNoteOnE(0, 0, 60, 64);
         t.c_addEndOfTrack(10);
     },
     "MTrk" + bytesFromHex("00 00 00 08 00 90 3C 40 0A FF 2F 00")},
    {"Tempo", [](tMidiTrk& t) { t.c_addNewTempo(0, 500000); }, trackChunk("00 FF 51 03 07 A1 20 00 FF 2F 00")},
    {"NoRunningStatusOnOutput",
     [](tMidiTrk& t) {
         t.c_addNoteOnE(0, 0, 60, 64);
         t.c_addNoteOnE(200, 0, 60, 0);
     },
     trackChunk("00 90 3C 40 81 48 90 3C 00 00 FF 2F 00")},
    {"SysExLeftOutWithItsDelta",
     [](tMidiTrk& t) {
         t.c_addNoteOnE(1, 0, 60, 64);
         t.addSysExEvt(50, bytesFromHex("F0 01 F7"));
         t.c_addNoteOffE(2, 0, 60);
     },
     trackChunk("01 90 3C 40 02 80 3C 00 00 FF 2F 00")},
    {"ChannelPressureHasOneDataByte", [](tMidiTrk& t) { t.addChanMsg(0, 0xD3, 0x40, 0x11); },
     trackChunk("00 D3 40 00 FF 2F 00")},
    {"LongMetaLength", [](tMidiTrk& t) { t.c_addTextE(0, std::string(200, 'x')); },
     trackChunk("00 FF 01 81 48 " + [] {
         std::string hex;
         for (int i = 0; i < 200; ++i) {
             hex += "78";
         }
         return hex;
     }() + " 00 FF 2F 00")},
};

void PrintTo(const WriteCase& c, std::ostream* os) { *os << c.name; }

class WriteTable : public ::testing::TestWithParam<WriteCase> {};

TEST_P(WriteTable, EncodesTheTrackChunk)
{
    tMidiTrk trk;
    GetParam().fill(trk);
    EXPECT_EQ(trk.makeMidiTrackStr(), GetParam().chunk);
}

INSTANTIATE_TEST_SUITE_P(Chunks, WriteTable, ::testing::ValuesIn(kWriteCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(tMidiTrk, NegativeDeltaCannotBeWritten)
{
    tMidiTrk trk;
    trk.c_addNoteOnE(-1, 0, 60, 64);
    EXPECT_THROW(trk.makeMidiTrackStr(), MidiOverflowError);
}

TEST(tMidiTrk, AbsoluteTicksAreRunningSumsAndOverflowIsRaised)
{
    tMidiTrk trk;
    trk.c_addNoteOnE(10, 0, 60, 64);
    trk.c_addNoteOffE(0, 0, 60);
    trk.c_addNoteOnE(32, 0, 62, 64);
    trk.setEvtsAbsTicks();
    EXPECT_EQ(trk.trkEvents(0).absTick, 10);
    EXPECT_EQ(trk.trkEvents(1).absTick, 10);
    EXPECT_EQ(trk.trkEvents(2).absTick, 42);
    trk.c_addNoteOffE(INT32_MAX, 0, 62);
    EXPECT_THROW(trk.setEvtsAbsTicks(), MidiOverflowError);
}

TEST(tMidiTrk, TextDumpShowsTimesAndEventKinds)
{
    tMidiTrk trk;
    trk.c_addProgChangeE(0, 0, 5);
    trk.addSysExEvt(0, bytesFromHex("F0 7E F7"));
    trk.c_addNewTempo(0, 500000);
    trk.c_addNoteOnE(1234567, 0, 60, 64);
    tMidiEvt odd;
    odd.eType = 7;
    odd.deltaTick = 1;
    trk.addEvent(odd);
    trk.setEvtsAbsTicks();
    trk.trkEvents(3).absMS = -5;
    EXPECT_EQ(trk.toText(),
              "\t000000 (000000) CM: C00500\r\n"
              "\t000000 (000000) SM: F07EF7\r\n"
              "\t000000 (000000) Tempo Change: 07A120\r\n"
              "\t1234567 (-000005) CM: 903C40\r\n"
              "\t1234568 (000000) \r\n");
}

TEST(tMidiTrk, CopyIsDeepAndHasExactlyAsManySlotsAsEvents)
{
    tMidiTrk src;
    src.c_addTracknameE(0, "Bass");
    src.c_addProgChangeE(0, 4, 33);
    src.c_addNoteOnE(5, 4, 40, 90);
    tMidiTrk copy;
    copy.c_addNoteOnE(0, 1, 1, 1);
    copy.copyFrom(src);
    EXPECT_EQ(copy.trkNEvents(), 3);
    EXPECT_EQ(copy.trkEventsArrSize(), 3);
    EXPECT_EQ(copy.trkName, "Bass");
    EXPECT_TRUE(copy.trkChannels(4));
    EXPECT_FALSE(copy.trkChannels(1));
    EXPECT_TRUE(copy.trkActInstrs(33));
    EXPECT_EQ(copy.makeMidiTrackStr(), src.makeMidiTrackStr());
    copy.trkEvents(2).eData[1] = 41;
    EXPECT_EQ(hexOf(src.trkEvents(2)), "94285A");
    copy.c_addNoteOffE(0, 4, 40);
    EXPECT_EQ(copy.trkEventsArrSize(), 103);

    tMidiTrk empty;
    copy.copyFrom(empty);
    EXPECT_EQ(copy.trkNEvents(), 0);
    EXPECT_EQ(copy.trkEventsArrSize(), 0);
    EXPECT_TRUE(copy.trkName.empty());
}

}  // namespace
