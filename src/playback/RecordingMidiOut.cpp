#include "playback/RecordingMidiOut.h"

namespace notaro::playback {

RecordingMidiOut::RecordingMidiOut(TickClock clock, Sink sink)
    : clock_(std::move(clock)), sink_(std::move(sink)) {}

RecordingMidiOut::~RecordingMidiOut() {
    close();
}

void RecordingMidiOut::failSendWith(int32_t n, int32_t rc) noexcept {
    sendsUntilFailure_ = n;
    sendRc_ = rc;
}

int32_t RecordingMidiOut::doOpen() {
    const int32_t rc = openRc_;
    openRc_ = 0;
    if (rc != 0)
        return rc;
    openTick_ = clock_();
    ++openCount_;
    return 0;
}

int32_t RecordingMidiOut::doShortMsg(uint32_t msg) {
    if (sendsUntilFailure_ >= 0 && sendsUntilFailure_-- == 0)
        return sendRc_;
    const TimedShortMsg m{clock_(), msg};
    messages_.push_back(m);
    if (sink_)
        sink_(m);
    return 0;
}

void RecordingMidiOut::doClose() {
    ++closeCount_;
}

} // namespace notaro::playback
