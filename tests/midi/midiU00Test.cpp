#include "midiU00.h"
#include "MidiArgumentError.h"
#include "MidiOverflowError.h"
#include "midiTestSupport.h"

#include <gtest/gtest.h>

using namespace midiU00;
using midiTest::bytesFromHex;

namespace {

TEST(midiU00, VarLenQuantitiesReadAndEncodeBothWays) {
    const struct {
        const char* hex;
        int32_t value;
    } cases[] = {{"00", 0},
                 {"7F", 127},
                 {"81 00", 128},
                 {"FF 7F", 16383},
                 {"81 80 00", 16384},
                 {"FF FF FF 7F", (1 << 28) - 1},
                 {"87 FF FF FF 7F", INT32_MAX}};
    for (const auto& c : cases) {
        const std::string data = bytesFromHex(std::string("55 ") + c.hex);
        int32_t pos = 2;
        EXPECT_EQ(midiGetVarLen(data, pos), c.value) << c.hex;
        EXPECT_EQ(pos, static_cast<int32_t>(data.size()) + 1) << c.hex;
        EXPECT_EQ(varLenBytes(c.value), data.substr(1)) << c.hex;
    }
}

TEST(midiU00, BadVarLensAndPositionsAreRaisedWithTheirCodes) {
    int32_t pos = 1;
    try {
        midiGetVarLen(bytesFromHex("88 80 80 80 00"), pos);
        FAIL() << "no overflow raised";
    } catch (const MidiOverflowError& e) {
        EXPECT_EQ(e.code(), 6);
    }
    pos = 1;
    try {
        midiGetVarLen(bytesFromHex("81 80"), pos);
        FAIL() << "no failure raised";
    } catch (const MidiArgumentError& e) {
        EXPECT_EQ(e.code(), 5);
    }
    EXPECT_THROW(varLenBytes(-1), MidiOverflowError);
    const std::string data = bytesFromHex("00 A5");
    pos = 2;
    EXPECT_EQ(midiGetByte(data, pos), 0xA5);
    EXPECT_THROW(midiGetByte(data, pos), MidiArgumentError);
    pos = 0;
    EXPECT_THROW(midiGetByte(data, pos), MidiArgumentError);
}

TEST(midiU00, BigEndianNumbersKeepTheirSign) {
    EXPECT_EQ(bytesToLongBE(bytesFromHex("FF FF FF FF")), -1);
    EXPECT_EQ(bytesToLongBE(bytesFromHex("00 07 A1 20 99")), 500000);
    EXPECT_EQ(bytesToIntBE(bytesFromHex("E7 28")), -6360);
    EXPECT_EQ(longToBytesBE(INT32_MIN), bytesFromHex("80 00 00 00"));
    EXPECT_EQ(intToBytesBE(-6360), bytesFromHex("E7 28"));
    EXPECT_THROW(bytesToLongBE(bytesFromHex("01 02 03")), MidiArgumentError);
    EXPECT_THROW(bytesToIntBE(bytesFromHex("01")), MidiArgumentError);
}

TEST(midiU00, TicksToMSecsFollowsTempoAndDivisionAndSurvivesDivisionZero) {
    EXPECT_DOUBLE_EQ(ticksToMSecs(48, 96, 1000000), 500.0);
    EXPECT_DOUBLE_EQ(ticksToMSecs(3, 0, 500000), 1500.0);
}

TEST(midiU00, MetaTextShowsLabelAndData) {
    const struct {
        const char* eDataHex;
        const char* text;
    } cases[] = {
        {"01 48 69", "Text: Hi"},
        {"02 28 63 29", "Copyright: (c)"},
        {"03 4C 65 61 64", "Track Name: Lead"},
        {"04 4F 62", "Instrument: Ob"},
        {"05 6C 61", "Lyric: la"},
        {"06 41", "Marker: A"},
        {"07 47 6F", "Cue Point: Go"},
        {"20 09", "Channel: 9"},
        {"21 C8", "Port: 200"},
        {"20", "Channel: "},
        {"2F", "End of Track: "},
        {"51 07 A1 20", "Tempo Change: 07A120"},
        {"54 60 00 03 00 00", "SMPTE Offset: 6000030000"},
        {"58 04 02 18 08", "Time Signature: 04021808"},
        {"59 FD 00", "Key Signature: FD00"},
        {"7F 01 02", "??? (127): 0102"},
        {"0A", "??? (10): "},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(metaEvtText(bytesFromHex(c.eDataHex)), c.text);
    }
    EXPECT_EQ(metaEvtText(std::string("\x01"
                                      "a\0b",
                                      4)),
              std::string("Text: a\0b", 9));
}

TEST(midiU00, HexShowsEveryByteUpperCase) {
    EXPECT_EQ(bytesToHex(std::string("\x00\x0a\xff", 3)), "000AFF");
    const std::string hex = bytesToHex(std::string(40000, '\xAB'));
    EXPECT_EQ(hex.size(), 80000u);
    EXPECT_EQ(hex.substr(79996), "ABAB");
}

} // namespace
