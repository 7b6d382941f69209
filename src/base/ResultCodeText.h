#pragma once

#include <cstdint>
#include <ostream>
#include <type_traits>
#include <utility>

namespace notaro::base {

/// Writes a result code as "Name (number)", so that a failed comparison in a test shows both
/// what the code means and the number users see; a value without a name is written as
/// "(number)".
/// @param names every enumerator with its name
template <typename Enum, size_t N>
std::ostream& writeResultCode(std::ostream& os, Enum value,
                              const std::pair<Enum, const char*> (&names)[N]) {
    static_assert(std::is_enum_v<Enum>);
    const auto number = static_cast<int64_t>(static_cast<std::underlying_type_t<Enum>>(value));
    for (const auto& [enumerator, name] : names)
        if (enumerator == value)
            return os << name << " (" << number << ")";
    return os << "(" << number << ")";
}

} // namespace notaro::base
