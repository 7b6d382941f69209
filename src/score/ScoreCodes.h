#pragma once

#include <cstdint>

// The result codes of the score library, one namespace per code space. The same number means
// different things in different spaces (and in the other libraries' codes), so every use spells
// the space: durationCode::kOverflow, unexpectedError::kOverflow.

namespace notaro {

/// Results of the cDuration operations that return a code.
namespace durationCode {
/// The operation succeeded.
inline constexpr int32_t kOk = 0;
/// fromNDots, fromStr: the text is not a note value or a fraction; the value is unchanged.
inline constexpr int32_t kNoMatch = -1;
/// fromDDots, fromNDots: an error (overflow) was caught inside the operation.
inline constexpr int32_t kFailed = -2;
/// Add, Subtract: the result does not fit 32 bits; the value is unchanged.
inline constexpr int32_t kOverflow = -9999;
} // namespace durationCode

/// Results of the parser and its record queries.
namespace parseCode {
/// parseAramText: the whole text parsed; any other result is the 1-based line that failed.
inline constexpr int32_t kOk = 0;
/// An index query found no record, span or pitch letter; a record could not be appended.
inline constexpr int32_t kNone = -1;
/// interNoteDur: the sum does not fit 32 bits.
inline constexpr int32_t kSumOverflow = -1;
/// namingSystem: the header chose letter names (c d e ...).
inline constexpr int32_t kLetterNames = 0;
/// namingSystem: the header chose solfege initials (d r m ...).
inline constexpr int32_t kSolfege = 1;
} // namespace parseCode

/// The number N in the parser's "Unexpected error N while processing ..." messages, for an
/// internal failure other than a duration error (whose own number, 0x80040203..., is shown).
namespace unexpectedError {
/// Any failure not named below.
inline constexpr int64_t kOther = 5;
/// A result outside the 32-bit range.
inline constexpr int64_t kOverflow = 6;
/// Memory exhausted.
inline constexpr int64_t kOutOfMemory = 7;
/// An index outside a list.
inline constexpr int64_t kOutOfRange = 9;
} // namespace unexpectedError

} // namespace notaro
