#pragma once

#include <cstdint>
#include <iosfwd>

namespace notaro {

/// cInifile::LastReturnCode: the outcome of the last write or delete, numbered as the profile
/// functions report it (non-zero is success).
enum class IniResult : int32_t {
    /// The file could not be read or written; it keeps its old content.
    Failed = 0,
    /// The entry was written or removed, or there was nothing to remove.
    Done = 1,
};

constexpr int32_t code(IniResult r) noexcept {
    return static_cast<int32_t>(r);
}

/// Name and number, e.g. "Done (1)", for test failures and traces.
std::ostream& operator<<(std::ostream& os, IniResult r);

} // namespace notaro
