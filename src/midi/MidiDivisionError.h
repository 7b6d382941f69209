#pragma once

#include "midi/MidiError.h"
#include "midi/MidiResult.h"

namespace notaro {

/// A time-code division whose ticks per second are 0, so ticks cannot be turned into time.
class MidiDivisionError : public MidiError {
public:
    static constexpr MidiResult kCode = MidiResult::DivisionByZero;
    explicit MidiDivisionError(const std::string& what) : MidiError(kCode, what) {}
};

} // namespace notaro
