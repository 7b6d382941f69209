#include "score/cDuration.h"

#include "base/CheckedInt.h"
#include "base/NumberText.h"
#include "base/TextUtil.h"
#include "score/DurationError.h"
#include "score/Rational32.h"
#include "score/ScoreCodes.h"

namespace notaro {

using namespace rational;

namespace {

using text::trimBlanks;

constexpr char kSource[] = "cDuration";

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

/// The whole-number text test: blanks, an optional "-", one or more digits, blanks.
bool isDigitsText(std::string_view s) {
    s = trimBlanks(s);
    if (!s.empty() && s.front() == '-')
        s.remove_prefix(1);
    if (s.empty())
        return false;
    for (char c : s)
        if (!isDigit(c))
            return false;
    return true;
}

/// Converts a text that passed isDigitsText; a value outside 32 bits overflows.
int32_t toInt32(std::string_view s) {
    int32_t v = 0;
    if (!base::readWholeText(trimBlanks(s), v))
        throw OverflowError();
    return v;
}

} // namespace

cDuration::cDuration(int32_t numer, int32_t denom) {
    setND(numer, denom);
}

void cDuration::setDenom(int32_t d) {
    if (d == 0)
        throw DurationError(DurationError::kZeroDenominator, kSource);
    denom_ = d;
}

void cDuration::setND(int32_t n, int32_t d) {
    if (d == 0)
        throw DurationError(DurationError::kZeroDenominator, kSource);
    numer_ = n;
    denom_ = d;
}

bool cDuration::isNeg() const noexcept {
    return (numer_ > 0 && denom_ < 0) || (numer_ < 0 && denom_ > 0);
}

cDuration cDuration::negOf() const {
    cDuration r = *this;
    r.negate();
    return r;
}

void cDuration::negate() {
    numer_ = checked::neg(numer_);
}

DurationResult cDuration::Add(const cDuration& dur2) {
    try {
        int32_t a = numer_, b = denom_;
        addND(a, b, dur2.numer_, dur2.denom_);
        numer_ = a;
        denom_ = b;
        return DurationResult::Ok;
    } catch (const OverflowError&) {
        return DurationResult::Overflow;
    }
}

void cDuration::setToSum(const cDuration& d1, const cDuration& d2) {
    cpy(d1);
    Add(d2);
}

DurationResult cDuration::Subtract(const cDuration& dur2) {
    try {
        int32_t a = numer_, b = denom_;
        addND(a, b, checked::neg(dur2.numer_), dur2.denom_);
        numer_ = a;
        denom_ = b;
        return DurationResult::Ok;
    } catch (const OverflowError&) {
        return DurationResult::Overflow;
    }
}

void cDuration::setToDiff(const cDuration& d1, const cDuration& d2) {
    cpy(d1);
    Subtract(d2);
}

int32_t cDuration::Comp(const cDuration& dur2) const {
    return compND(numer_, denom_, dur2.numer_, dur2.denom_);
}

int32_t cDuration::Modulo(const cDuration& dur2) {
    if (dur2.isZero() || dur2.isNeg())
        throw DurationError(DurationError::kBadModulus, "cDuration.modulo");
    int32_t count = 0;
    while (Comp(dur2) != -1) {
        // A subtraction that overflows would leave the value where it is and loop forever.
        if (Subtract(dur2) != DurationResult::Ok)
            throw OverflowError();
        count = checked::add(count, 1);
    }
    return count;
}

void cDuration::setToGcdDur(const cDuration& dur2) {
    const int32_t a = numer_, b = denom_, c = dur2.numer_, d = dur2.denom_;
    const int32_t g = gcdN(b, d);
    int32_t l = lcmN(b, d);
    int32_t gg = gcdN(checked::mul(checked::div(d, g), a), checked::mul(checked::div(b, g), c));
    reduceND(gg, l);
    numer_ = gg;
    denom_ = l;
}

cDuration cDuration::gcdDur(const cDuration& dur2) const {
    cDuration r = *this;
    r.setToGcdDur(dur2);
    return r;
}

bool cDuration::isTuplet() const {
    int32_t n = numer_, d = denom_;
    reduceND(n, d);
    return !isPow2(d);
}

DurationResult cDuration::MulDiv(int32_t mul, int32_t div) {
    if (div == 0)
        throw DurationError(DurationError::kZeroDivisor, kSource);
    reduceND(mul, div);
    int32_t n = checked::mul(numer_, mul);
    int32_t d = checked::mul(denom_, div);
    reduceND(n, d);
    numer_ = n;
    denom_ = d;
    return DurationResult::Ok;
}

DurationResult cDuration::fromDDots(uint8_t durNod, uint8_t nDots) {
    try {
        if (durNod == 0)
            setND(2, 1);
        else
            setND(1, durNod);
        cDuration half = *this;
        for (int i = 0; i < nDots; ++i) {
            half.MulDiv(1, 2);
            if (Add(half) != DurationResult::Ok)
                return DurationResult::Failed;
        }
        return DurationResult::Ok;
    } catch (const std::exception&) {
        return DurationResult::Failed;
    }
}

DurationResult cDuration::fromNDots(std::string_view sArg, int32_t& used) {
    used = 0;
    try {
        size_t digits = 0;
        while (digits < sArg.size() && isDigit(sArg[digits]))
            ++digits;
        if (digits < 1 || digits > 2)
            return DurationResult::NoMatch;
        size_t dots = 0;
        while (digits + dots < sArg.size() && sArg[digits + dots] == '.')
            ++dots;
        if (dots >= 5)
            return DurationResult::NoMatch;
        int value = 0;
        for (size_t i = 0; i < digits; ++i)
            value = value * 10 + (sArg[i] - '0');
        if (fromDDots(static_cast<uint8_t>(value), static_cast<uint8_t>(dots)) !=
            DurationResult::Ok)
            return DurationResult::NoMatch;
        used = static_cast<int32_t>(digits + dots);
        return DurationResult::Ok;
    } catch (const std::exception&) {
        return DurationResult::Failed;
    }
}

DurationResult cDuration::fromStr(std::string_view sArg) {
    const size_t slash = sArg.find('/');
    if (slash == std::string_view::npos)
        return DurationResult::NoMatch;
    const std::string_view numText = sArg.substr(0, slash);
    const std::string_view denText = sArg.substr(slash + 1);
    if (!isDigitsText(numText) || !isDigitsText(denText))
        return DurationResult::NoMatch;
    int32_t n = toInt32(numText);
    int32_t d = toInt32(denText);
    if (d == 0)
        return DurationResult::NoMatch;
    reduceND(n, d);
    numer_ = n;
    denom_ = d;
    return DurationResult::Ok;
}

std::string cDuration::toStr() const {
    return std::to_string(numer_) + "/" + std::to_string(denom_);
}

} // namespace notaro
