#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <string>

namespace glimmer::test {

/// Names each case of a parameterised suite after its `name` field, anything but letters and
/// digits as '_' (GoogleTest refuses duplicate names, so a table must name its rows apart).
struct CaseName {
    template <typename Case>
    std::string operator()(const ::testing::TestParamInfo<Case>& info) const {
        std::string name(info.param.name);
        for (char& ch : name) {
            if (!std::isalnum(static_cast<unsigned char>(ch)))
                ch = '_';
        }
        return name.empty() ? std::string("_") : name;
    }
};

} // namespace glimmer::test
