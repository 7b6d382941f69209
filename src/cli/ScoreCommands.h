#pragma once

#include "cli/ExitCodes.h"

#include <ostream>
#include <string>
#include <vector>

namespace notaro::cli {

/// `check FILE`: prints "The syntax is correct" or the first error. Returns the exit code.
ExitCode runCheck(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
/// `notes [--line-numbers] [--solfege|--letters] FILE`: one line per record. Returns the exit code.
ExitCode runNotes(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

/// `midi [-o OUT.mid] [--instrument N] FILE`: writes the score as a Standard MIDI File.
ExitCode runMidi(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
/// FILE with its extension replaced by ".mid" (only the file name is looked at, not its folders).
std::string defaultMidiPath(const std::string& scorePath);

} // namespace notaro::cli
