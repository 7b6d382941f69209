#include "settings/cInifile.h"

#include "base/TextUtil.h"
#include "settings/IniDocument.h"

#include <cmath>

namespace notaro {

namespace {

/// Joins names, each followed by a NUL, within the room of a names buffer.
std::string joinNames(const std::vector<std::string>& names) {
    std::string out;
    for (const std::string& n : names) {
        if (out.size() + n.size() + 2 > cInifile::kNamesBuffer)
            break;
        out += n;
        out += '\0';
    }
    return out;
}

/// Splits a NUL-terminated list of names; the empty piece after the final terminator is
/// not a name.
std::vector<std::string> splitNames(const std::string& list, bool skipEmpty) {
    std::vector<std::string> names;
    size_t start = 0;
    while (start <= list.size()) {
        size_t end = list.find('\0', start);
        const bool last = end == std::string::npos;
        if (last)
            end = list.size();
        std::string piece = list.substr(start, end - start);
        if (!(last && piece.empty()) && !(skipEmpty && piece.empty()))
            names.push_back(std::move(piece));
        if (last)
            break;
        start = end + 1;
    }
    return names;
}

} // namespace

std::string cInifile::Value() const {
    IniDocument doc;
    doc.load(path_);
    std::string v = doc.value(section_, key_).value_or(default_);
    if (v.size() > kMaxValueChars)
        v.resize(kMaxValueChars);
    return v;
}

void cInifile::setValue(std::string_view v) {
    std::string clean;
    clean.reserve(v.size());
    for (char c : v)
        if (c != '\0')
            clean += c;
    IniDocument doc;
    if (!doc.load(path_)) {
        lastReturnCode_ = IniResult::Failed;
        return;
    }
    doc.setValue(section_, key_, clean);
    lastReturnCode_ = doc.save(path_) ? IniResult::Done : IniResult::Failed;
}

int32_t cInifile::LongValue(int32_t defaultValue) const {
    IniDocument doc;
    doc.load(path_);
    const auto v = doc.value(section_, key_);
    if (!v)
        return defaultValue;
    // Like the profile functions: the leading decimal digits (with a sign) count, anything
    // after them is ignored, and no digits at all is 0.
    std::string_view s = text::trimBlanks(*v);
    bool negative = false;
    if (!s.empty() && (s.front() == '-' || s.front() == '+')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    int64_t n = 0;
    for (char c : s) {
        if (c < '0' || c > '9')
            break;
        n = n * 10 + (c - '0');
        if (n > int64_t{INT32_MAX} + 1)
            break;
    }
    n = negative ? -n : n;
    if (n > INT32_MAX)
        n = INT32_MAX;
    if (n < INT32_MIN)
        n = INT32_MIN;
    return static_cast<int32_t>(n);
}

void cInifile::DeleteKey() {
    IniDocument doc;
    if (!doc.load(path_)) {
        lastReturnCode_ = IniResult::Failed;
        return;
    }
    // Removing what is not there succeeds, as with the profile functions.
    if (!doc.removeKey(section_, key_)) {
        lastReturnCode_ = IniResult::Done;
        return;
    }
    lastReturnCode_ = doc.save(path_) ? IniResult::Done : IniResult::Failed;
}

void cInifile::DeleteSection() {
    IniDocument doc;
    if (!doc.load(path_)) {
        lastReturnCode_ = IniResult::Failed;
        return;
    }
    if (!doc.removeSection(section_)) {
        lastReturnCode_ = IniResult::Done;
        return;
    }
    lastReturnCode_ = doc.save(path_) ? IniResult::Done : IniResult::Failed;
}

std::string cInifile::INISection() const {
    IniDocument doc;
    doc.load(path_);
    const auto keys = doc.keys(section_);
    if (!keys)
        return default_;
    return joinNames(*keys);
}

void cInifile::setINISection(std::string_view) {
    DeleteSection();
}

std::string cInifile::Sections() const {
    IniDocument doc;
    doc.load(path_);
    return joinNames(doc.sections());
}

void cInifile::EnumerateCurrentSection(std::vector<std::string>& names, int32_t& count) const {
    names = splitNames(INISection(), false);
    count = static_cast<int32_t>(names.size());
}

void cInifile::EnumerateAllSections(std::vector<std::string>& names, int32_t& count) const {
    names = splitNames(Sections(), true);
    count = static_cast<int32_t>(names.size());
}

int32_t cInifile::CLngDefault(std::string_view text, int32_t defaultValue) {
    double v = 0;
    if (!text::readNumber(text, v))
        return defaultValue;
    const double r = std::nearbyint(v);
    if (!(r >= INT32_MIN && r <= INT32_MAX))
        return defaultValue;
    return static_cast<int32_t>(r);
}

} // namespace notaro
