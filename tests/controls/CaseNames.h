#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace glimmer::test {

/// @p text as a parameter name GoogleTest accepts: letters and digits kept, anything else '_'.
inline std::string testName(std::string_view text) {
    std::string name(text);
    for (char& ch : name) {
        const bool plain =
            (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9');
        if (!plain)
            ch = '_';
    }
    return name.empty() ? std::string("_") : name;
}

/// Names each case of a parameterised suite after its own `name` field, so that the test list
/// and a failure say which row of the table ran instead of showing the case's bytes. GoogleTest
/// refuses duplicate names when the suite starts, so a table must name its rows apart.
struct CaseName {
    template <typename Case>
    std::string operator()(const ::testing::TestParamInfo<Case>& info) const {
        return testName(info.param.name);
    }
};

} // namespace glimmer::test
