#pragma once

#include <cstdint>
#include <string>

namespace notaro {

/// Where a converter writes the events of one track, in order, each with its delta time.
class MidiEventSink {
public:
    virtual ~MidiEventSink() = default;
    /// A channel message; d2 is left out of the file for program change and channel pressure.
    virtual void channelMessage(int32_t delta, uint8_t status, uint8_t d1, uint8_t d2) = 0;
    /// A meta event of the given type carrying data.
    virtual void metaEvent(int32_t delta, uint8_t type, const std::string& data) = 0;
};

} // namespace notaro
