#include "playback/ShortMsg.h"

#include <gtest/gtest.h>

using namespace notaro::playback;

TEST(ShortMsg, WheelValueOfCentsRoundsAndLimitsAndTextShowsOnlyTheBytesOnTheWire) {
    const std::pair<int32_t, int32_t> cases[] = {{0, 8192}, {50, 10240}, {200, 16383},
                                                 {-200, 0}, {1, 8233},   {-1, 8151}};
    for (const auto& [cents, wheel] : cases)
        EXPECT_EQ(wheelValueOfCents(cents), wheel) << cents;
    EXPECT_EQ(shortMsgText(pitchWheelMsg(15, 16383)), "EF 7F 7F");
    EXPECT_EQ(shortMsgText(packShortMsg(0xD0, 5)), "D0 05");
    EXPECT_EQ(shortMsgText(packShortMsg(0xF8, 0)), "F8");
}
