#pragma once

#include "midi/MidiResult.h"

#include <stdexcept>
#include <string>

namespace notaro {

/// Base of the failures the MIDI model raises; the readers turn them into result codes.
/// code: the MidiResult of the failure.
class MidiError : public std::runtime_error {
public:
    MidiError(MidiResult code, const std::string& what) : std::runtime_error(what), code_(code) {}

    /// The failure's number, as returned by the operations that catch it.
    MidiResult code() const noexcept { return code_; }

private:
    MidiResult code_;
};

} // namespace notaro
