#pragma once

#include <cstdint>

namespace notaro::rational {

// Integer helpers behind cDuration: every product and sum is checked and throws
// OverflowError rather than wrapping.

/// Greatest common divisor of |x| and |y|; gcd(x, 0) = |x|, gcd(0, 0) = 0.
int32_t gcdN(int32_t x, int32_t y);
/// Least common multiple, made non-negative.
int32_t lcmN(int32_t x, int32_t y);
/// Brings n/m to lowest terms with a positive denominator; zero becomes 0/1.
void reduceND(int32_t& n, int32_t& m);
/// Adds c/d into a/b and reduces the result.
void addND(int32_t& a, int32_t& b, int32_t c, int32_t d);
/// -1, 0 or +1 comparing a/b with c/d, for any signs of the denominators.
int32_t compND(int32_t a, int32_t b, int32_t c, int32_t d);
/// True when x (positive) is a power of two.
bool isPow2(int32_t x);

} // namespace notaro::rational
