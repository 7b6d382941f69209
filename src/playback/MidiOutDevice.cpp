#include "playback/MidiOutDevice.h"

namespace notaro::playback {

PlaybackResult MidiOutDevice::open() {
    if (open_)
        return PlaybackResult::Ok;
    failureReason_.clear();
    const PlaybackResult rc = doOpen();
    if (rc == PlaybackResult::Ok) {
        failureReason_.clear();
        open_ = true;
        sounding_.clear();
    }
    return rc;
}

PlaybackResult MidiOutDevice::shortMsg(uint32_t msg) {
    if (!open_)
        return PlaybackResult::NotOpen;
    const PlaybackResult rc = doShortMsg(msg);
    if (rc == PlaybackResult::Ok)
        sounding_.sent(msg);
    return rc;
}

void MidiOutDevice::close() {
    if (!open_)
        return;
    for (uint32_t msg : sounding_.silencingMessages())
        doShortMsg(msg);
    sounding_.clear();
    open_ = false;
    doClose();
}

} // namespace notaro::playback
