#pragma once

// The exit codes of notaro-cli and notaro-cli-audio, the same for every command.
namespace notaro::cli::exitCode {

inline constexpr int kDone = 0;          ///< the command did what was asked
inline constexpr int kFailed = 1;        ///< a file, the score or the output failed; err says why
inline constexpr int kUsage = 2;         ///< the command line was not understood; usage printed
inline constexpr int kInterrupted = 130; ///< Ctrl-C stopped playback in silence (128 + SIGINT)

} // namespace notaro::cli::exitCode
