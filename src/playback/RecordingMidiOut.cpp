#include "playback/RecordingMidiOut.h"

namespace notaro::playback {

RecordingMidiOut::RecordingMidiOut(TickClock clock, Sink sink)
    : clock_(std::move(clock)), sink_(std::move(sink)) {}

RecordingMidiOut::~RecordingMidiOut() {
    close();
}

void RecordingMidiOut::failSendWith(int32_t n, PlaybackResult rc) noexcept {
    sendsUntilFailure_ = n;
    sendRc_ = rc;
}

PlaybackResult RecordingMidiOut::doOpen() {
    const PlaybackResult rc = openRc_;
    openRc_ = PlaybackResult::Ok;
    if (rc != PlaybackResult::Ok)
        return rc;
    openTick_ = clock_();
    ++openCount_;
    return PlaybackResult::Ok;
}

PlaybackResult RecordingMidiOut::doShortMsg(uint32_t msg) {
    if (sendsUntilFailure_ >= 0 && sendsUntilFailure_-- == 0)
        return sendRc_;
    const TimedShortMsg m{clock_(), msg};
    messages_.push_back(m);
    if (sink_)
        sink_(m);
    return PlaybackResult::Ok;
}

void RecordingMidiOut::doClose() {
    ++closeCount_;
}

} // namespace notaro::playback
