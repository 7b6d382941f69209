#pragma once

#include "cli/ExitCodes.h"

#include <ostream>
#include <string>
#include <vector>

namespace notaro::cli {

/// `import [--track N|--channel N] [--grid N] [-o OUT.NTR] FILE.mid`: the melody of a MIDI
/// file as score text (to out without -o); what was approximated goes to err.
ExitCode runImport(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
/// `musicxml [-o OUT.musicxml] FILE`: the score as a MusicXML file (FILE with its extension
/// replaced by ".musicxml" without -o).
ExitCode runMusicXml(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace notaro::cli
