#pragma once

#include <iosfwd>

namespace notaro::cli {

/// The exit codes of notaro-cli and notaro-cli-audio, the same for every command. Scripts rely
/// on the numbers, so none may change; exitStatus() gives the number main returns.
enum class ExitCode : int {
    Done = 0,          ///< the command did what was asked
    Failed = 1,        ///< a file, the score or the output failed; err says why
    Usage = 2,         ///< the command line was not understood; usage printed
    Interrupted = 130, ///< Ctrl-C stopped playback in silence (128 + SIGINT)
};

/// The process exit status of a code.
constexpr int exitStatus(ExitCode c) noexcept {
    return static_cast<int>(c);
}

/// Name and number, e.g. "Usage (2)", for test failures.
std::ostream& operator<<(std::ostream& os, ExitCode c);

} // namespace notaro::cli
