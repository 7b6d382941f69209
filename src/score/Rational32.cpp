#include "score/Rational32.h"

#include "base/CheckedInt.h"

#include <cstdlib>

namespace notaro::rational {

int32_t gcdN(int32_t x, int32_t y) {
    // Work in 64 bits so that |INT32_MIN| is representable; a gcd of 2^31 cannot be returned.
    int64_t a = std::llabs(x);
    int64_t b = std::llabs(y);
    while (b != 0) {
        const int64_t t = a % b;
        a = b;
        b = t;
    }
    if (a > INT32_MAX)
        throw OverflowError();
    return static_cast<int32_t>(a);
}

int32_t lcmN(int32_t x, int32_t y) {
    const int32_t g = gcdN(x, y);
    if (g == 0)
        return 0;
    const int32_t l = checked::mul(checked::div(x, g), y);
    return l < 0 ? checked::neg(l) : l;
}

void reduceND(int32_t& n, int32_t& m) {
    if (n == 0) {
        m = 1;
        return;
    }
    const int32_t g = gcdN(n, m);
    int32_t rn = checked::div(n, g);
    int32_t rm = checked::div(m, g);
    if (rm < 0) {
        rn = checked::neg(rn);
        rm = checked::neg(rm);
    }
    n = rn;
    m = rm;
}

void addND(int32_t& a, int32_t& b, int32_t c, int32_t d) {
    const int32_t g = gcdN(b, d);
    int32_t n =
        checked::add(checked::mul(checked::div(b, g), c), checked::mul(checked::div(d, g), a));
    // The common denominator keeps the sign of b * d, so a negative stored denominator on
    // one side only still gives the right sum (an unsigned lcm would flip its sign).
    int32_t m = checked::mul(checked::div(b, g), d);
    reduceND(n, m);
    a = n;
    b = m;
}

int32_t compND(int32_t a, int32_t b, int32_t c, int32_t d) {
    const int32_t bd = checked::mul(b, d);
    const int32_t ad = checked::mul(a, d);
    const int32_t cb = checked::mul(c, b);
    int32_t s = ad < cb ? -1 : (ad > cb ? 1 : 0);
    if (bd < 0)
        s = -s;
    return s;
}

bool isPow2(int32_t x) {
    while (x > 1 && x % 2 == 0)
        x /= 2;
    return x == 1;
}

} // namespace notaro::rational
