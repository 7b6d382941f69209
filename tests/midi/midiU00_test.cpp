#include "tests/midi/midiTestSupport.h"

using namespace notaro;
using namespace midiTest;
using namespace notaro::midiU00;

namespace {

TEST(midiU00, VarLenQuantitiesReadAndEncodeBothWaysAndMalformedBytesAreRaised) {
    const std::pair<const char*, int32_t> cases[] = {{"00", 0},
                                                     {"7F", 127},
                                                     {"81 00", 128},
                                                     {"FF 7F", 16383},
                                                     {"81 80 00", 16384},
                                                     {"FF FF FF 7F", (1 << 28) - 1},
                                                     {"87 FF FF FF 7F", INT32_MAX}};
    for (const auto& [hex, value] : cases) {
        const std::string data = bytesFromHex(std::string("55 ") + hex);
        int32_t pos = 2;
        EXPECT_EQ(midiGetVarLen(data, pos), value) << hex;
        EXPECT_EQ(pos, static_cast<int32_t>(data.size()) + 1) << hex;
        EXPECT_EQ(varLenBytes(value), data.substr(1)) << hex;
    }
    int32_t pos = 1;
    EXPECT_THROW(midiGetVarLen(bytesFromHex("88 80 80 80 00"), pos), MidiOverflowError);
    pos = 1;
    EXPECT_THROW(midiGetVarLen(bytesFromHex("81 80"), pos), MidiArgumentError);
    EXPECT_THROW(varLenBytes(-1), MidiOverflowError);
    const std::string data = bytesFromHex("00 A5");
    pos = 2;
    EXPECT_EQ(midiGetByte(data, pos), 0xA5);
    EXPECT_THROW(midiGetByte(data, pos), MidiArgumentError);
    pos = 0;
    EXPECT_THROW(midiGetByte(data, pos), MidiArgumentError);
    EXPECT_THROW(bytesToLongBE(bytesFromHex("01 02 03")), MidiArgumentError);
    EXPECT_THROW(bytesToIntBE(bytesFromHex("01")), MidiArgumentError);
}

TEST(midiU00, BigEndianNumbersKeepTheirSignTicksFollowTempoAndHexIsUpperCase) {
    EXPECT_EQ(bytesToLongBE(bytesFromHex("FF FF FF FF")), -1);
    EXPECT_EQ(bytesToIntBE(bytesFromHex("E7 28")), -6360);
    EXPECT_EQ(longToBytesBE(INT32_MIN), bytesFromHex("80 00 00 00"));
    EXPECT_DOUBLE_EQ(ticksToMSecs(48, 96, 1000000), 500.0);
    EXPECT_DOUBLE_EQ(ticksToMSecs(3, 0, 500000), 1500.0); // division 0 is taken as 1
    EXPECT_EQ(bytesToHex(std::string("\x00\x0a\xff", 3)), "000AFF");
    EXPECT_EQ(bytesToHex(std::string(40000, '\xAB')).substr(79996), "ABAB");
}

TEST(midiU00, MetaTextShowsTheDataByKind) {
    const std::pair<const char*, const char*> cases[] = {{"07 41", "Cue Point: A"},
                                                         {"08 41", "??? (8): 41"},
                                                         {"21 C8", "Port: 200"},
                                                         {"51 07 A1 20", "Tempo Change: 07A120"},
                                                         {"2F 41", "End of Track: "}};
    for (const auto& [hex, text] : cases)
        EXPECT_EQ(metaEvtText(bytesFromHex(hex)), text) << hex;
    EXPECT_EQ(metaEvtText(bytesFromHex("01 61 00 62")), std::string("Text: a\0b", 9));
    EXPECT_THROW(metaEvtText(""), MidiArgumentError);
}

} // namespace
