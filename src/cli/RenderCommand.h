#pragma once

#include "cli/ExitCodes.h"

#include <ostream>
#include <string>
#include <vector>

namespace notaro::cli {

/// `render [-o OUT.wav] [--soundfont SF2] [--instrument N] [PRACTICE] FILE`: renders the score
/// to a 44.1 kHz stereo WAV file offline, with exactly the events of its MIDI file, or with
/// practice options the messages the player sends.
ExitCode runRender(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace notaro::cli
