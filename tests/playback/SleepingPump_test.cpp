#include "playback/SleepingPump.h"
#include "playback/TickClock.h"

#include <gtest/gtest.h>

#include <thread>

using namespace notaro::playback;

TEST(SleepingPump, ReturnsAtItsDeadlineOrWhenWokenAndRunsTheEvents) {
    int runs = 0;
    SleepingPump pump([&] { ++runs; });
    pump(getTickCount() - 10); // a passed deadline
    EXPECT_EQ(runs, 1);
    const int32_t deadline = getTickCount() + 3;
    pump(deadline);
    EXPECT_GE(getTickCount(), deadline);
    // A wake that comes before the sleep still ends it: nothing is lost in between.
    pump.wake();
    pump(getTickCount() + 3'600'000);
    EXPECT_EQ(runs, 3);
    std::thread waker([&] { pump.wake(); });
    pump(getTickCount() + 3'600'000);
    waker.join();
    EXPECT_EQ(runs, 4);
}
