#pragma once

#include "cli/ExitCodes.h"

#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace notaro::cli {

/// `staff -o OUT.svg|OUT.pdf FILE`: writes the score engraved as a staff. An SVG is made
/// here; a PDF needs Qt's PDF writer, so once the score has been read and checked, pdf runs
/// the helper that makes it (and returns what it returns).
ExitCode
runStaff(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
         const std::function<ExitCode(const std::string& score, const std::string& pdf)>& pdf);

} // namespace notaro::cli
