#pragma once

#include "cli/ExitCodes.h"

#include <ostream>
#include <string>
#include <vector>

namespace notaro::cli {

/// `transpose [--flats] [-o OUT] SEMITONES FILE` or `transpose [--flats] [-o OUT]
/// --quarter-tones N FILE`: the score with every note moved (-24..+24 steps), as score text
/// (UTF-8, CR LF) to out without -o. A refusal is reported like a score error, pointing at the
/// note concerned.
ExitCode runTranspose(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace notaro::cli
