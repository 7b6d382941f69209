#pragma once

#include "cli/ExitCodes.h"

#include <ostream>

namespace notaro::cli {

/// The usage text of notaro-cli.
const char* usageText();
/// Prints the usage to err and returns ExitCode::Usage.
ExitCode usageError(std::ostream& err);

} // namespace notaro::cli
