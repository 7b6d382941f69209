#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace notaro::cli {

/// `check FILE`: prints "The syntax is correct" or the first error. Returns the exit code.
int runCheck(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
/// `notes [--line-numbers] [--solfege|--letters] FILE`: one line per record. Returns the exit code.
int runNotes(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace notaro::cli
