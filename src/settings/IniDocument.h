#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace notaro {

/// The text of one INI file in the private-profile format, kept line by line so that a
/// change touches only the lines it must: comments, blank lines, unknown sections and the
/// order of everything else survive every write.
///
/// Section and key names match without regard to case and to blanks around them.
class IniDocument {
public:
    /// Reads path; a missing or unreadable file gives an empty document. Returns false only
    /// when the file exists but cannot be read.
    bool load(const std::string& path);
    /// Writes the document to path through a temporary file renamed over the old one, so a
    /// failed write never leaves a damaged or half-written file. Creates missing folders.
    bool save(const std::string& path) const;

    /// The value of key in section, blanks around it and one pair of enclosing quotes removed.
    std::optional<std::string> value(std::string_view section, std::string_view key) const;
    /// Sets key in section, adding the section at the end and the key after the section's
    /// last entry when they are missing.
    void setValue(std::string_view section, std::string_view key, std::string_view value);
    /// Removes key from section; true when there was such a key.
    bool removeKey(std::string_view section, std::string_view key);
    /// Removes the section header and all of its lines; true when there was such a section.
    bool removeSection(std::string_view section);
    /// The key names of section in file order; nullopt when the section is missing.
    std::optional<std::vector<std::string>> keys(std::string_view section) const;
    /// The names of all sections in file order.
    std::vector<std::string> sections() const;

    const std::vector<std::string>& lines() const { return lines_; }

private:
    struct SectionRange {
        size_t header;
        size_t end; // one past the last line that belongs to the section
    };
    std::optional<SectionRange> findSection(std::string_view section) const;
    std::optional<size_t> findKey(const SectionRange& range, std::string_view key) const;

    std::vector<std::string> lines_;
    std::string eol_ = "\r\n";
};

} // namespace notaro
