#pragma once

#include <ostream>

namespace notaro::cli {

/// The usage text of notaro-cli.
const char* usageText();
/// Prints the usage to err and returns exitCode::kUsage.
int usageError(std::ostream& err);

} // namespace notaro::cli
