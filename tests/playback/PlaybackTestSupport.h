#pragma once

#include "RecordingMidiOut.h"
#include "ShortMsg.h"
#include "TickClock.h"
#include "cTParse.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace notaro::testing {

using Lines = std::vector<std::string>;

/// A tick counter that moves only when the pump waits: each pump call jumps to its deadline
/// (plus an optional lateness), so timing is exact and no test sleeps.
struct FakeTime {
    int32_t now = 1000;
    /// Every pump call arrives this many ms after the deadline it was given.
    int32_t lateness = 0;
    int32_t pumpCalls = 0;
    /// Runs inside every pump call, after the clock moved: the owner's event handlers.
    std::function<void(int32_t now)> onPump;

    playback::TickClock clock() {
        return [this] { return now; };
    }
    playback::EventPump pump() {
        return [this](int32_t deadline) {
            ++pumpCalls;
            if (deadline > now)
                now = deadline + lateness;
            if (onPump)
                onPump(now);
        };
    }
};

/// The device's messages as "<ms after origin> <hex bytes>".
inline Lines trace(const playback::RecordingMidiOut& dev, int32_t origin) {
    Lines lines;
    for (const playback::TimedShortMsg& m : dev.messages())
        lines.push_back(std::to_string(m.ms - origin) + " " + playback::shortMsgText(m.msg));
    return lines;
}

/// Parses a score (lines joined with CR LF) and fails the test on a syntax error.
inline std::unique_ptr<cTParse> parseScore(const Lines& lines) {
    std::string text;
    for (const std::string& l : lines)
        text += l + "\r\n";
    auto p = std::make_unique<cTParse>();
    std::string msg;
    int32_t pos = 0, len = -1;
    EXPECT_EQ(p->parseAramText(text, msg, pos, len), 0) << msg;
    return p;
}

} // namespace notaro::testing
