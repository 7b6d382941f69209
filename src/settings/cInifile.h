#pragma once

#include "settings/SettingsCodes.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace notaro {

/// Access to one entry (Path, Section, key) of an INI file, with the outcome of the last
/// write. Every write goes through a temporary file renamed over the old one.
class cInifile {
public:
    /// Longest value a read delivers; longer stored values are cut.
    static constexpr size_t kMaxValueChars = 254;
    /// Room for the names that INISection and Sections deliver.
    static constexpr size_t kNamesBuffer = 8192;

    const std::string& Path() const { return path_; }
    void setPath(std::string v) { path_ = std::move(v); }
    const std::string& Section() const { return section_; }
    void setSection(std::string v) { section_ = std::move(v); }
    const std::string& key() const { return key_; }
    void setKey(std::string v) { key_ = std::move(v); }
    const std::string& Default() const { return default_; }
    void setDefault(std::string v) { default_ = std::move(v); }

    /// The entry's value, or Default when it is missing; at most 254 characters.
    std::string Value() const;
    /// Writes the entry (NUL characters removed), creating section and key as needed.
    void setValue(std::string_view v);
    /// The entry read as a whole number; `defaultValue` when it is missing.
    int32_t LongValue(int32_t defaultValue) const;
    /// Removes the entry.
    void DeleteKey();
    /// Removes the whole section.
    void DeleteSection();
    /// The key names of Section, each followed by a NUL; Default when the section is missing.
    std::string INISection() const;
    /// Setting the section with no key removes it, as the profile functions do.
    void setINISection(std::string_view ignored);
    /// The names of all sections, each followed by a NUL.
    std::string Sections() const;
    /// The key names of Section, in file order.
    void EnumerateCurrentSection(std::vector<std::string>& names, int32_t& count) const;
    /// The names of all sections, in file order.
    void EnumerateAllSections(std::vector<std::string>& names, int32_t& count) const;

    /// Result of the last write or delete: IniResult::Done or IniResult::Failed.
    IniResult LastReturnCode() const { return lastReturnCode_; }
    bool Success() const { return lastReturnCode_ != IniResult::Failed; }

    /// text as a 32-bit whole number (fractions rounded, halves to even), else defaultValue.
    static int32_t CLngDefault(std::string_view text, int32_t defaultValue = 0);

private:
    std::string path_;
    std::string section_;
    std::string key_;
    std::string default_;
    IniResult lastReturnCode_ = IniResult::Failed;
};

} // namespace notaro
