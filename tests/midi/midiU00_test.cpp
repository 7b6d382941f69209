// Byte-level encodings of the MIDI model: variable-length quantities, big-endian numbers, ticks in
// milliseconds and the dump texts of meta events and bytes.
#include "MidiArgumentError.h"
#include "MidiOverflowError.h"
#include "midiTestSupport.h"
#include "midiU00.h"

#include <gtest/gtest.h>

using namespace notaro;
using namespace notaro::midiU00;
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

TEST(midiU00, MalformedBytesAndPositionsAreRaised) {
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

TEST(midiU00, BigEndianNumbersKeepTheirSignAndTicksFollowTempoAndDivision) {
    EXPECT_EQ(bytesToLongBE(bytesFromHex("FF FF FF FF")), -1);
    EXPECT_EQ(bytesToLongBE(bytesFromHex("00 07 A1 20 99")), 500000);
    EXPECT_EQ(bytesToIntBE(bytesFromHex("E7 28")), -6360);
    EXPECT_EQ(longToBytesBE(INT32_MIN), bytesFromHex("80 00 00 00"));
    EXPECT_EQ(intToBytesBE(-6360), bytesFromHex("E7 28"));
    EXPECT_DOUBLE_EQ(ticksToMSecs(48, 96, 1000000), 500.0);
    EXPECT_DOUBLE_EQ(ticksToMSecs(3, 0, 500000), 1500.0); // division 0 is taken as 1
}

TEST(midiU00, MetaTextShowsTheDataByKind) {
    const struct {
        const char* eDataHex;
        std::string text;
    } cases[] = {{"01 61 00 62", std::string("Text: a\0b", 9)},
                 {"21 C8", "Port: 200"},
                 {"20", "Channel: "}, // no data byte: the label alone
                 {"51 07 A1 20", "Tempo Change: 07A120"},
                 {"2F", "End of Track: "},
                 {"7F 01 02", "??? (127): 0102"}};
    for (const auto& c : cases) {
        EXPECT_EQ(metaEvtText(bytesFromHex(c.eDataHex)), c.text);
    }
    // Every type byte with the data byte 0x41: after the label's ": ", the text types show "A",
    // Channel and Port "65", End of Track nothing and the rest "41".
    for (int type = 0; type < 256; ++type) {
        const std::string text = metaEvtText(std::string{static_cast<char>(type), 'A'});
        const bool asText = type >= 1 && type <= 7;
        const std::string shown = asText                         ? "A"
                                  : type == 0x20 || type == 0x21 ? "65"
                                  : type == 0x2F                 ? ""
                                                                 : "41";
        EXPECT_EQ(text.substr(text.size() - shown.size() - 2), ": " + shown) << type;
    }
    EXPECT_THROW(metaEvtText(""), MidiArgumentError);
}

TEST(midiU00, HexShowsEveryByteUpperCase) {
    EXPECT_EQ(bytesToHex(std::string("\x00\x0a\xff", 3)), "000AFF");
    EXPECT_EQ(bytesToHex(std::string(40000, '\xAB')).substr(79996), "ABAB");
}

} // namespace
