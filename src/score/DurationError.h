#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace notaro {

/// A numbered error raised by duration arithmetic, carrying its number and source text.
class DurationError : public std::runtime_error {
public:
    static constexpr uint32_t kZeroDenominator = 0x80040203u;
    static constexpr uint32_t kZeroDivisor = 0x80040204u;
    static constexpr uint32_t kBadModulus = 0x80040206u;

    DurationError(uint32_t number, std::string source);

    /// The error number, for example 0x80040203.
    uint32_t number() const noexcept { return number_; }
    /// The source text, "cDuration" or "cDuration.modulo".
    const std::string& source() const noexcept { return source_; }

private:
    uint32_t number_;
    std::string source_;
};

} // namespace notaro
