#pragma once

#include <cstdio>
#include <string>

namespace notaro::testing {

/// Runs a shell command and returns what it printed on standard output and error.
inline std::string commandOutput(const std::string& command) {
    std::string out;
    FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
    if (!pipe)
        return out;
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, pipe)) > 0)
        out.append(buf, n);
    ::pclose(pipe);
    return out;
}

} // namespace notaro::testing
