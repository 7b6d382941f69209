#pragma once

#include "playback/MidiOutDevice.h"
#include "playback/ShortMsg.h"
#include "playback/TickClock.h"

#include <functional>
#include <vector>

namespace notaro::playback {

/// An output that sounds nothing: it keeps every message with the tick-counter time at
/// which it was sent, and hands each one to an optional sink (the command-line trace).
/// Failures can be injected to exercise the error paths of its callers.
class RecordingMidiOut : public MidiOutDevice {
public:
    using Sink = std::function<void(const TimedShortMsg&)>;

    /// clock stamps each message; sink (optional) sees each message as it is sent.
    explicit RecordingMidiOut(TickClock clock = getTickCount, Sink sink = {});
    ~RecordingMidiOut() override;

    /// Messages sent since construction (or clearMessages), silencing ones included.
    const std::vector<TimedShortMsg>& messages() const noexcept { return messages_; }
    void clearMessages() noexcept { messages_.clear(); }
    /// Tick-counter time of the last successful open.
    int32_t openTick() const noexcept { return openTick_; }
    int32_t openCount() const noexcept { return openCount_; }
    int32_t closeCount() const noexcept { return closeCount_; }

    /// The next open() fails with rc (Ok: it succeeds).
    void failOpenWith(PlaybackResult rc) noexcept { openRc_ = rc; }
    /// Send number n (0-based, counted from now, attempts included) fails with rc.
    void failSendWith(int32_t n, PlaybackResult rc) noexcept;

protected:
    PlaybackResult doOpen() override;
    PlaybackResult doShortMsg(uint32_t msg) override;
    void doClose() override;

private:
    TickClock clock_;
    Sink sink_;
    std::vector<TimedShortMsg> messages_;
    int32_t openTick_ = 0;
    int32_t openCount_ = 0;
    int32_t closeCount_ = 0;
    PlaybackResult openRc_ = PlaybackResult::Ok;
    int32_t sendsUntilFailure_ = -1;
    PlaybackResult sendRc_ = PlaybackResult::Ok;
};

} // namespace notaro::playback
