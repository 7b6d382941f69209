#pragma once

#include <cstdint>
#include <iosfwd>

// The result codes of the score library, one enumeration per code space, since their numbers
// overlap: cDuration's operations, the parser's duration sums and the numbers of its
// "Unexpected error N" messages. Callers, tests and messages rely on the numbers, so none may
// change; code() gives the number where one is shown.

namespace notaro {

/// Results of the cDuration operations that return a code.
enum class DurationResult : int32_t {
    /// The operation succeeded.
    Ok = 0,
    /// fromNDots, fromStr: the text is not a note value or a fraction; the value is unchanged.
    NoMatch = -1,
    /// fromDDots, fromNDots: an error (overflow) was caught inside the operation.
    Failed = -2,
    /// Add, Subtract: the result does not fit 32 bits; the value is unchanged.
    Overflow = -9999,
};

/// Result of cTParse::interNoteDur.
enum class SumResult : int32_t {
    /// The sum is computed.
    Ok = 0,
    /// The sum does not fit 32 bits.
    Overflow = -1,
};

/// The number N in the parser's "Unexpected error N while processing ..." messages, for an
/// internal failure other than a duration error (whose own number, 0x80040203..., is shown).
enum class UnexpectedError : int32_t {
    /// Any failure not named below.
    Other = 5,
    /// A result outside the 32-bit range.
    Overflow = 6,
    /// Memory exhausted.
    OutOfMemory = 7,
    /// An index outside a list.
    OutOfRange = 9,
};

constexpr int32_t code(DurationResult r) noexcept {
    return static_cast<int32_t>(r);
}
constexpr int32_t code(SumResult r) noexcept {
    return static_cast<int32_t>(r);
}
constexpr int32_t code(UnexpectedError e) noexcept {
    return static_cast<int32_t>(e);
}

/// Name and number, e.g. "Overflow (-9999)", for test failures and traces.
std::ostream& operator<<(std::ostream& os, DurationResult r);
std::ostream& operator<<(std::ostream& os, SumResult r);

} // namespace notaro
