#pragma once

#include <cstdint>
#include <exception>

namespace notaro {

/// The number shown for an internal failure in "Unexpected error N ..." messages:
/// a duration error's own number, 6 for an overflow, 7 for exhausted memory, 9 for an
/// index out of range, and 5 for anything else.
int64_t failureCode(const std::exception& e);

} // namespace notaro
