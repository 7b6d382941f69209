#pragma once

#include "base/OverflowError.h"

#include <cmath>
#include <cstdint>

namespace notaro {

/// x rounded to the nearest 32-bit integer, halves to the even neighbour; a value outside
/// the 32-bit range (or not a number) is an overflow.
inline int32_t nearest(double x) {
    const double r = std::nearbyint(x);
    if (!(r >= -2147483648.0 && r <= 2147483647.0))
        throw OverflowError();
    return static_cast<int32_t>(r);
}

} // namespace notaro
