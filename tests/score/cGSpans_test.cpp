#include "score/cGSpans.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace notaro;

TEST(cGSpans, GrowsByTheStepKeepsSpansAndFindsThemByNameAndIndex) {
    cGSpans s;
    EXPECT_THROW(s.iLast(cGSpans::kNewest), std::out_of_range);
    for (int i = 0; i <= 20; ++i) {
        EXPECT_EQ(s.addGSpan("s" + std::to_string(i), i, i + 1), i);
        EXPECT_EQ(s.spanCapacity(), i < 20 ? 20 : 40);
    }
    for (int i = 0; i <= 20; ++i) {
        EXPECT_EQ(s.gVal(i) + " " + std::to_string(s.iFirst(i)) + " " + std::to_string(s.iLast(i)),
                  "s" + std::to_string(i) + " " + std::to_string(i) + " " + std::to_string(i + 1));
    }
    s.setILast(cGSpans::kNewest, 99);
    EXPECT_EQ(s.iLast(20), 99);
    EXPECT_THROW(s.iFirst(21), std::out_of_range);
    s.clear();
    EXPECT_EQ(s.NumSpans() + s.spanCapacity(), 0);
    // The last index is rounded as any number stored into a 32-bit field: halves to even.
    s.addGSpan("a", 0, 2.5);
    s.addGSpan("b", 0, 3.5);
    EXPECT_EQ(s.iLast(0) * 10 + s.iLast(1), 24);
    s.clear();
    s.addGSpan("tune", 0, 9);
    EXPECT_EQ(s.seachBack("TUNE"), 0);
    s.addGSpan("Tune", 5, 7);
    EXPECT_EQ(s.seachBack("tune"), 1); // the newest
    EXPECT_EQ(s.seachBack("other"), cGSpans::kNoSpan);
    EXPECT_EQ(s.coveringSpan(6), 0);
    EXPECT_EQ(s.coveringSpan2(6), 1);
    EXPECT_EQ(s.coveringSpan(12), cGSpans::kNoSpan);
    EXPECT_EQ(s.coveringSpan2(-1), cGSpans::kNoSpan);
    // A span still open (last before first) covers nothing but is found by name.
    s.addGSpan("open", 4, 3);
    EXPECT_EQ(s.seachBack("OPEN"), 2);
    EXPECT_EQ(s.coveringSpan2(4), 0);
}
