#pragma once

#include "midi/MidiError.h"
#include "midi/MidiResult.h"

namespace notaro {

/// A value that does not fit the signed 32-bit arithmetic of the MIDI model.
class MidiOverflowError : public MidiError {
public:
    static constexpr MidiResult kCode = MidiResult::Overflow;
    explicit MidiOverflowError(const std::string& what) : MidiError(kCode, what) {}
};

} // namespace notaro
