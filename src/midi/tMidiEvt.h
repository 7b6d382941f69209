#pragma once

#include <cstdint>
#include <string>

namespace notaro {

/// One timed event of a Standard MIDI File track; a plain record.
class tMidiEvt {
public:
    /// Kind of event: 1 channel message, 2 system exclusive, 3 meta event; 0 when fresh.
    int32_t eType = 0;
    /// The event's bytes: status and two data bytes; 0xF0 and the sysex bytes; or meta type and
    /// data.
    std::string eData;
    /// Ticks since the previous event of the same track.
    int32_t deltaTick = 0;
    /// Ticks since the start of the track, set by setEvtsAbsTicks.
    int32_t absTick = 0;
    /// Milliseconds since the start of the file, set by the file object's setEvtsAbsMSecs.
    int32_t absMS = 0;

    /// Copies every field from srcEvt.
    void copyFrom(const tMidiEvt& srcEvt);
};

} // namespace notaro
