#pragma once

#include <cstdint>
#include <string>

namespace notaro {

/// How a parse ended.
enum class ParseErrorCode : uint8_t {
    Ok,     ///< the whole text parsed
    Syntax, ///< the text breaks a rule of the score language or exceeds one of the parser's limits
    Internal, ///< the parser itself failed (memory ran out, or an operation failed unexpectedly)
};

/// What a parse reports: where its first error lies, what kind of error it is and what it says.
/// Positions count characters as the editor does: a multi-byte UTF-8 character counts once.
struct ParseError {
    /// 1-based line of the error; 0 when the text parsed, and for an internal failure that
    /// struck before any line was read.
    int32_t line = 0;
    /// 0-based character offset of the failing token in its line.
    int32_t column = 0;
    /// Characters of the failing token; <= 0 when the error is not tied to a token, and then
    /// the whole line is meant.
    int32_t length = -1;
    ParseErrorCode code = ParseErrorCode::Ok;
    /// What is wrong, in the words shown to the user; empty when the text parsed.
    std::string message;

    bool ok() const noexcept { return code == ParseErrorCode::Ok; }
    /// True when the error marks one token of its line rather than the whole line.
    bool marksToken() const noexcept { return length > 0; }
};

} // namespace notaro
