#pragma once

#include "MidiError.h"

/// A value that does not fit the signed 32-bit arithmetic of the MIDI model.
class MidiOverflowError : public MidiError {
public:
    static constexpr int32_t kCode = 6;
    explicit MidiOverflowError(const std::string& what) : MidiError(kCode, what) {}
};
