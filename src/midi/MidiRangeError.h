#pragma once

#include "MidiError.h"

/// An index outside the slots, channels or programs it addresses.
class MidiRangeError : public MidiError {
public:
    static constexpr int32_t kCode = 9;
    explicit MidiRangeError(const std::string& what) : MidiError(kCode, what) {}
};
