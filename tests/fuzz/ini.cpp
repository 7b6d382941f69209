// The INI reader behind cInifile on any bytes: every section and key it lists can be read, and
// entries set in the document read back as set.
#include "settings/IniDocument.h"
#include "settings/cInifile.h"
#include "tests/fuzz/FuzzSupport.h"

#include <optional>
#include <string>
#include <vector>

using namespace notaro;
using fuzz::require;

namespace {

/// Reads through cInifile, which loads the file again for each read: the first entry only, so
/// each input costs a few loads.
void readThroughInifile(const IniDocument& doc, const std::string& path) {
    cInifile entry;
    entry.setPath(path);
    entry.Sections();
    const std::vector<std::string> sections = doc.sections();
    if (sections.empty())
        return;
    entry.setSection(sections.front());
    entry.INISection();
    const auto keys = doc.keys(sections.front());
    if (!keys || keys->empty())
        return;
    entry.setKey(keys->front());
    const std::string value = entry.Value();
    require(value.size() <= cInifile::kMaxValueChars, "a value read is not too long");
    require(doc.value(sections.front(), keys->front())->compare(0, value.size(), value) == 0,
            "cInifile reads the value the document holds");
    entry.LongValue(0);
    cInifile::CLngDefault(value, -1);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static fuzz::MemoryFile file;
    file.assign(fuzz::bytesOf(data, size));
    IniDocument doc;
    require(doc.load(file.path()), "a readable file loads");
    const std::vector<std::string> sections = doc.sections();
    for (size_t i = 0; i < sections.size() && i < 4; ++i) {
        const auto keys = doc.keys(sections[i]);
        require(keys.has_value(), "a listed section has keys");
        for (size_t k = 0; k < keys->size() && k < 4; ++k)
            require(doc.value(sections[i], (*keys)[k]).has_value(), "a listed key has a value");
    }
    readThroughInifile(doc, file.path());

    // Set in a section of the file (or a new one): the value reads back, and can be removed.
    const std::string section = sections.empty() ? "Fuzz" : sections.front();
    doc.setValue(section, "FuzzKey", "set=1");
    require(doc.value(section, "FuzzKey") == std::optional<std::string>("set=1"),
            "a value set reads back");
    require(doc.removeKey(section, "FuzzKey"), "a key set can be removed");
    require(doc.removeSection(section), "a section can be removed");
    return 0;
}
