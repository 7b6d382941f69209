#pragma once

#include <QPalette>

namespace notaro::app {

/// Light text on dark grounds for every role, for the `--dark` start option: the program, its
/// score colours and the Glimmer controls follow whatever palette the application has.
QPalette darkPalette();

} // namespace notaro::app
