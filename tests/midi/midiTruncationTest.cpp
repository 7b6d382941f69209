#include "midiTestSupport.h"
#include "tMidiF04.h"

#include <gtest/gtest.h>

using midiTest::bytesFromHex;
using midiTest::trackChunk;

namespace {

TEST(midiTruncation, EveryCutOfAValidFileGivesACodeAndNeverACrash) {
    // Every construct the reader handles: a longer header, running status, sysex, an escape packet,
    // a meta event with a two-byte length, tempo changes and several tracks.
    std::string longTextHex;
    for (int i = 0; i < 130; ++i) {
        longTextHex += "71 ";
    }
    const std::string full =
        "MThd" + bytesFromHex("00 00 00 08 00 01 00 03 01 E0 00 00") +
        trackChunk(
            "00 FF 03 04 4D 61 69 6E 00 FF 51 03 07 A1 20 83 60 FF 51 03 0F 42 40 00 FF 01 81 02 " +
            longTextHex + "00 FF 2F 00") +
        trackChunk("00 C0 05 00 90 3C 40 60 3C 00 00 3E 50 81 40 3E 00 00 F0 05 7E 7F 09 01 F7 "
                   "10 F7 02 01 02 00 E0 00 40 00 B0 07 64 00 FF 2F 00") +
        trackChunk("8F 00 99 24 7F 10 24 00 00 FF 2F 00");
    midiTest::TempDir dir;
    const std::string path = dir.file("cut.mid");
    tMidiF04 whole;
    midiTest::writeBytes(path, full);
    ASSERT_EQ(whole.readMidiFile(path), 0);
    ASSERT_EQ(whole.tracks(2)->trkNEvents(), 3);

    for (size_t len = 0; len < full.size(); ++len) {
        midiTest::writeBytes(path, full.substr(0, len));
        tMidiF04 f;
        EXPECT_NE(f.readMidiFile(path), 0) << "cut at " << len;
        EXPECT_FALSE(f.toText().empty());
        EXPECT_LE(f.tracks(0)->trkNEvents(), whole.tracks(0)->trkNEvents());
    }
}

} // namespace
