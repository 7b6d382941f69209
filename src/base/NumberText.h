#pragma once

#include <charconv>
#include <string_view>
#include <system_error>
#include <type_traits>

namespace notaro::base {

/// Reads the whole of text as one decimal number with std::from_chars: no blanks, no leading
/// '+', nothing left over. Independent of the locale, so "1.5" reads the same everywhere;
/// floating-point values use the general format, which refuses "inf", "nan" and hexadecimal.
/// Returns false, leaving value as it was, when the text is not exactly such a number or the
/// number does not fit the type.
template <typename T> bool readWholeText(std::string_view text, T& value) {
    T v{};
    const char* end = text.data() + text.size();
    std::from_chars_result r;
    if constexpr (std::is_floating_point_v<T>)
        r = std::from_chars(text.data(), end, v, std::chars_format::general);
    else
        r = std::from_chars(text.data(), end, v);
    if (r.ec != std::errc() || r.ptr != end)
        return false;
    value = v;
    return true;
}

} // namespace notaro::base
