#include "playback/SoundingNotes.h"

#include "playback/ShortMsg.h"

namespace notaro::playback {

std::array<int32_t, 16> SoundingNotes::makeCentred() noexcept {
    std::array<int32_t, 16> w{};
    w.fill(kWheelCentre);
    return w;
}

void SoundingNotes::sent(uint32_t msg) noexcept {
    const uint8_t status = statusOf(msg);
    const int ch = status & 0x0F;
    const uint8_t d1 = data1Of(msg) & 0x7F;
    const uint8_t d2 = data2Of(msg) & 0x7F;
    switch (status & 0xF0) {
    case 0x90:
        notes_[ch].set(d1, d2 != 0); // velocity 0 is a note-off
        break;
    case 0x80:
        notes_[ch].reset(d1);
        break;
    case 0xE0:
        wheel_[ch] = d1 + 128 * d2;
        break;
    case 0xB0:
        if (d1 == 120 || d1 == 123) // All Sound Off, All Notes Off
            notes_[ch].reset();
        break;
    default:
        break;
    }
}

void SoundingNotes::clear() noexcept {
    for (auto& n : notes_)
        n.reset();
    wheel_ = makeCentred();
}

std::vector<uint32_t> SoundingNotes::silencingMessages() const {
    std::vector<uint32_t> msgs;
    for (int ch = 0; ch < 16; ++ch) {
        for (int note = 0; note < 128; ++note)
            if (notes_[ch].test(note))
                msgs.push_back(
                    packShortMsg(static_cast<uint8_t>(0x80 + ch), static_cast<uint8_t>(note), 0));
        if (wheel_[ch] != kWheelCentre)
            msgs.push_back(pitchWheelMsg(ch, kWheelCentre));
    }
    return msgs;
}

bool SoundingNotes::isSilent() const noexcept {
    for (int ch = 0; ch < 16; ++ch)
        if (notes_[ch].any() || wheel_[ch] != kWheelCentre)
            return false;
    return true;
}

} // namespace notaro::playback
