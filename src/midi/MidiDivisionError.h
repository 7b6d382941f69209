#pragma once

#include "MidiError.h"

/// A time-code division whose ticks per second are 0, so ticks cannot be turned into time.
class MidiDivisionError : public MidiError {
public:
    static constexpr int32_t kCode = 11;
    explicit MidiDivisionError(const std::string& what) : MidiError(kCode, what) {}
};
