#include "DurationError.h"
#include "OverflowError.h"
#include "cDuration.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>

using notaro::cDuration;
using notaro::DurationError;
using notaro::OverflowError;

namespace {

cDuration D(int32_t n, int32_t d) {
    cDuration r;
    r.setND(n, d);
    return r;
}

/// The number and source of the DurationError that f raises; 0 and "" when none.
std::pair<uint32_t, std::string> raised(const std::function<void()>& f) {
    try {
        f();
    } catch (const DurationError& e) {
        return {e.number(), e.source()};
    }
    return {0, ""};
}

} // namespace

TEST(cDuration, NewAndUnreducedValues) {
    cDuration d;
    EXPECT_EQ(d.toStr(), "0/1");
    EXPECT_TRUE(d.isZero());
    EXPECT_FALSE(d.isTuplet());

    cDuration q = D(2, 8);
    EXPECT_EQ(q.toStr(), "2/8");
    EXPECT_EQ(q.Add(cDuration()), 0);
    EXPECT_EQ(q.toStr(), "1/4");

    cDuration neg = D(1, -4);
    EXPECT_TRUE(neg.isNeg());
    EXPECT_EQ(neg.Comp(D(1, 4)), -1);
    EXPECT_FALSE(neg.isTuplet());
    EXPECT_EQ(neg.negOf().toStr(), "-1/-4");
    EXPECT_THROW(D(INT32_MIN, 1).negate(), OverflowError);
}

TEST(cDuration, NumberedErrorsLeaveTheValue) {
    cDuration d = D(3, 8);
    const std::pair<uint32_t, std::string> zeroDenominator{0x80040203u, "cDuration"};
    EXPECT_EQ(raised([&] { d.setND(1, 0); }), zeroDenominator);
    EXPECT_EQ(raised([&] { d.setDenom(0); }), zeroDenominator);
    EXPECT_EQ(raised([&] { d.MulDiv(5, 0); }),
              (std::pair<uint32_t, std::string>{0x80040204u, "cDuration"}));
    const std::pair<uint32_t, std::string> badModulus{0x80040206u, "cDuration.modulo"};
    EXPECT_EQ(raised([&] { d.Modulo(cDuration()); }), badModulus);
    EXPECT_EQ(raised([&] { d.Modulo(D(-1, 4)); }), badModulus);
    EXPECT_EQ(d.toStr(), "3/8");
}

TEST(cDuration, AddAndSubtractGiveLowestTerms) {
    const struct {
        int32_t a, b, c, d;
        const char *sum, *diff;
    } cases[] = {
        {1, 3, 1, 6, "1/2", "1/6"},   {1, 4, -1, 4, "0/1", "1/2"},  {3, 8, 3, 8, "3/4", "0/1"},
        {2, 8, 1, 8, "3/8", "1/8"}, // one negative stored denominator: -1/4 + 1/2
        {1, -4, 1, 2, "1/4", "-3/4"}, {1, -4, 1, -4, "-1/2", "0/1"}};
    for (const auto& t : cases) {
        cDuration x = D(t.a, t.b), y = D(t.a, t.b);
        EXPECT_EQ(x.Add(D(t.c, t.d)), 0);
        EXPECT_EQ(y.Subtract(D(t.c, t.d)), 0);
        EXPECT_EQ(x.toStr(), t.sum) << t.a << "/" << t.b << " + " << t.c << "/" << t.d;
        EXPECT_EQ(y.toStr(), t.diff) << t.a << "/" << t.b << " - " << t.c << "/" << t.d;
    }
    cDuration r;
    r.setToSum(D(1, 4), D(1, 8));
    EXPECT_EQ(r.toStr(), "3/8");
    r.setToDiff(D(1, 4), D(1, 8));
    EXPECT_EQ(r.toStr(), "1/8");
}

TEST(cDuration, OverflowInAddReturnsCodeAndKeepsValue) {
    cDuration x = D(INT32_MAX, 1);
    EXPECT_EQ(x.Add(D(1, 1)), -9999);
    EXPECT_EQ(x.toStr(), "2147483647/1");
    cDuration y = D(1, 2147483647);
    EXPECT_EQ(y.Subtract(D(1, 2147483646)), -9999);
    EXPECT_EQ(y.toStr(), "1/2147483647");
}

TEST(cDuration, CompIsExactForUnreducedAndNegativeDenominators) {
    EXPECT_EQ(D(1, 3).Comp(D(2, 6)), 0);
    EXPECT_EQ(D(1, 8).Comp(D(1, 4)), -1);
    EXPECT_EQ(D(1, 4).Comp(D(1, 8)), 1);
    EXPECT_EQ(D(-1, -4).Comp(D(1, 4)), 0);
    EXPECT_EQ(D(1, -4).Comp(D(-1, 8)), -1);
    EXPECT_THROW(D(INT32_MAX, 2).Comp(D(1, 3)), OverflowError);
}

TEST(cDuration, ModuloCountsWholeQuotient) {
    const struct {
        int32_t n, d, mn, md, count;
        const char* rest;
    } cases[] = {{7, 8, 1, 4, 3, "1/8"},
                 {1, 2, 1, 2, 1, "0/1"},
                 {1, 8, 1, 4, 0, "1/8"},
                 {-1, 8, 1, 4, 0, "-1/8"}};
    for (const auto& t : cases) {
        cDuration a = D(t.n, t.d);
        EXPECT_EQ(a.Modulo(D(t.mn, t.md)), t.count) << t.n << "/" << t.d;
        EXPECT_EQ(a.toStr(), t.rest) << t.n << "/" << t.d;
    }
}

TEST(cDuration, GcdTupletAndMulDiv) {
    EXPECT_EQ(D(3, 8).gcdDur(D(1, 4)).toStr(), "1/8");
    EXPECT_EQ(D(1, 3).gcdDur(D(1, 4)).toStr(), "1/12");
    EXPECT_EQ(cDuration().gcdDur(cDuration()).toStr(), "0/1");

    for (auto [n, d] : {std::pair{1, 12}, {1, 3}, {2, 6}})
        EXPECT_TRUE(D(n, d).isTuplet()) << n << "/" << d;
    for (auto [n, d] : {std::pair{3, 8}, {2, 1}, {7, 16}, {2, 8}})
        EXPECT_FALSE(D(n, d).isTuplet()) << n << "/" << d;

    const struct {
        int32_t n, d, mul, div;
        const char* result;
    } cases[] = {
        {3, 8, 1, 2, "3/16"}, {1, 3, 2, 4, "1/6"}, {1, 3, 1, -2, "-1/6"}, {1, 3, 0, 5, "0/1"}};
    for (const auto& t : cases) {
        cDuration a = D(t.n, t.d);
        EXPECT_EQ(a.MulDiv(t.mul, t.div), 0);
        EXPECT_EQ(a.toStr(), t.result);
    }
    cDuration big = D(1, 1 << 30);
    EXPECT_THROW(big.MulDiv(1, 4), OverflowError);
    EXPECT_EQ(big.toStr(), "1/1073741824");
}

TEST(cDuration, NoteValuesWithDots) {
    const struct {
        uint8_t value, dots;
        const char* result;
    } cases[] = {{0, 0, "2/1"}, {0, 1, "3/1"},  {0, 2, "7/2"},   {2, 2, "7/8"},  {6, 1, "1/4"},
                 {4, 1, "3/8"}, {4, 2, "7/16"}, {4, 3, "15/32"}, {12, 0, "1/12"}};
    for (const auto& t : cases) {
        cDuration d;
        EXPECT_EQ(d.fromDDots(t.value, t.dots), 0);
        EXPECT_EQ(d.toStr(), t.result) << int(t.value) << " with " << int(t.dots) << " dots";
    }
    cDuration d;
    EXPECT_EQ(d.fromDDots(1, 40), -2); // the halving overflows

    const struct {
        const char* text;
        int32_t result;
        const char* value;
    } texts[] = {{"", -1, "0/1"},       {"x", -1, "0/1"},      {"123", -1, "0/1"},
                 {"4.....", -1, "0/1"}, {"4....", 5, "31/64"}, {"4.", 2, "3/8"},
                 {"16..", 4, "7/64"},   {"0", 1, "2/1"},       {"08", 2, "1/8"},
                 {"12a", 2, "1/12"}};
    for (const auto& t : texts) {
        cDuration x;
        EXPECT_EQ(x.fromNDots(t.text), t.result) << t.text;
        EXPECT_EQ(x.toStr(), t.value) << t.text;
    }
}

TEST(cDuration, FromStrReadsAFractionOrLeavesTheValue) {
    const struct {
        const char* text;
        int32_t result;
        const char* value;
    } cases[] = {{"6/8", 0, "3/4"},    {" 3 / 4 ", 0, "3/4"}, {"-3/-6", 0, "1/2"},
                 {"0/5", 0, "0/1"},    {"3/0", -1, "5/7"},    {"3", -1, "5/7"},
                 {"3/4.5", -1, "5/7"}, {"+3/4", -1, "5/7"},   {"/4", -1, "5/7"},
                 {"3/-", -1, "5/7"}};
    for (const auto& t : cases) {
        cDuration d = D(5, 7);
        EXPECT_EQ(d.fromStr(t.text), t.result) << t.text;
        EXPECT_EQ(d.toStr(), t.value) << t.text;
    }
    cDuration d = D(5, 7);
    EXPECT_THROW(d.fromStr("99999999999/2"), OverflowError);
    EXPECT_EQ(d.toStr(), "5/7");
}
