#include "tMidiEvt.h"

#include <gtest/gtest.h>

namespace {

TEST(tMidiEvt, CopyFromTakesEveryFieldIncludingZeroBytes)
{
    tMidiEvt src;
    src.eType = 2;
    src.eData = std::string("\xF0\x00\x7F\xF7", 4);
    src.deltaTick = 7;
    src.absTick = 70;
    src.absMS = 700;
    tMidiEvt dst;
    dst.copyFrom(src);
    EXPECT_EQ(dst.eType, 2);
    EXPECT_EQ(dst.eData, src.eData);
    EXPECT_EQ(dst.deltaTick, 7);
    EXPECT_EQ(dst.absTick, 70);
    EXPECT_EQ(dst.absMS, 700);
    src.eData[1] = 'x';
    EXPECT_EQ(dst.eData[1], '\0');
}

}  // namespace
