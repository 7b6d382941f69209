#include "settings/IniDocument.h"

#include "base/AtomicFile.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace notaro {

namespace {

std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

bool sameName(std::string_view a, std::string_view b) {
    a = trim(a);
    b = trim(b);
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) {
            return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
        };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

/// The name of a "[name]" line, or nullopt for any other line.
std::optional<std::string_view> sectionName(std::string_view line) {
    line = trim(line);
    if (line.size() < 2 || line.front() != '[')
        return std::nullopt;
    const size_t close = line.find(']');
    if (close == std::string_view::npos)
        return std::nullopt;
    return trim(line.substr(1, close - 1));
}

/// The key of a "key=value" line; nullopt for comments and lines without "=".
std::optional<std::string_view> keyName(std::string_view line) {
    const std::string_view t = trim(line);
    if (t.empty() || t.front() == ';')
        return std::nullopt;
    const size_t eq = line.find('=');
    if (eq == std::string_view::npos)
        return std::nullopt;
    return trim(line.substr(0, eq));
}

} // namespace

bool IniDocument::load(const std::string& path) {
    lines_.clear();
    eol_ = "\r\n";
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return !std::filesystem::exists(path);
    std::stringstream ss;
    ss << in.rdbuf();
    if (in.bad())
        return false;
    const std::string text = ss.str();
    const size_t firstLf = text.find('\n');
    if (firstLf != std::string::npos && (firstLf == 0 || text[firstLf - 1] != '\r'))
        eol_ = "\n";
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines_.push_back(std::move(line));
        start = end + 1;
    }
    return true;
}

bool IniDocument::save(const std::string& path) const {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path target(path);
    if (target.has_parent_path())
        fs::create_directories(target.parent_path(), ec);
    std::string text;
    for (const std::string& line : lines_)
        text += line + eol_;

    return base::writeFileAtomically(path, text) == 0;
}

std::optional<IniDocument::SectionRange> IniDocument::findSection(std::string_view section) const {
    for (size_t i = 0; i < lines_.size(); ++i) {
        const auto name = sectionName(lines_[i]);
        if (!name || !sameName(*name, section))
            continue;
        size_t end = i + 1;
        while (end < lines_.size() && !sectionName(lines_[end]))
            ++end;
        return SectionRange{i, end};
    }
    return std::nullopt;
}

std::optional<size_t> IniDocument::findKey(const SectionRange& range, std::string_view key) const {
    for (size_t i = range.header + 1; i < range.end; ++i) {
        const auto name = keyName(lines_[i]);
        if (name && sameName(*name, key))
            return i;
    }
    return std::nullopt;
}

std::optional<std::string> IniDocument::value(std::string_view section,
                                              std::string_view key) const {
    const auto range = findSection(section);
    if (!range)
        return std::nullopt;
    const auto line = findKey(*range, key);
    if (!line)
        return std::nullopt;
    const std::string& text = lines_[*line];
    std::string_view v = trim(std::string_view(text).substr(text.find('=') + 1));
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        v = v.substr(1, v.size() - 2);
    return std::string(v);
}

void IniDocument::setValue(std::string_view section, std::string_view key, std::string_view value) {
    const std::string entry = std::string(trim(key)) + "=" + std::string(value);
    auto range = findSection(section);
    if (!range) {
        lines_.push_back("[" + std::string(trim(section)) + "]");
        lines_.push_back(entry);
        return;
    }
    if (const auto line = findKey(*range, key)) {
        lines_[*line] = entry;
        return;
    }
    // Right after the section's last entry (or its header), so that comments and blank
    // lines at the end of a section stay with what follows them.
    size_t at = range->header + 1;
    for (size_t i = range->header + 1; i < range->end; ++i)
        if (keyName(lines_[i]))
            at = i + 1;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), entry);
}

bool IniDocument::removeKey(std::string_view section, std::string_view key) {
    const auto range = findSection(section);
    if (!range)
        return false;
    const auto line = findKey(*range, key);
    if (!line)
        return false;
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(*line));
    return true;
}

bool IniDocument::removeSection(std::string_view section) {
    const auto range = findSection(section);
    if (!range)
        return false;
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(range->header),
                 lines_.begin() + static_cast<std::ptrdiff_t>(range->end));
    return true;
}

std::optional<std::vector<std::string>> IniDocument::keys(std::string_view section) const {
    const auto range = findSection(section);
    if (!range)
        return std::nullopt;
    std::vector<std::string> names;
    for (size_t i = range->header + 1; i < range->end; ++i)
        if (const auto name = keyName(lines_[i]))
            names.emplace_back(*name);
    return names;
}

std::vector<std::string> IniDocument::sections() const {
    std::vector<std::string> names;
    for (const std::string& line : lines_)
        if (const auto name = sectionName(line))
            names.emplace_back(*name);
    return names;
}

} // namespace notaro
