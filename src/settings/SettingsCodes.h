#pragma once

#include <cstdint>

namespace notaro {

/// cInifile::LastReturnCode: the outcome of the last write or delete, as the profile functions
/// report it (non-zero is success).
namespace iniCode {
/// The file could not be read or written; it keeps its old content.
inline constexpr int32_t kFailed = 0;
/// The entry was written or removed, or there was nothing to remove.
inline constexpr int32_t kDone = 1;
} // namespace iniCode

} // namespace notaro
