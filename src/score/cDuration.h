#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace notaro {

/// An exact number of whole notes held as a 32-bit numerator and denominator.
///
/// A new value is 0/1. The arithmetic operations leave the value in lowest terms with a
/// positive denominator; the plain setters store what they are given. Zero denominators
/// and zero divisors raise DurationError; a result outside 32 bits raises OverflowError
/// unless the operation documents a result code instead.
class cDuration {
public:
    cDuration() = default;
    cDuration(int32_t numer, int32_t denom);

    int32_t Numer() const noexcept { return numer_; }
    /// Stores the numerator as given.
    void setNumer(int32_t n) noexcept { numer_ = n; }
    int32_t Denom() const noexcept { return denom_; }
    /// Stores the denominator as given; 0 raises DurationError 0x80040203.
    void setDenom(int32_t d);
    /// Stores both as given; a zero denominator raises DurationError and stores nothing.
    void setND(int32_t n, int32_t d);
    /// Copies the other value's numerator and denominator as stored.
    void cpy(const cDuration& dur2) noexcept { *this = dur2; }

    bool isZero() const noexcept { return numer_ == 0; }
    bool isNeg() const noexcept;
    /// A new value with the numerator negated.
    cDuration negOf() const;
    void negate();

    /// this := this + dur2 in lowest terms; 0, or -9999 (value unchanged) on overflow.
    int32_t Add(const cDuration& dur2);
    void setToSum(const cDuration& d1, const cDuration& d2);
    /// this := this - dur2 in lowest terms; 0, or -9999 (value unchanged) on overflow.
    int32_t Subtract(const cDuration& dur2);
    void setToDiff(const cDuration& d1, const cDuration& d2);
    /// -1, 0 or +1 as this is less than, equal to or greater than dur2; exact for unreduced values.
    int32_t Comp(const cDuration& dur2) const;
    /// Reduces this modulo dur2 and returns the whole quotient; dur2 must be positive.
    int32_t Modulo(const cDuration& dur2);
    /// this := the greatest duration of which this and dur2 are both whole multiples.
    void setToGcdDur(const cDuration& dur2);
    cDuration gcdDur(const cDuration& dur2) const;
    /// True when the denominator in lowest terms is not a power of two (a third, a sixth, ...).
    bool isTuplet() const;
    /// this := this * mul / div in lowest terms; returns 0. div = 0 raises DurationError.
    int32_t MulDiv(int32_t mul, int32_t div);

    /// Sets a dotted note value: 1/durNod (0 meaning 2/1), each dot adding half the previous
    /// addition. Returns 0, or -2 on failure.
    int32_t fromDDots(uint8_t durNod, uint8_t nDots);
    /// Reads 1-2 digits and 0-4 dots at the start of the text. Returns the number of characters
    /// read, -1 when the text does not match, -2 on failure.
    int32_t fromNDots(std::string_view sArg);
    /// Reads "numerator/denominator". Returns 0, or -1 (value unchanged) when invalid.
    int32_t fromStr(std::string_view sArg);
    /// The value as stored, for example "3/8".
    std::string toStr() const;

private:
    int32_t numer_ = 0;
    int32_t denom_ = 1;
};

} // namespace notaro
