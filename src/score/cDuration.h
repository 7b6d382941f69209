#pragma once

#include "score/ScoreCodes.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace notaro {

/// An exact number of whole notes held as a 32-bit numerator and denominator.
///
/// A new value is 0/1. The arithmetic operations leave the value in lowest terms with a
/// positive denominator; the plain setters store what they are given.
///
/// Which operations return a code and which throw (DurationResult, ScoreCodes.h):
/// - Add, Subtract return Ok or Overflow (value unchanged); setToSum and setToDiff drop it.
/// - fromDDots returns Ok or Failed; fromNDots Ok (with the characters read), NoMatch or
///   Failed; fromStr Ok or NoMatch (value unchanged). MulDiv returns Ok when it does not throw.
/// - DurationError (number and source text): a zero denominator in setDenom, setND and the
///   constructor (0x80040203), a zero divisor in MulDiv (0x80040204), a zero or negative
///   modulus in Modulo (0x80040206). Nothing is stored.
/// - OverflowError: a result outside 32 bits in Comp, Modulo, MulDiv, setToGcdDur, gcdDur,
///   negate, negOf and the number conversion of fromStr.
class cDuration {
public:
    cDuration() = default;
    cDuration(int32_t numer, int32_t denom);

    int32_t Numer() const noexcept { return numer_; }
    /// Stores the numerator as given.
    void setNumer(int32_t n) noexcept { numer_ = n; }
    int32_t Denom() const noexcept { return denom_; }
    /// Stores the denominator as given (not 0).
    void setDenom(int32_t d);
    /// Stores both as given (the denominator not 0).
    void setND(int32_t n, int32_t d);
    /// Copies the other value's numerator and denominator as stored.
    void cpy(const cDuration& dur2) noexcept { *this = dur2; }

    bool isZero() const noexcept { return numer_ == 0; }
    bool isNeg() const noexcept;
    /// A new value with the numerator negated.
    cDuration negOf() const;
    void negate();

    /// this := this + dur2 in lowest terms.
    DurationResult Add(const cDuration& dur2);
    void setToSum(const cDuration& d1, const cDuration& d2);
    /// this := this - dur2 in lowest terms.
    DurationResult Subtract(const cDuration& dur2);
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
    /// this := this * mul / div in lowest terms.
    DurationResult MulDiv(int32_t mul, int32_t div);

    /// Sets a dotted note value: 1/durNod (0 meaning 2/1), each dot adding half the previous
    /// addition.
    DurationResult fromDDots(uint8_t durNod, uint8_t nDots);
    /// Reads 1-2 digits and 0-4 dots at the start of the text.
    /// @param used the characters read when the result is Ok, else 0
    DurationResult fromNDots(std::string_view sArg, int32_t& used);
    /// Reads "numerator/denominator" (blanks and a "-" allowed around each number).
    DurationResult fromStr(std::string_view sArg);
    /// The value as stored, for example "3/8".
    std::string toStr() const;

private:
    int32_t numer_ = 0;
    int32_t denom_ = 1;
};

} // namespace notaro
