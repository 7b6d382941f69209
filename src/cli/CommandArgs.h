#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace notaro::cli {

/// One option that takes a value: a text, or a whole number within a range; or, with flag
/// set, an option that takes none and sets the flag.
struct ValueOption {
    std::vector<std::string> names;
    std::string* text = nullptr;
    int32_t* number = nullptr;
    int32_t min = 0;
    int32_t max = 0;
    bool* flag = nullptr;
};

/// Reads options with values and one FILE argument, in any order.
/// @return false for an unknown option, a missing or bad value, or not exactly one FILE
bool parseCommandArgs(const std::vector<std::string>& args, const std::vector<ValueOption>& options,
                      std::string& path);

/// Reads a whole decimal number that must fill the text.
bool readWholeNumber(const std::string& text, int32_t& value);

} // namespace notaro::cli
