#pragma once

#include <cstdint>
#include <string>

namespace notaro::playback {

/// One short MIDI message with the tick-counter time (ms) at which it was sent.
struct TimedShortMsg {
    int32_t ms = 0;
    uint32_t msg = 0;
};

/// Packs a short message: status | data1 << 8 | data2 << 16.
constexpr uint32_t packShortMsg(uint8_t status, uint8_t data1, uint8_t data2 = 0) noexcept {
    return uint32_t{status} | uint32_t{data1} << 8 | uint32_t{data2} << 16;
}

constexpr uint8_t statusOf(uint32_t msg) noexcept {
    return static_cast<uint8_t>(msg & 0xFF);
}
constexpr uint8_t data1Of(uint32_t msg) noexcept {
    return static_cast<uint8_t>(msg >> 8 & 0xFF);
}
constexpr uint8_t data2Of(uint32_t msg) noexcept {
    return static_cast<uint8_t>(msg >> 16 & 0xFF);
}

/// Centre of the 14-bit pitch wheel (no shift).
inline constexpr int32_t kWheelCentre = 8192;

/// The 14-bit wheel value for a shift in cents (8192 = 200 cents), rounded half to even and
/// limited to 0..16383.
int32_t wheelValueOfCents(int32_t cents);

/// The pitch-wheel message of a 14-bit value on a channel (0..15).
uint32_t pitchWheelMsg(int32_t channel, int32_t value);

/// Number of bytes the message has on the wire: 2 for program change and channel pressure,
/// 1 for system real-time and tune request, else 3.
int shortMsgLength(uint32_t msg) noexcept;

/// The message's bytes as upper-case hex separated by blanks, for example "90 3C 7F".
std::string shortMsgText(uint32_t msg);

} // namespace notaro::playback
