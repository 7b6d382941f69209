#include "DurationError.h"
#include "OverflowError.h"
#include "cDuration.h"

#include <gtest/gtest.h>

#include <climits>

using notaro::cDuration;
using notaro::DurationError;
using notaro::OverflowError;

namespace {

cDuration D(int32_t n, int32_t d)
{
    cDuration r;
    r.setND(n, d);
    return r;
}

uint32_t errorNumber(const std::function<void()>& f)
{
    try {
        f();
    } catch (const DurationError& e) {
        return e.number();
    }
    return 0;
}

} // namespace

TEST(cDuration, NewValueIsZeroOverOne)
{
    cDuration d;
    EXPECT_EQ(d.toStr(), "0/1");
    EXPECT_TRUE(d.isZero());
    EXPECT_FALSE(d.isTuplet());
}

TEST(cDuration, PlainSettersStoreUnreducedValues)
{
    cDuration d = D(2, 8);
    EXPECT_EQ(d.toStr(), "2/8");
    EXPECT_EQ(d.Add(cDuration()), 0);
    EXPECT_EQ(d.toStr(), "1/4");

    cDuration neg = D(1, -4);
    EXPECT_TRUE(neg.isNeg());
    EXPECT_EQ(neg.Comp(D(1, 4)), -1);
    EXPECT_FALSE(neg.isTuplet());
}

TEST(cDuration, ZeroDenominatorIsRefusedAndLeavesTheValue)
{
    cDuration d = D(3, 8);
    EXPECT_EQ(errorNumber([&] { d.setND(1, 0); }), 0x80040203u);
    EXPECT_EQ(errorNumber([&] { d.setDenom(0); }), 0x80040203u);
    EXPECT_EQ(d.toStr(), "3/8");
    try {
        d.setND(1, 0);
    } catch (const DurationError& e) {
        EXPECT_EQ(e.source(), "cDuration");
    }
}

struct ArithCase {
    int32_t a, b, c, d;
    const char* sum;
    const char* diff;
};

void PrintTo(const ArithCase& c, std::ostream* os) { *os << c.a << "/" << c.b << " " << c.c << "/" << c.d; }

class cDurationArith : public ::testing::TestWithParam<ArithCase> {};

TEST_P(cDurationArith, AddAndSubtractGiveLowestTerms)
{
    const ArithCase& t = GetParam();
    cDuration x = D(t.a, t.b);
    EXPECT_EQ(x.Add(D(t.c, t.d)), 0);
    EXPECT_EQ(x.toStr(), t.sum);
    cDuration y = D(t.a, t.b);
    EXPECT_EQ(y.Subtract(D(t.c, t.d)), 0);
    EXPECT_EQ(y.toStr(), t.diff);
}

INSTANTIATE_TEST_SUITE_P(Cases, cDurationArith,
                         ::testing::Values(ArithCase{1, 3, 1, 6, "1/2", "1/6"},
                                           ArithCase{1, 4, -1, 4, "0/1", "1/2"},
                                           ArithCase{3, 8, 3, 8, "3/4", "0/1"},
                                           ArithCase{1, 12, 1, 12, "1/6", "0/1"},
                                           // One negative stored denominator: -1/4 + 1/2.
                                           ArithCase{1, -4, 1, 2, "1/4", "-3/4"},
                                           ArithCase{1, -4, 1, -4, "-1/2", "0/1"},
                                           ArithCase{2, 8, 1, 8, "3/8", "1/8"}));

TEST(cDuration, OverflowInAddReturnsCodeAndKeepsValue)
{
    cDuration x = D(INT32_MAX, 1);
    EXPECT_EQ(x.Add(D(1, 1)), -9999);
    EXPECT_EQ(x.toStr(), "2147483647/1");
    cDuration y = D(1, 2147483647);
    EXPECT_EQ(y.Subtract(D(1, 2147483646)), -9999);
    EXPECT_EQ(y.toStr(), "1/2147483647");
}

TEST(cDuration, SetToSumAndDiff)
{
    cDuration r;
    r.setToSum(D(1, 4), D(1, 8));
    EXPECT_EQ(r.toStr(), "3/8");
    r.setToDiff(D(1, 4), D(1, 8));
    EXPECT_EQ(r.toStr(), "1/8");
}

TEST(cDuration, CompIsExactForUnreducedAndNegativeDenominators)
{
    EXPECT_EQ(D(1, 3).Comp(D(2, 6)), 0);
    EXPECT_EQ(D(1, 8).Comp(D(1, 4)), -1);
    EXPECT_EQ(D(1, 4).Comp(D(1, 8)), 1);
    EXPECT_EQ(D(-1, -4).Comp(D(1, 4)), 0);
    EXPECT_EQ(D(1, -4).Comp(D(-1, 8)), -1);
    EXPECT_THROW(D(INT32_MAX, 2).Comp(D(1, 3)), OverflowError);
}

TEST(cDuration, ModuloCountsWholeQuotient)
{
    cDuration a = D(7, 8);
    EXPECT_EQ(a.Modulo(D(1, 4)), 3);
    EXPECT_EQ(a.toStr(), "1/8");
    cDuration b = D(1, 2);
    EXPECT_EQ(b.Modulo(D(1, 2)), 1);
    EXPECT_EQ(b.toStr(), "0/1");
    cDuration c = D(1, 8);
    EXPECT_EQ(c.Modulo(D(1, 4)), 0);
    EXPECT_EQ(c.toStr(), "1/8");
    cDuration n = D(-1, 8);
    EXPECT_EQ(n.Modulo(D(1, 4)), 0);
    EXPECT_EQ(n.toStr(), "-1/8");
}

TEST(cDuration, ModuloByZeroOrNegativeFails)
{
    cDuration a = D(7, 8);
    EXPECT_EQ(errorNumber([&] { a.Modulo(cDuration()); }), 0x80040206u);
    EXPECT_EQ(errorNumber([&] { a.Modulo(D(-1, 4)); }), 0x80040206u);
    EXPECT_EQ(a.toStr(), "7/8");
    try {
        a.Modulo(cDuration());
    } catch (const DurationError& e) {
        EXPECT_EQ(e.source(), "cDuration.modulo");
    }
}

TEST(cDuration, GcdDur)
{
    EXPECT_EQ(D(3, 8).gcdDur(D(1, 4)).toStr(), "1/8");
    EXPECT_EQ(D(1, 3).gcdDur(D(1, 4)).toStr(), "1/12");
    EXPECT_EQ(cDuration().gcdDur(cDuration()).toStr(), "0/1");
    cDuration keep = D(3, 8);
    (void)keep.gcdDur(D(1, 4));
    EXPECT_EQ(keep.toStr(), "3/8");
}

TEST(cDuration, IsTuplet)
{
    for (auto [n, d] : {std::pair{1, 12}, {1, 3}, {2, 6}})
        EXPECT_TRUE(D(n, d).isTuplet()) << n << "/" << d;
    for (auto [n, d] : {std::pair{3, 8}, {2, 1}, {7, 16}, {2, 8}})
        EXPECT_FALSE(D(n, d).isTuplet()) << n << "/" << d;
}

TEST(cDuration, MulDiv)
{
    cDuration a = D(3, 8);
    EXPECT_EQ(a.MulDiv(1, 2), 0);
    EXPECT_EQ(a.toStr(), "3/16");
    cDuration b = D(1, 3);
    b.MulDiv(2, 4);
    EXPECT_EQ(b.toStr(), "1/6");
    cDuration c = D(1, 3);
    c.MulDiv(1, -2);
    EXPECT_EQ(c.toStr(), "-1/6");
    cDuration z = D(1, 3);
    z.MulDiv(0, 5);
    EXPECT_EQ(z.toStr(), "0/1");
    EXPECT_EQ(errorNumber([&] { a.MulDiv(5, 0); }), 0x80040204u);
    EXPECT_EQ(a.toStr(), "3/16");
    cDuration big = D(1, 1 << 30);
    EXPECT_THROW(big.MulDiv(1, 4), OverflowError);
    EXPECT_EQ(big.toStr(), "1/1073741824");
}

TEST(cDuration, NegOfAndNegate)
{
    cDuration a = D(3, 8);
    cDuration b = a.negOf();
    EXPECT_EQ(b.toStr(), "-3/8");
    EXPECT_EQ(a.toStr(), "3/8");
    a.negate();
    EXPECT_EQ(a.toStr(), "-3/8");
    cDuration m = D(INT32_MIN, 1);
    EXPECT_THROW(m.negate(), OverflowError);
}

struct DotsCase {
    uint8_t value, dots;
    const char* expected;
};

void PrintTo(const DotsCase& c, std::ostream* os) { *os << int(c.value) << " dots " << int(c.dots); }

class cDurationDots : public ::testing::TestWithParam<DotsCase> {};

TEST_P(cDurationDots, FromDDots)
{
    cDuration d;
    EXPECT_EQ(d.fromDDots(GetParam().value, GetParam().dots), 0);
    EXPECT_EQ(d.toStr(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, cDurationDots,
                         ::testing::Values(DotsCase{0, 0, "2/1"}, DotsCase{0, 1, "3/1"},
                                           DotsCase{0, 2, "7/2"}, DotsCase{2, 2, "7/8"},
                                           DotsCase{6, 1, "1/4"}, DotsCase{4, 1, "3/8"},
                                           DotsCase{4, 2, "7/16"}, DotsCase{4, 3, "15/32"},
                                           DotsCase{3, 0, "1/3"}, DotsCase{12, 0, "1/12"}));

TEST(cDuration, FromDDotsFailsWhenHalvingOverflows)
{
    cDuration d;
    EXPECT_EQ(d.fromDDots(1, 40), -2);
}

struct NDotsCase {
    const char* text;
    int32_t result;
    const char* value; // nullptr: value not checked
};

void PrintTo(const NDotsCase& c, std::ostream* os) { *os << c.text; }

class cDurationNDots : public ::testing::TestWithParam<NDotsCase> {};

TEST_P(cDurationNDots, FromNDots)
{
    cDuration d;
    EXPECT_EQ(d.fromNDots(GetParam().text), GetParam().result) << GetParam().text;
    if (GetParam().value) {
        EXPECT_EQ(d.toStr(), GetParam().value);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, cDurationNDots,
                         ::testing::Values(NDotsCase{"", -1, nullptr}, NDotsCase{"x", -1, nullptr},
                                           NDotsCase{"123", -1, nullptr},
                                           NDotsCase{"4.....", -1, nullptr},
                                           NDotsCase{"4....", 5, "31/64"}, NDotsCase{"4.", 2, "3/8"},
                                           NDotsCase{"16..", 4, "7/64"}, NDotsCase{"0", 1, "2/1"},
                                           NDotsCase{"08", 2, "1/8"}, NDotsCase{"12a", 2, "1/12"}));

struct StrCase {
    const char* text;
    int32_t result;
    const char* value;
};

void PrintTo(const StrCase& c, std::ostream* os) { *os << c.text; }

class cDurationFromStr : public ::testing::TestWithParam<StrCase> {};

TEST_P(cDurationFromStr, ReadsFractionOrLeavesValue)
{
    cDuration d = D(5, 7);
    EXPECT_EQ(d.fromStr(GetParam().text), GetParam().result) << GetParam().text;
    EXPECT_EQ(d.toStr(), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Cases, cDurationFromStr,
                         ::testing::Values(StrCase{"6/8", 0, "3/4"}, StrCase{" 3 / 4 ", 0, "3/4"},
                                           StrCase{"-3/-6", 0, "1/2"}, StrCase{"0/5", 0, "0/1"},
                                           StrCase{"3/0", -1, "5/7"}, StrCase{"3", -1, "5/7"},
                                           StrCase{"3/4.5", -1, "5/7"}, StrCase{"+3/4", -1, "5/7"},
                                           StrCase{"/4", -1, "5/7"}, StrCase{"3/-", -1, "5/7"}));

TEST(cDuration, FromStrOutOfRangeNumberOverflows)
{
    cDuration d = D(5, 7);
    EXPECT_THROW(d.fromStr("99999999999/2"), OverflowError);
    EXPECT_EQ(d.toStr(), "5/7");
}
