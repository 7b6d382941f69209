#pragma once

#include <cstdint>
#include <exception>

namespace notaro {

/// The number shown for an internal failure in "Unexpected error N ..." messages: a duration
/// error's own number, else one of unexpectedError (ScoreCodes.h).
int64_t failureCode(const std::exception& e);

} // namespace notaro
