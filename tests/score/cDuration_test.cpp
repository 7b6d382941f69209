#include "base/OverflowError.h"
#include "score/DurationError.h"
#include "score/cDuration.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <functional>

using namespace notaro;

// The numbers callers and messages rely on, spelled a second time so that none changes unseen.
static_assert(code(DurationResult::Ok) == 0 && code(DurationResult::NoMatch) == -1 &&
              code(DurationResult::Failed) == -2 && code(DurationResult::Overflow) == -9999);
static_assert(code(SumResult::Ok) == 0 && code(SumResult::Overflow) == -1);
static_assert(code(UnexpectedError::Other) == 5 && code(UnexpectedError::Overflow) == 6 &&
              code(UnexpectedError::OutOfMemory) == 7 && code(UnexpectedError::OutOfRange) == 9);

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

TEST(cDuration, NewNegativeAndTupletValuesAndNumberedErrorsThatLeaveTheValue) {
    EXPECT_EQ(cDuration().toStr(), "0/1");
    EXPECT_TRUE(D(1, -4).isNeg());
    EXPECT_FALSE(D(-1, -4).isNeg());
    EXPECT_EQ(D(1, -4).negOf().toStr(), "-1/-4");
    EXPECT_THROW(D(INT32_MIN, 1).negate(), OverflowError);
    for (auto [n, d] : {std::pair{1, 12}, {1, 3}, {2, 6}})
        EXPECT_TRUE(D(n, d).isTuplet()) << n << "/" << d;
    for (auto [n, d] : {std::pair{3, 8}, {2, 1}, {7, 16}, {2, 8}, {1, -4}, {0, 1}})
        EXPECT_FALSE(D(n, d).isTuplet()) << n << "/" << d;
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

TEST(cDuration, ArithmeticOnStoredValuesAndNoteValuesWithDots) {
    // "x op y = result value": op is + Add, - Subtract, c Comp, % Modulo, g gcdDur or
    // * MulDiv by y's numbers; result is what it returns and value what x holds afterwards.
    const char* const cases[] = {
        "1/3 + 1/6 = 0 1/2",     "1/4 + -1/4 = 0 0/1",    "1/-4 + 1/2 = 0 1/4",
        "1/-4 + 1/-4 = 0 -1/2",  "1/3 - 1/6 = 0 1/6",     "1/-4 - 1/2 = 0 -3/4",
        "1/3 c 2/6 = 0 1/3",     "1/8 c 1/4 = -1 1/8",    "1/4 c 1/8 = 1 1/4",
        "-1/-4 c 1/4 = 0 -1/-4", "1/-4 c -1/8 = -1 1/-4", "1/-4 c 1/4 = -1 1/-4",
        "7/8 % 1/4 = 3 1/8",     "1/2 % 1/2 = 1 0/1",     "1/8 % 1/4 = 0 1/8",
        "-1/8 % 1/4 = 0 -1/8",   "3/8 g 1/4 = 0 1/8",     "1/3 g 1/4 = 0 1/12",
        "0/1 g 0/1 = 0 0/1",     "3/8 * 1/2 = 0 3/16",    "1/3 * 2/4 = 0 1/6",
        "1/3 * 1/-2 = 0 -1/6",
    };
    for (const char* t : cases) {
        int32_t n = 0, d = 0, yn = 0, yd = 0, expected = 0;
        char op = 0, value[32] = {};
        ASSERT_EQ(
            std::sscanf(t, "%d/%d %c %d/%d = %d %31s", &n, &d, &op, &yn, &yd, &expected, value), 7);
        cDuration x = D(n, d);
        const int32_t result = op == '+'   ? code(x.Add(D(yn, yd)))
                               : op == '-' ? code(x.Subtract(D(yn, yd)))
                               : op == 'c' ? x.Comp(D(yn, yd))
                               : op == '%' ? x.Modulo(D(yn, yd))
                               : op == 'g' ? (x = x.gcdDur(D(yn, yd)), 0)
                                           : code(x.MulDiv(yn, yd));
        EXPECT_EQ(result, expected) << t;
        EXPECT_EQ(x.toStr(), value) << t;
    }
    cDuration x = D(INT32_MAX, 1), y = D(1, INT32_MAX);
    EXPECT_EQ(x.Add(D(1, 1)), DurationResult::Overflow);
    EXPECT_EQ(y.Subtract(D(1, INT32_MAX - 1)), DurationResult::Overflow);
    EXPECT_EQ(x.toStr() + " " + y.toStr(), "2147483647/1 1/2147483647");
    cDuration r;
    r.setToSum(D(1, 4), D(1, 8));
    EXPECT_EQ(r.toStr(), "3/8");
    r.setToDiff(D(1, 4), D(1, 8));
    EXPECT_EQ(r.toStr(), "1/8");
    EXPECT_THROW(D(INT32_MAX, 2).Comp(D(1, 3)), OverflowError);
    cDuration big = D(1, 1 << 30);
    EXPECT_THROW(big.MulDiv(1, 4), OverflowError);
    EXPECT_EQ(big.toStr(), "1/1073741824");
    cDuration d;
    EXPECT_EQ(d.fromDDots(0, 2), DurationResult::Ok);
    EXPECT_EQ(d.toStr(), "7/2");
    EXPECT_EQ(d.fromDDots(1, 40), DurationResult::Failed); // the halving overflows
}

TEST(cDuration, ReadsNoteValuesAndFractionsOrLeavesTheValue) {
    constexpr auto kNo = DurationResult::NoMatch, kOk = DurationResult::Ok;
    const struct {
        bool fraction; // fromStr, else fromNDots
        const char* text;
        DurationResult result;
        int32_t used; // characters fromNDots read
        const char* value;
    } cases[] = {
        {false, "", kNo, 0, "5/7"},       {false, "123", kNo, 0, "5/7"},
        {false, "4.....", kNo, 0, "5/7"}, {false, "4....", kOk, 5, "31/64"},
        {false, "4.", kOk, 2, "3/8"},     {false, "16..", kOk, 4, "7/64"},
        {false, "0", kOk, 1, "2/1"},      {false, "08", kOk, 2, "1/8"},
        {false, "12a", kOk, 2, "1/12"},   {true, "6/8", kOk, 0, "3/4"},
        {true, " 3 / 4 ", kOk, 0, "3/4"}, {true, "-3/-6", kOk, 0, "1/2"},
        {true, "0/5", kOk, 0, "0/1"},     {true, "3/0", kNo, 0, "5/7"},
        {true, "3", kNo, 0, "5/7"},       {true, "3/4.5", kNo, 0, "5/7"},
        {true, "+3/4", kNo, 0, "5/7"},
    };
    for (const auto& t : cases) {
        cDuration d = D(5, 7);
        int32_t used = 0;
        EXPECT_EQ(t.fraction ? d.fromStr(t.text) : d.fromNDots(t.text, used), t.result) << t.text;
        EXPECT_EQ(used, t.used) << t.text;
        EXPECT_EQ(d.toStr(), t.value) << t.text;
    }
    cDuration d = D(5, 7);
    EXPECT_THROW(d.fromStr("99999999999/2"), OverflowError);
    EXPECT_EQ(d.toStr(), "5/7");
}
