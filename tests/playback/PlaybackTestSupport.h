#pragma once

#include "playback/MidiSettings.h"
#include "playback/RecordingMidiOut.h"
#include "playback/ShortMsg.h"
#include "playback/TickClock.h"

#include "tests/score/ParseHelpers.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace notaro::testing {

using Lines = std::vector<std::string>;

inline const char* const kSmallSoundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";

inline std::string smallestSoundFont() {
    return std::filesystem::exists(kSmallSoundFont) ? kSmallSoundFont : playback::findSoundFont();
}

/// A tick counter that moves only when the pump waits: each pump call jumps to its deadline
/// (plus an optional lateness), so timing is exact and no test sleeps.
struct FakeTime {
    int32_t now = 1000;
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

/// The device's messages as "<ms after origin> <hex bytes>", joined with "|".
inline std::string trace(const playback::RecordingMidiOut& dev, int32_t origin) {
    std::string s;
    for (const playback::TimedShortMsg& m : dev.messages())
        s += (s.empty() ? "" : "|") + std::to_string(m.ms - origin) + " " +
             playback::shortMsgText(m.msg);
    return s;
}

} // namespace notaro::testing
