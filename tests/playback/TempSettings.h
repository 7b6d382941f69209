#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace notaro::testing {

/// A test whose settings folder (XDG_CONFIG_HOME) is a fresh temporary folder.
class TempSettings : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/notaro-playback-XXXXXX";
        dir_ = ::mkdtemp(pattern);
        ::setenv("XDG_CONFIG_HOME", dir_.c_str(), 1);
    }
    void TearDown() override
    {
        ::unsetenv("XDG_CONFIG_HOME");
        std::filesystem::remove_all(dir_);
    }
    /// Writes para.ini with the given text.
    void writeParaIni(const std::string& text) const
    {
        std::filesystem::create_directories(dir_ / "notaro");
        std::ofstream(dir_ / "notaro" / "para.ini", std::ios::binary) << text;
    }

    std::filesystem::path dir_;
};

} // namespace notaro::testing
