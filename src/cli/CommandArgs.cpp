#include "cli/CommandArgs.h"

#include <algorithm>
#include <charconv>

namespace notaro::cli {

bool readWholeNumber(const std::string& text, int32_t& value) {
    const char* end = text.data() + text.size();
    const auto r = std::from_chars(text.data(), end, value);
    return r.ec == std::errc() && r.ptr == end;
}

bool parseCommandArgs(const std::vector<std::string>& args, const std::vector<ValueOption>& options,
                      std::string& path) {
    path.clear();
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const auto option = std::find_if(options.begin(), options.end(), [&](const ValueOption& o) {
            return std::find(o.names.begin(), o.names.end(), a) != o.names.end();
        });
        if (option != options.end() && option->flag) {
            *option->flag = true;
        } else if (option != options.end()) {
            if (i + 1 >= args.size())
                return false;
            const std::string& value = args[++i];
            if (option->text) {
                if (value.empty())
                    return false;
                *option->text = value;
            } else if (option->number) {
                int32_t n = 0;
                if (!readWholeNumber(value, n) || n < option->min || n > option->max)
                    return false;
                *option->number = n;
            }
        } else if (!a.empty() && a[0] != '-' && path.empty()) {
            path = a;
        } else {
            return false;
        }
    }
    return !path.empty();
}

} // namespace notaro::cli
