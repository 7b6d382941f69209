#pragma once

#include <stdexcept>

namespace notaro {

/// A 32-bit signed result fell outside its range.
class OverflowError : public std::overflow_error {
public:
    OverflowError() : std::overflow_error("Overflow") {}
};

} // namespace notaro
