#include "score/DurationError.h"

#include <cstdio>

namespace notaro {

namespace {
std::string describe(uint32_t number, const std::string& source) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "0x%08X", static_cast<unsigned>(number));
    return source + " error " + buf;
}
} // namespace

DurationError::DurationError(uint32_t number, std::string source)
    : std::runtime_error(describe(number, source)), number_(number), source_(std::move(source)) {}

} // namespace notaro
