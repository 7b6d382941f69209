#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <vector>

namespace notaro::playback {

/// Follows the channel messages sent to a device, so that closing it can switch off every
/// note still sounding and centre every pitch wheel left shifted.
class SoundingNotes {
public:
    /// Takes note of one message that the device accepted.
    void sent(uint32_t msg) noexcept;
    /// Forgets everything (a device just opened is silent).
    void clear() noexcept;
    /// The note-offs (velocity 0) of all sounding notes, then a centred wheel for every
    /// channel whose wheel is shifted, channel by channel.
    std::vector<uint32_t> silencingMessages() const;
    bool isSilent() const noexcept;

private:
    std::array<std::bitset<128>, 16> notes_{};
    std::array<int32_t, 16> wheel_ = makeCentred();

    static std::array<int32_t, 16> makeCentred() noexcept;
};

} // namespace notaro::playback
