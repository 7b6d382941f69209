#pragma once

#include "score/cNotePAO.h"

#include <cstdint>
#include <string>

namespace notaro::interchange {

/// An exact fraction of a whole note, in lowest terms with a positive denominator. The values
/// a score's notes reach (1/99 ... 7/2, and sums of them along a line) fit easily.
struct Fraction {
    int64_t n = 0;
    int64_t d = 1;

    Fraction() = default;
    Fraction(int64_t num, int64_t den);
    Fraction operator+(const Fraction& o) const { return Fraction(n * o.d + o.n * d, d * o.d); }
    Fraction operator*(const Fraction& o) const { return Fraction(n * o.n, d * o.d); }
    bool operator==(const Fraction& o) const { return n == o.n && d == o.d; }
    bool operator<(const Fraction& o) const { return n * o.d < o.n * d; }
    /// True when the denominator is a power of two: a length a plain note can show.
    bool isBinary() const { return (d & (d - 1)) == 0; }
};

/// The ABC length of the default unit note (L:1/8).
constexpr int64_t kAbcUnitDenominator = 8;

/// How a tuplet value is written: p notes in the time of q, so that the written value is
/// the real one times p / q.
struct TupletRatio {
    int64_t p = 1;
    int64_t q = 1;
};

/// The ratio that makes a length a plain note value: p is the odd part of the denominator, q
/// the largest power of two below it (3:2, 5:4, 7:4, 9:8 ...); 1:1 for a binary length.
TupletRatio tupletRatioOf(const Fraction& length);

/// A written length as ABC writes it after the note with L:1/8: "" for an eighth, "2", "3",
/// "/", "3/2", "/4" ...
std::string abcLengthText(const Fraction& written);

/// The drawable written length nearest to a binary one: a plain, dotted or double-dotted
/// value from a 1/128 note to a longa whose last dot is at least a 1/128 (the shorter of two
/// equally near). exact tells whether written was drawable itself.
Fraction nearestDrawable(const Fraction& written, bool& exact);

/// An ABC pitch without accidental: C is middle C (octave 4), c the octave above, C, and c'
/// the octaves beyond.
std::string abcLetterText(const cNotePAO& pitch);

/// The ABC accidental of a pitch's accidental index ("-~n+#"): "_", "_/", "=", "^/", "^".
std::string abcAccidentalText(uint8_t accidental);

/// Escapes a text for an ABC field or annotation: a backslash, a quote and a "%" (which
/// would start a comment) are written with a backslash before them; line breaks become blanks.
std::string abcEscaped(const std::string& text);

} // namespace notaro::interchange
