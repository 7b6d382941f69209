#include "cGSpans.h"

#include <gtest/gtest.h>

#include <stdexcept>

using notaro::cGSpans;

TEST(cGSpans, GrowsByTheStepAndKeepsSpans) {
    cGSpans s;
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(s.addGSpan("s" + std::to_string(i), i, i + 1), i);
    EXPECT_EQ(s.spanCapacity(), 20);
    EXPECT_EQ(s.addGSpan("s20", 20, 21), 20);
    EXPECT_EQ(s.spanCapacity(), 40);
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(s.gVal(i), "s" + std::to_string(i));
        EXPECT_EQ(s.iFirst(i), i);
        EXPECT_EQ(s.iLast(i), i + 1);
        EXPECT_EQ(s.xVal(i), 0);
        EXPECT_EQ(s.xObj(i), nullptr);
    }
}

TEST(cGSpans, SeachBackIgnoresCaseAndPrefersTheNewest) {
    cGSpans s;
    s.addGSpan("tune", 0, 3);
    EXPECT_EQ(s.seachBack("TUNE"), 0);
    s.addGSpan("Tune", 5, 6);
    EXPECT_EQ(s.seachBack("tune"), 1);
    EXPECT_EQ(s.seachBack("other"), -1);
}

TEST(cGSpans, CoveringSpansSearchFromEitherEnd) {
    cGSpans s;
    s.addGSpan("a", 0, 9);
    s.addGSpan("b", 5, 7);
    EXPECT_EQ(s.coveringSpan(6), 0);
    EXPECT_EQ(s.coveringSpan2(6), 1);
    EXPECT_EQ(s.coveringSpan(12), -1);
    EXPECT_EQ(s.coveringSpan2(-1), -1);
}

TEST(cGSpans, OpenSpanCoversNothingButIsFound) {
    cGSpans s;
    s.addGSpan("open", 4, 3);
    EXPECT_EQ(s.seachBack("OPEN"), 0);
    EXPECT_EQ(s.coveringSpan(3), -1);
    EXPECT_EQ(s.coveringSpan(4), -1);
}

TEST(cGSpans, MinusOneSelectsNewestAndBadPositionsFail) {
    cGSpans s;
    EXPECT_THROW(s.iLast(-1), std::out_of_range);
    s.addGSpan("a", 1, 2);
    s.addGSpan("b", 3, 4);
    s.setILast(-1, 9);
    EXPECT_EQ(s.iLast(1), 9);
    EXPECT_THROW(s.iFirst(2), std::out_of_range);
    EXPECT_THROW(s.setGVal(-2, "x"), std::out_of_range);
    s.clear();
    EXPECT_EQ(s.NumSpans(), 0);
    EXPECT_EQ(s.spanCapacity(), 0);
    EXPECT_EQ(s.arrSizeIncr(), 20);
}

TEST(cGSpans, LastIndexIsRoundedHalfToEven) {
    cGSpans s;
    s.addGSpan("a", 0, 2.5);
    s.addGSpan("b", 0, 3.5);
    EXPECT_EQ(s.iLast(0), 2);
    EXPECT_EQ(s.iLast(1), 4);
}
