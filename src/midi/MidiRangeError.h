#pragma once

#include "midi/MidiError.h"
#include "midi/MidiResult.h"

namespace notaro {

/// An index outside the slots, channels or programs it addresses.
class MidiRangeError : public MidiError {
public:
    static constexpr MidiResult kCode = MidiResult::OutOfRange;
    explicit MidiRangeError(const std::string& what) : MidiError(kCode, what) {}
};

} // namespace notaro
