#pragma once

#include <cstdint>
#include <exception>

namespace notaro {

/// The number shown for an internal failure in "Unexpected error N ..." messages: a duration
/// error's own number, else that of an UnexpectedError (ScoreCodes.h).
int64_t failureCode(const std::exception& e);

} // namespace notaro
