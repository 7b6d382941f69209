#include "midiTestSupport.h"
#include "tMidiF04.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

// This program replaces the global allocator to record the largest single request, so a test can see
// whether a length field in a file made the reader allocate what the field claims.
namespace {
size_t largestRequest = 0;

// Kept out of line so the compiler does not pair the inlined free() with the matching new expressions.
__attribute__((noinline)) void releaseBlock(void* p) { std::free(p); }
}  // namespace

void* operator new(size_t size)
{
    if (size > largestRequest) {
        largestRequest = size;
    }
    if (void* p = std::malloc(size == 0 ? 1 : size)) {
        return p;
    }
    throw std::bad_alloc();
}

void* operator new[](size_t size) { return operator new(size); }
void operator delete(void* p) noexcept { releaseBlock(p); }
void operator delete[](void* p) noexcept { releaseBlock(p); }
void operator delete(void* p, size_t) noexcept { releaseBlock(p); }
void operator delete[](void* p, size_t) noexcept { releaseBlock(p); }

using midiTest::bytesFromHex;
using midiTest::TempDir;
using midiTest::trackChunk;
using midiTest::writeBytes;

namespace {

struct LengthCase {
    const char* name;
    std::string bytes;
    int32_t code;
};

const std::string kHeader = "MThd" + bytesFromHex("00 00 00 06 00 01 00 01 00 60");

const LengthCase kLengthCases[] = {
    {"ChunkLength", kHeader + "MTrk" + bytesFromHex("7F FF FF FF 00 90 3C 40"), 62},
    {"HeaderLength", "MThd" + bytesFromHex("7F FF FF FF 00 01 00 01 00 60 00 00"), 62},
    {"MetaLength", kHeader + trackChunk("00 FF 01 87 FF FF FF 7F 41 42"), 5},
    {"SysExLength", kHeader + trackChunk("00 F0 87 FF FF FF 7F F7"), 5},
    {"EscapeLength", kHeader + trackChunk("00 F7 87 FF FF FF 7F F7"), 5},
};

void PrintTo(const LengthCase& c, std::ostream* os) { *os << c.name; }

class LengthTable : public ::testing::TestWithParam<LengthCase> {};

TEST_P(LengthTable, LengthBeyondTheFileIsReportedWithoutAllocatingIt)
{
    TempDir dir;
    const std::string path = dir.file("lie.mid");
    writeBytes(path, GetParam().bytes);
    tMidiF04 f;
    largestRequest = 0;
    const int32_t code = f.readMidiFile(path);
    const size_t largest = largestRequest;
    EXPECT_EQ(code, GetParam().code);
    EXPECT_LT(largest, 64u * 1024u) << "largest single allocation while reading a "
                                    << GetParam().bytes.size() << "-byte file";
}

INSTANTIATE_TEST_SUITE_P(Fields, LengthTable, ::testing::ValuesIn(kLengthCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(midiAllocation, ReaderAllocationsAreSeenForATrueLength)
{
    // The same measurement sees the body of a genuinely long chunk, so the limit above is meaningful.
    TempDir dir;
    const std::string path = dir.file("long.mid");
    std::string body;
    for (int i = 0; i < 50000; ++i) {
        body += "00 90 3C 40 ";
    }
    writeBytes(path, kHeader + trackChunk(body));
    tMidiF04 f;
    largestRequest = 0;
    EXPECT_EQ(f.readMidiFile(path), 0);
    EXPECT_GE(largestRequest, 200000u);
}

}  // namespace
