#pragma once

#include "cli/CommandArgs.h"
#include "playback/PracticeOptions.h"

#include <ostream>
#include <string>
#include <vector>

namespace notaro::cli {

/// The practice options `play` and `render` share: --tempo PERCENT, --loop N,
/// --ramp START:STEP:CEILING, --count-in BARS, --click and --beats N, as given.
class PracticeArgs {
public:
    /// The options to add to a command's table; they write into this object.
    std::vector<ValueOption> options();
    /// Turns what was given into the player's options, or writes one line saying which value
    /// is wrong and why. @return false for a bad value
    bool read(playback::PracticeOptions& practice, std::ostream& err) const;

private:
    std::string tempo_, loop_, ramp_, countIn_, beats_;
    bool click_ = false;
};

} // namespace notaro::cli
