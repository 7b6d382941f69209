#include "score/cNotePAO.h"

#include "base/TextUtil.h"

namespace notaro {

namespace {

using text::trimBlanks;

constexpr std::string_view kLetters = "CDEFGAB";
constexpr std::string_view kSolfege = "DRMFSLT";
constexpr std::string_view kAccidentals = "-~n+#";

char upper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}
bool isUpper(char c) {
    return c >= 'A' && c <= 'Z';
}

uint8_t letterIndexOf(char c, bool bIsDoRe) {
    const std::string_view table = bIsDoRe ? kSolfege : kLetters;
    const size_t i = table.find(upper(c));
    return i == std::string_view::npos ? cNotePAO::kNotALetter : static_cast<uint8_t>(i);
}

uint8_t accidentalIndexOf(char c) {
    const size_t i = kAccidentals.find(c);
    return i == std::string_view::npos ? cNotePAO::kNotALetter : static_cast<uint8_t>(i);
}

} // namespace

uint8_t cNotePAO::letterIndex(std::string_view ch, bool bIsDoRe) {
    ch = trimBlanks(ch);
    if (ch.size() != 1)
        return kNotALetter;
    return letterIndexOf(ch[0], bIsDoRe);
}

std::string cNotePAO::letterOf(uint8_t index, bool bIsDoRe) {
    if (index >= 7)
        return "";
    return std::string(1, (bIsDoRe ? kSolfege : kLetters)[index]);
}

uint8_t cNotePAO::accidentalIndex(std::string_view ch) {
    ch = trimBlanks(ch);
    if (ch.size() != 1)
        return kNotALetter;
    return accidentalIndexOf(ch[0]);
}

std::string cNotePAO::accidentalOf(uint8_t index) {
    if (index > 4)
        return "";
    return std::string(1, kAccidentals[index]);
}

float cNotePAO::tMidi() const {
    float m = 2.0f * pitch;
    if (pitch > 2)
        m -= 1.0f;
    m += 12.0f + 12.0f * octave;
    m += (static_cast<float>(accidental) - 2.0f) / 2.0f;
    return m;
}

int32_t cNotePAO::fromStr(std::string_view sArg, bool bIsDoRe) {
    // This runs once per note while parsing, so it reads bytes directly; a non-ASCII first
    // character is never a letter of either table.
    if (sArg.empty()) {
        pitch = kNotALetter;
        return kNoPitch;
    }
    const char first = sArg[0];
    pitch = letterIndexOf(first, bIsDoRe);
    if (pitch > 6)
        return kNoPitch;
    size_t k = 1;
    while (k < sArg.size() && sArg[k] == first)
        ++k;
    if (k > 5)
        return kNoPitch;
    if (isUpper(first)) {
        if (k > 4)
            return kNoPitch;
        octave = static_cast<uint8_t>(4 - k);
    } else {
        octave = static_cast<uint8_t>(3 + k);
    }
    accidental = k < sArg.size() ? accidentalIndexOf(sArg[k]) : kNotALetter;
    if (accidental > 4) {
        accidental = 2;
        return static_cast<int32_t>(k);
    }
    return static_cast<int32_t>(k + 1);
}

std::string cNotePAO::toStr(bool bIsDoRe) const {
    if (accidental > 4 || octave > 8 || pitch > 6)
        return "";
    const char letter = (bIsDoRe ? kSolfege : kLetters)[pitch];
    std::string s;
    if (octave < 4)
        s.assign(4 - octave, letter);
    else
        s.assign(octave - 3, static_cast<char>(letter - 'A' + 'a'));
    if (accidental != 2)
        s += kAccidentals[accidental];
    return s;
}

} // namespace notaro
