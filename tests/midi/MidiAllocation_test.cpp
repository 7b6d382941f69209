#include "tests/midi/midiTestSupport.h"

#include <new>

using namespace notaro;
using namespace midiTest;

// This program replaces the global allocator to record the largest single request, so a test can
// see whether a length field in a file made the reader allocate what the field claims.
namespace {
size_t largestRequest = 0;

// Kept out of line so the compiler does not pair the inlined free() with the matching new
// expressions.
__attribute__((noinline)) void releaseBlock(void* p) {
    std::free(p);
}
} // namespace

void* operator new(size_t size) {
    largestRequest = std::max(largestRequest, size);
    if (void* p = std::malloc(size == 0 ? 1 : size))
        return p;
    throw std::bad_alloc();
}

// clang-format off
void* operator new[](size_t size) { return operator new(size); }
void operator delete(void* p) noexcept { releaseBlock(p); }
void operator delete[](void* p) noexcept { releaseBlock(p); }
void operator delete(void* p, size_t) noexcept { releaseBlock(p); }
void operator delete[](void* p, size_t) noexcept { releaseBlock(p); }
// clang-format on

using R = MidiResult;

namespace {

size_t largestWhileReading(const std::string& bytes, MidiResult& code) {
    TempDir dir;
    writeBytes(dir.file("in.mid"), bytes);
    tMidiF04 f;
    largestRequest = 0;
    code = f.readMidiFile(dir.file("in.mid"));
    return largestRequest;
}

TEST(midiAllocation, LengthBeyondTheFileIsReportedWithoutAllocatingIt) {
    const std::string head = "MThd" + bytesFromHex("00 00 00 06 00 01 00 01 00 60");
    const std::pair<std::string, MidiResult> cases[] = {
        {head + "MTrk" + bytesFromHex("7F FF FF FF 00 90 3C 40"), R::EndOfFile},
        {"MThd" + bytesFromHex("7F FF FF FF 00 01 00 01 00 60 00 00"), R::EndOfFile},
        {head + trackChunk("00 FF 01 87 FF FF FF 7F 41 42"), R::InvalidArgument},
        {head + trackChunk("00 F0 87 FF FF FF 7F F7"), R::InvalidArgument},
        {head + trackChunk("00 F7 87 FF FF FF 7F F7"), R::InvalidArgument},
        // 32767 tracks declared in 20 bytes: tracks are made as their chunks come.
        {"MThd" + bytesFromHex("00 00 00 06 00 01 7F FF 00 60 4D 54 72 6B 00 00"), R::EndOfFile},
    };
    MidiResult code = R::Ok;
    for (const auto& [bytes, want] : cases) {
        EXPECT_LT(largestWhileReading(bytes, code), 64u * 1024u) << midiU00::bytesToHex(bytes);
        EXPECT_EQ(code, want) << midiU00::bytesToHex(bytes);
    }
    // The measurement does see a genuinely long chunk.
    std::string body;
    for (int i = 0; i < 50000; ++i)
        body += "00 90 3C 40 ";
    EXPECT_GE(largestWhileReading(head + trackChunk(body), code), 200000u);
    EXPECT_EQ(code, R::Ok);
}

} // namespace
