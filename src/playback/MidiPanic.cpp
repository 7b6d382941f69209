#include "playback/MidiPanic.h"

#include "playback/ShortMsg.h"

namespace notaro::playback {

PlaybackResult sendPanic(MidiOutDevice& device) {
    const bool wasOpen = device.isOpen();
    if (!wasOpen) {
        if (const PlaybackResult rc = device.open(); rc != PlaybackResult::Ok)
            return rc;
    }
    PlaybackResult result = PlaybackResult::Ok;
    for (uint8_t channel = 0; channel < 16; ++channel)
        for (const uint8_t controller : {120, 123, 121}) {
            const PlaybackResult rc =
                device.shortMsg(packShortMsg(static_cast<uint8_t>(0xB0 + channel), controller));
            if (result == PlaybackResult::Ok)
                result = rc;
        }
    if (!wasOpen)
        device.close();
    return result;
}

} // namespace notaro::playback
