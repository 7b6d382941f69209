#pragma once

#include <cstdint>
#include <istream>
#include <string>

namespace notaro {

/// Bytes still to come in a seekable stream, or -1 when the stream cannot tell.
int64_t streamBytesRemaining(std::istream& in);

/// Reads exactly n bytes into out. Memory grows only with the bytes that actually arrive, so a
/// length field larger than the stream never causes a large allocation. Result: true when all n
/// bytes were read; false when the stream ended first (what was read is consumed).
bool readStreamBytes(std::istream& in, int64_t n, std::string& out);

/// Skips n bytes. Result: false when the stream ended first.
bool skipStreamBytes(std::istream& in, int64_t n);

} // namespace notaro
