#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace notaro {

/// The pitch of one note: letter index, accidental and octave.
///
/// `pitch` indexes "CDEFGAB" (or "DRMFSLT" with solfege initials); 255 marks a rest.
/// `accidental` indexes "-~n+#" (2 is natural, 1 and 3 are quarter tones).
/// `octave` 4 begins at middle C.
class cNotePAO {
public:
    static constexpr uint8_t kRest = 255;
    static constexpr uint8_t kNotALetter = 127;
    /// What fromStr gives when the text does not start with a pitch.
    static constexpr int32_t kNoPitch = -1;

    uint8_t pitch = 0;
    uint8_t accidental = 2;
    uint8_t octave = 4;

    /// MIDI note number, with a fraction of 0.5 for a quarter tone. Not meaningful for a rest.
    float tMidi() const;
    bool isRest() const noexcept { return pitch == kRest; }
    void cpy(const cNotePAO& pao2) noexcept { *this = pao2; }
    /// Reads a pitch at the start of sArg; returns the number of characters used, or kNoPitch.
    int32_t fromStr(std::string_view sArg, bool bIsDoRe);
    /// The pitch in score syntax ("cc#", "BB-"); "" when it cannot be written (a rest).
    std::string toStr(bool bIsDoRe) const;
    bool isEqualTo(const cNotePAO& pao2) const noexcept {
        return pitch == pao2.pitch && accidental == pao2.accidental && octave == pao2.octave;
    }

    /// Index 0..6 of one letter in the naming table, without regard to case; 127 otherwise.
    static uint8_t letterIndex(std::string_view ch, bool bIsDoRe);
    /// The upper-case letter of an index, or "" for an index of 7 or more.
    static std::string letterOf(uint8_t index, bool bIsDoRe);
    /// Index 0..4 of one accidental character in "-~n+#" (case-sensitive); 127 otherwise.
    static uint8_t accidentalIndex(std::string_view ch);
    /// The accidental character of an index, or "" for an index above 4.
    static std::string accidentalOf(uint8_t index);
};

} // namespace notaro
