#include "MidiArgumentError.h"
#include "MidiOverflowError.h"
#include "midiTestSupport.h"
#include "midiU00.h"

#include <gtest/gtest.h>

using namespace midiU00;
using midiTest::bytesFromHex;

namespace {

struct VarLenCase {
    const char* hex;
    int32_t value;
};

const VarLenCase kVarLenCases[] = {
    {"00", 0},          {"7F", 127},         {"81 00", 128},      {"81 40", 192},
    {"FF 7F", 16383},   {"81 80 00", 16384}, {"FF FF FF 7F", (1 << 28) - 1},
    {"87 FF FF FF 7F", INT32_MAX},
};

void PrintTo(const VarLenCase& c, std::ostream* os) { *os << c.hex; }

class VarLenTable : public ::testing::TestWithParam<VarLenCase> {};

TEST_P(VarLenTable, ReadsValueAndMovesPositionPastIt)
{
    const std::string data = bytesFromHex(GetParam().hex) + "\x55";
    int32_t pos = 1;
    EXPECT_EQ(midiGetVarLen(data, pos), GetParam().value);
    EXPECT_EQ(pos, static_cast<int32_t>(data.size()));
}

TEST_P(VarLenTable, EncodesValueToTheSameBytes)
{
    EXPECT_EQ(varLenBytes(GetParam().value), bytesFromHex(GetParam().hex));
}

INSTANTIATE_TEST_SUITE_P(Quantities, VarLenTable, ::testing::ValuesIn(kVarLenCases));

TEST(midiU00, VarLenBeyond31BitsIsAnOverflow)
{
    int32_t pos = 1;
    try {
        midiGetVarLen(bytesFromHex("88 80 80 80 00"), pos);
        FAIL() << "no overflow raised";
    } catch (const MidiOverflowError& e) {
        EXPECT_EQ(e.code(), 6);
    }
}

TEST(midiU00, VarLenThatRunsOutOfBytesIsAnInvalidArgument)
{
    int32_t pos = 1;
    try {
        midiGetVarLen(bytesFromHex("81 80"), pos);
        FAIL() << "no failure raised";
    } catch (const MidiArgumentError& e) {
        EXPECT_EQ(e.code(), 5);
    }
}

TEST(midiU00, NegativeValueHasNoVarLenEncoding)
{
    EXPECT_THROW(varLenBytes(-1), MidiOverflowError);
}

TEST(midiU00, GetByteReadsAtOneBasedPositionAndRejectsPositionsOutside)
{
    const std::string data = bytesFromHex("00 A5");
    int32_t pos = 2;
    EXPECT_EQ(midiGetByte(data, pos), 0xA5);
    EXPECT_EQ(pos, 3);
    EXPECT_THROW(midiGetByte(data, pos), MidiArgumentError);
    pos = 0;
    EXPECT_THROW(midiGetByte(data, pos), MidiArgumentError);
}

TEST(midiU00, BigEndianNumbersKeepTheirSign)
{
    EXPECT_EQ(bytesToLongBE(bytesFromHex("FF FF FF FF")), -1);
    EXPECT_EQ(bytesToLongBE(bytesFromHex("00 07 A1 20 99")), 500000);
    EXPECT_EQ(bytesToIntBE(bytesFromHex("E7 28")), -6360);
    EXPECT_EQ(bytesToIntBE(bytesFromHex("00 C0 FF")), 192);
    EXPECT_EQ(longToBytesBE(INT32_MIN), bytesFromHex("80 00 00 00"));
    EXPECT_EQ(longToBytesBE(500000), bytesFromHex("00 07 A1 20"));
    EXPECT_EQ(intToBytesBE(-6360), bytesFromHex("E7 28"));
}

TEST(midiU00, BigEndianReadOfTooFewBytesIsAnInvalidArgument)
{
    EXPECT_THROW(bytesToLongBE(bytesFromHex("01 02 03")), MidiArgumentError);
    EXPECT_THROW(bytesToIntBE(bytesFromHex("01")), MidiArgumentError);
}

TEST(midiU00, TicksToMSecsFollowsTempoAndDivision)
{
    EXPECT_DOUBLE_EQ(ticksToMSecs(96, 96, 500000), 500.0);
    EXPECT_DOUBLE_EQ(ticksToMSecs(48, 96, 1000000), 500.0);
    EXPECT_DOUBLE_EQ(ticksToMSecs(3, 0, 500000), 1500.0);
}

struct MetaCase {
    const char* eDataHex;
    const char* text;
};

const MetaCase kMetaCases[] = {
    {"01 48 69", "Text: Hi"},
    {"02 28 63 29", "Copyright: (c)"},
    {"03 4C 65 61 64", "Track Name: Lead"},
    {"04 46 6C 75 74 65", "Instrument: Flute"},
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

void PrintTo(const MetaCase& c, std::ostream* os) { *os << c.eDataHex; }

class MetaTextTable : public ::testing::TestWithParam<MetaCase> {};

TEST_P(MetaTextTable, ShowsLabelAndData)
{
    EXPECT_EQ(metaEvtText(bytesFromHex(GetParam().eDataHex)), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Types, MetaTextTable, ::testing::ValuesIn(kMetaCases));

TEST(midiU00, MetaTextKeepsZeroBytesOfTextData)
{
    EXPECT_EQ(metaEvtText(std::string("\x01" "a\0b", 4)), std::string("Text: a\0b", 9));
}

TEST(midiU00, HexShowsEveryByteUpperCase)
{
    EXPECT_EQ(bytesToHex(bytesFromHex("90 3C 40")), "903C40");
    EXPECT_EQ(bytesToHex(std::string("\x00\x0a\xff", 3)), "000AFF");
    EXPECT_EQ(bytesToHex(""), "");
    const std::string big(40000, '\xAB');
    const std::string hex = bytesToHex(big);
    ASSERT_EQ(hex.size(), 80000u);
    EXPECT_EQ(hex.substr(79996), "ABAB");
}

}  // namespace
