#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace notaro::testing {

/// A test whose settings folder (XDG_CONFIG_HOME) is a fresh temporary folder.
class TempConfig : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/notaro-settings-XXXXXX";
        dir_ = ::mkdtemp(pattern);
        ::setenv("XDG_CONFIG_HOME", dir_.c_str(), 1);
    }
    void TearDown() override {
        ::unsetenv("XDG_CONFIG_HOME");
        std::filesystem::remove_all(dir_);
    }
    std::string path(const std::string& name) const { return (dir_ / name).string(); }
    static void writeFile(const std::string& p, const std::string& text) {
        std::filesystem::create_directories(std::filesystem::path(p).parent_path());
        std::ofstream(p, std::ios::binary) << text;
    }
    static std::string readFile(const std::string& p) {
        std::stringstream ss;
        ss << std::ifstream(p, std::ios::binary).rdbuf();
        return ss.str();
    }
    std::filesystem::path dir_;
};

} // namespace notaro::testing
