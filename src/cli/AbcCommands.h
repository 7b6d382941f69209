#pragma once

#include "cli/ExitCodes.h"

#include <ostream>
#include <string>
#include <vector>

namespace notaro::cli {

/// `abc [-o OUT.abc] FILE`: writes the score as ABC text, to standard output without -o.
ExitCode runAbc(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace notaro::cli
