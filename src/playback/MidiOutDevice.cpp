#include "playback/MidiOutDevice.h"

namespace notaro::playback {

int32_t MidiOutDevice::open() {
    if (open_)
        return 0;
    const int32_t rc = doOpen();
    if (rc == 0) {
        open_ = true;
        sounding_.clear();
    }
    return rc;
}

int32_t MidiOutDevice::shortMsg(uint32_t msg) {
    if (!open_)
        return midiOutRc::kNotOpen;
    const int32_t rc = doShortMsg(msg);
    if (rc == 0)
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
