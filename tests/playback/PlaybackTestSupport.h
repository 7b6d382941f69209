#pragma once

#include "MidiSettings.h"
#include "RecordingMidiOut.h"
#include "ShortMsg.h"
#include "TickClock.h"
#include "cTParse.h"

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

inline std::string joined(const Lines& lines) {
    std::string s;
    for (const std::string& l : lines)
        s += (s.empty() ? "" : "|") + l;
    return s;
}

/// The device's messages as "<ms after origin> <hex bytes>", joined with "|".
inline std::string trace(const playback::RecordingMidiOut& dev, int32_t origin) {
    Lines lines;
    for (const playback::TimedShortMsg& m : dev.messages())
        lines.push_back(std::to_string(m.ms - origin) + " " + playback::shortMsgText(m.msg));
    return joined(lines);
}

/// Parses a score in letter names, lines separated by "|"; a syntax error fails the test.
inline std::unique_ptr<cTParse> parseScore(const std::string& body) {
    std::string text = "**n[a-b-c]\r\n";
    for (const char c : body + "|")
        text += c == '|' ? std::string("\r\n") : std::string(1, c);
    auto p = std::make_unique<cTParse>();
    std::string msg;
    int32_t pos = 0, len = -1;
    EXPECT_EQ(p->parseAramText(text, msg, pos, len), 0) << msg;
    return p;
}

} // namespace notaro::testing
