#pragma once

#include "base/OverflowError.h"

#include <cstdint>

namespace notaro::checked {

// 32-bit signed arithmetic in which an out-of-range result throws instead of wrapping.

inline int32_t add(int32_t a, int32_t b) {
    int32_t r;
    if (__builtin_add_overflow(a, b, &r))
        throw OverflowError();
    return r;
}

inline int32_t sub(int32_t a, int32_t b) {
    int32_t r;
    if (__builtin_sub_overflow(a, b, &r))
        throw OverflowError();
    return r;
}

inline int32_t mul(int32_t a, int32_t b) {
    int32_t r;
    if (__builtin_mul_overflow(a, b, &r))
        throw OverflowError();
    return r;
}

inline int32_t neg(int32_t a) {
    if (a == INT32_MIN)
        throw OverflowError();
    return -a;
}

/// Quotient of a by b; INT32_MIN / -1 is the one case that overflows.
inline int32_t div(int32_t a, int32_t b) {
    if (b == -1)
        return neg(a);
    return a / b;
}

} // namespace notaro::checked
