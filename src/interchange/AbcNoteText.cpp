#include "interchange/AbcNoteText.h"

#include <numeric>

namespace notaro::interchange {

Fraction::Fraction(int64_t num, int64_t den) : n(num), d(den) {
    const int64_t g = std::gcd(n, d);
    if (g > 1) {
        n /= g;
        d /= g;
    }
    if (d < 0) {
        n = -n;
        d = -d;
    }
    if (n == 0)
        d = 1;
}

TupletRatio tupletRatioOf(const Fraction& length) {
    int64_t odd = length.d;
    while (odd % 2 == 0)
        odd /= 2;
    if (odd == 1)
        return {};
    int64_t q = 1;
    while (q * 2 < odd)
        q *= 2;
    return {odd, q};
}

std::string abcLengthText(const Fraction& written) {
    const Fraction units = written * Fraction(kAbcUnitDenominator, 1);
    if (units.d == 1)
        return units.n == 1 ? std::string() : std::to_string(units.n);
    const std::string numerator = units.n == 1 ? std::string() : std::to_string(units.n);
    return numerator + (units.d == 2 ? std::string("/") : "/" + std::to_string(units.d));
}

namespace {

Fraction distance(const Fraction& a, const Fraction& b) {
    return a < b ? b + a * Fraction(-1, 1) : a + b * Fraction(-1, 1);
}

} // namespace

Fraction nearestDrawable(const Fraction& written, bool& exact) {
    // A base value 4 / 2^k runs from a longa (k = 0) to a 1/128 note (k = 9); with d dots the
    // last dot is base / 2^d, which must reach a 1/128, and only the longa has no dotted form.
    Fraction best(4, 1);
    for (int dots = 0; dots < 3; ++dots) {
        for (int k = dots > 0 ? 1 : 0; k <= 9 - dots; ++k) {
            const Fraction value = Fraction(4, int64_t{1} << k) *
                                   Fraction((int64_t{2} << dots) - 1, int64_t{1} << dots);
            const Fraction gap = distance(value, written);
            const Fraction bestGap = distance(best, written);
            if (gap < bestGap || (gap == bestGap && value < best))
                best = value;
        }
    }
    exact = best == written;
    return best;
}

std::string abcLetterText(const cNotePAO& pitch) {
    const char letter = "CDEFGAB"[pitch.pitch % 7];
    if (pitch.octave >= 5)
        return std::string(1, static_cast<char>(letter - 'A' + 'a')) +
               std::string(pitch.octave - 5u, '\'');
    return std::string(1, letter) + std::string(4u - pitch.octave, ',');
}

std::string abcAccidentalText(uint8_t accidental) {
    static const char* const texts[] = {"_", "_/", "=", "^/", "^"};
    return accidental < 5 ? texts[accidental] : "";
}

std::string abcEscaped(const std::string& text) {
    std::string out;
    for (const char c : text) {
        if (c == '\\' || c == '"' || c == '%')
            out += '\\';
        out += (c == '\r' || c == '\n') ? ' ' : c;
    }
    return out;
}

} // namespace notaro::interchange
