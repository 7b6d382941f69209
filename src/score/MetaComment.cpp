#include "score/MetaComment.h"

#include "base/TextUtil.h"

#include <cmath>

namespace notaro {

bool parseMetaComment(std::string_view line, int32_t& metaType, std::string& metaText) {
    std::string noTabs;
    noTabs.reserve(line.size());
    for (char c : line)
        if (c != '\t')
            noTabs += c;
    std::string_view text;
    if (!readMetaComment(noTabs, metaType, text))
        return false;
    metaText = std::string(text);
    return true;
}

bool readMetaComment(std::string_view line, int32_t& metaType, std::string_view& metaText) {
    const std::string_view t = text::trimBlanks(line);
    if (t.substr(0, 3) != "!!$")
        return false;
    const std::string_view rest = text::trimBlanks(t.substr(3));
    const size_t comma = rest.find(',');
    if (comma == std::string_view::npos || comma == 0)
        return false;
    float value = 0;
    if (!text::readNumber(rest.substr(0, comma), value))
        return false;
    const float type = std::nearbyint(value);
    if (!(type >= 1 && type <= 7))
        return false;
    metaType = static_cast<int32_t>(type);
    metaText = text::trimBlanks(rest.substr(comma + 1));
    return true;
}

} // namespace notaro
