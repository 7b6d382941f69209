#pragma once

#include <cstdint>

namespace notaro::app {

/// The player's event pump for a Qt window: runs the pending events and then sleeps in the
/// event loop until the deadline (a tick-counter time) or the next event, whichever is first.
/// A precise single-shot timer ends the sleep, so the processor stays idle while a note
/// sounds and user input is handled the moment it arrives.
class QtEventPump {
public:
    void operator()(int32_t deadlineMs) const;
};

} // namespace notaro::app
