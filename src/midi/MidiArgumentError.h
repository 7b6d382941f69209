#pragma once

#include "midi/MidiError.h"
#include "midi/MidiResult.h"

namespace notaro {

/// An argument outside what the operation accepts, such as a read position past the end of the
/// bytes.
class MidiArgumentError : public MidiError {
public:
    static constexpr MidiResult kCode = MidiResult::InvalidArgument;
    explicit MidiArgumentError(const std::string& what) : MidiError(kCode, what) {}
};

} // namespace notaro
