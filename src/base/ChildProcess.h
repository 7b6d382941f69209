#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

namespace notaro::base {

/// How a run of another program ended.
enum class ChildStatus : uint8_t {
    Exited,    ///< it ran to its end; exitCode holds its status
    NotFound,  ///< the program could not be started
    TimedOut,  ///< it was still running when the time limit passed, and was killed
    Cancelled, ///< the caller's cancel flag was raised, and it was killed
    Crashed,   ///< a signal ended it
    Failed,    ///< a pipe or the process table failed us
};

/// What a program printed, and how it ended.
struct ChildResult {
    ChildStatus status = ChildStatus::Failed;
    int32_t exitCode = -1;
    std::string out;
    std::string err;

    bool succeeded() const { return status == ChildStatus::Exited && exitCode == 0; }
};

/// Runs a program without a shell: argv[0] is looked up on PATH when it holds no "/", input is
/// written to its standard input, and its standard output and error are collected until it
/// ends. A program still running after timeoutMs, or when *cancel becomes true, is killed; the
/// call never waits longer than that for it.
ChildResult runChild(const std::vector<std::string>& argv, const std::string& input,
                     int32_t timeoutMs, const std::atomic<bool>* cancel = nullptr);

/// The path of an executable file called name in a folder of PATH; "" when there is none.
std::string findOnPath(const std::string& name);

} // namespace notaro::base
