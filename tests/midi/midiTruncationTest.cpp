#include "midiTestSupport.h"
#include "tMidiF04.h"

#include <gtest/gtest.h>

using midiTest::bytesFromHex;
using midiTest::TempDir;
using midiTest::trackChunk;
using midiTest::writeBytes;

namespace {

// A file using every construct the reader handles: a longer header, running status, sysex, an escape
// packet, meta events with multi-byte lengths, tempo changes and several tracks.
std::string richFile()
{
    std::string longText(130, 'q');
    std::string textHex;
    for (const char c : longText) {
        textHex += c == 'q' ? "71 " : "";
    }
    return "MThd" + bytesFromHex("00 00 00 08 00 01 00 03 01 E0 00 00") +
           trackChunk("00 FF 03 04 4D 61 69 6E 00 FF 51 03 07 A1 20 83 60 FF 51 03 0F 42 40 00 FF 01 81 02 " +
                      textHex + "00 FF 2F 00") +
           trackChunk("00 C0 05 00 90 3C 40 60 3C 00 00 3E 50 81 40 3E 00 00 F0 05 7E 7F 09 01 F7 "
                      "10 F7 02 01 02 00 E0 00 40 00 B0 07 64 00 FF 2F 00") +
           trackChunk("8F 00 99 24 7F 10 24 00 00 FF 2F 00");
}

TEST(midiTruncation, EveryCutOfAValidFileGivesACodeAndNeverACrash)
{
    TempDir dir;
    const std::string path = dir.file("cut.mid");
    const std::string full = richFile();
    tMidiF04 whole;
    writeBytes(path, full);
    ASSERT_EQ(whole.readMidiFile(path), 0);
    ASSERT_EQ(whole.tracks(2)->trkNEvents(), 3);

    for (size_t len = 0; len < full.size(); ++len) {
        writeBytes(path, full.substr(0, len));
        tMidiF04 f;
        const int32_t code = f.readMidiFile(path);
        EXPECT_NE(code, 0) << "cut at " << len;
        EXPECT_FALSE(f.toText().empty());
        EXPECT_LE(f.tracks(0)->trkNEvents(), whole.tracks(0)->trkNEvents());
    }
}

TEST(midiTruncation, CorruptingAnyByteGivesACodeOrAReadButNeverACrash)
{
    TempDir dir;
    const std::string path = dir.file("bad.mid");
    const std::string full = richFile();
    int failures = 0;
    int variants = 0;
    for (size_t at = 0; at < full.size(); ++at) {
        for (const char value : {'\x00', '\x7F', '\x80', '\xFF'}) {
            std::string bytes = full;
            bytes[at] = value;
            writeBytes(path, bytes);
            tMidiF04 f;
            ++variants;
            if (f.readMidiFile(path) != 0) {
                ++failures;
            }
            EXPECT_NO_THROW(f.toText()) << "byte " << at;
            EXPECT_NO_THROW(f.makeMidiStr()) << "byte " << at;
        }
    }
    // Many single-byte changes break a length or a status (the long text absorbs others); the count
    // guards against a reader that accepts anything.
    EXPECT_GT(failures, variants / 8);
}

}  // namespace
