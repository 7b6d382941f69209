#include "base/TextUtil.h"

#include "base/NumberText.h"

#include <cmath>

namespace notaro::text {

namespace {

char lowerChar(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

/// readNumber for either precision. The sign is taken off before the digits are read, so that
/// "+2" is read as well as "-2", and the text must then start with a digit or a point:
/// from_chars would take "inf" and "nan" otherwise.
template <typename T> bool readSignedNumber(std::string_view s, T& value) {
    s = trimBlanks(s);
    bool negative = false;
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    if (s.empty() || !((s.front() >= '0' && s.front() <= '9') || s.front() == '.'))
        return false;
    T v = 0;
    if (!base::readWholeText(s, v))
        return false;
    value = negative ? -v : v;
    return true;
}

} // namespace

std::string_view trimBlanks(std::string_view s) {
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return s;
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

std::vector<std::string_view> splitCrLfLines(std::string_view text) {
    std::vector<std::string_view> lines;
    for (;;) {
        const size_t end = text.find("\r\n");
        lines.push_back(text.substr(0, end));
        if (end == std::string_view::npos)
            return lines;
        text.remove_prefix(end + 2);
    }
}

bool readNumber(std::string_view s, float& value) {
    return readSignedNumber(s, value);
}

bool readNumber(std::string_view s, double& value) {
    return readSignedNumber(s, value);
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
