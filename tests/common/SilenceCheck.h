#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <string>
#include <vector>

namespace notaro::testing {

/// The notes and pitch wheels that a stream of short messages (status | data1 << 8 |
/// data2 << 16) leaves sounding, as "ch C note N; " and "ch C wheel V; "; empty when the
/// output ends silent. All Sound Off and All Notes Off end every note of their channel.
inline std::string leftSounding(const std::vector<uint32_t>& msgs) {
    std::array<std::bitset<128>, 16> on{};
    std::array<int, 16> wheel{};
    wheel.fill(8192); // the centre
    for (const uint32_t m : msgs) {
        const int kind = m & 0xF0, ch = m & 0x0F, d1 = (m >> 8) & 0x7F, d2 = (m >> 16) & 0x7F;
        if (kind == 0x90 || kind == 0x80)
            on[ch].set(d1, kind == 0x90 && d2 != 0);
        else if (kind == 0xB0 && (d1 == 120 || d1 == 123))
            on[ch].reset();
        else if (kind == 0xE0)
            wheel[ch] = d1 | d2 << 7;
    }
    std::string left;
    for (int ch = 0; ch < 16; ++ch) {
        for (int n = 0; n < 128; ++n)
            if (on[ch].test(n))
                left += "ch " + std::to_string(ch) + " note " + std::to_string(n) + "; ";
        if (wheel[ch] != 8192)
            left += "ch " + std::to_string(ch) + " wheel " + std::to_string(wheel[ch]) + "; ";
    }
    return left;
}

} // namespace notaro::testing
