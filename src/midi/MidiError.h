#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace notaro {

/// Base of the failures the MIDI model raises; the readers turn them into result codes.
/// code: the midiResult code of the failure (MidiResult.h).
class MidiError : public std::runtime_error {
public:
    MidiError(int32_t code, const std::string& what) : std::runtime_error(what), code_(code) {}

    /// The failure's number, as returned by the operations that catch it.
    int32_t code() const noexcept { return code_; }

private:
    int32_t code_;
};

} // namespace notaro
