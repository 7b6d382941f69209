#include "playback/ShortMsg.h"

#include "base/Nearest.h"

#include <algorithm>
#include <cstdio>

namespace notaro::playback {

int32_t wheelValueOfCents(int32_t cents) {
    const int32_t w = nearest(static_cast<double>(cents) * 4096.0 / 100.0 + kWheelCentre);
    return std::clamp(w, 0, 16383);
}

uint32_t pitchWheelMsg(int32_t channel, int32_t value) {
    return packShortMsg(static_cast<uint8_t>(0xE0 + channel), static_cast<uint8_t>(value % 128),
                        static_cast<uint8_t>(value / 128));
}

int shortMsgLength(uint32_t msg) noexcept {
    const uint8_t status = statusOf(msg);
    const uint8_t kind = status & 0xF0;
    if (kind == 0xC0 || kind == 0xD0 || status == 0xF1 || status == 0xF3)
        return 2;
    if (status == 0xF6 || status >= 0xF8)
        return 1;
    return 3;
}

std::string shortMsgText(uint32_t msg) {
    std::string s;
    for (int i = 0; i < shortMsgLength(msg); ++i) {
        char hex[4];
        std::snprintf(hex, sizeof hex, "%02X", static_cast<unsigned>(msg >> (8 * i) & 0xFF));
        if (i > 0)
            s += ' ';
        s += hex;
    }
    return s;
}

} // namespace notaro::playback
