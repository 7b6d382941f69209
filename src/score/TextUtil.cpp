#include "TextUtil.h"

#include <charconv>
#include <cmath>

namespace notaro::text {

std::string_view trimBlanks(std::string_view s) {
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return s;
}

static char lowerChar(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string toLower(std::string_view s) {
    std::string r(s);
    for (char& c : r)
        c = lowerChar(c);
    return r;
}

bool equalsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (lowerChar(a[i]) != lowerChar(b[i]))
            return false;
    return true;
}

bool startsWithNoCase(std::string_view s, std::string_view prefix) {
    return s.size() >= prefix.size() && equalsNoCase(s.substr(0, prefix.size()), prefix);
}

int32_t charCount(std::string_view s) {
    int32_t n = 0;
    for (unsigned char c : s)
        if ((c & 0xC0) != 0x80)
            ++n;
    return n;
}

bool readNumber(std::string_view s, float& value) {
    s = trimBlanks(s);
    bool negative = false;
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    // from_chars is independent of the locale, so "1.5" reads the same everywhere; it also
    // refuses "inf", "nan" and hexadecimal forms when asked for the general format.
    if (s.empty() || !((s.front() >= '0' && s.front() <= '9') || s.front() == '.'))
        return false;
    float v = 0;
    const auto [ptr, ec] =
        std::from_chars(s.data(), s.data() + s.size(), v, std::chars_format::general);
    if (ec != std::errc() || ptr != s.data() + s.size())
        return false;
    value = negative ? -v : v;
    return true;
}

bool isWholeNumber(std::string_view s, int32_t& value) {
    float v = 0;
    if (!readNumber(s, v))
        return false;
    const float rounded = std::nearbyint(v);
    if (!(rounded >= -32768.0f && rounded <= 32767.0f) || rounded != v)
        return false;
    value = static_cast<int32_t>(rounded);
    return true;
}

} // namespace notaro::text
