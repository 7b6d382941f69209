#include "score/cGSpans.h"

#include "base/CheckedInt.h"
#include "base/TextUtil.h"

#include <cmath>
#include <stdexcept>

namespace notaro {

void cGSpans::clear() {
    spans_.clear();
    spans_.shrink_to_fit();
    numSpans_ = 0;
}

void cGSpans::ensureSpanRoom() {
    if (numSpans_ >= spanCapacity())
        spans_.resize(static_cast<size_t>(checked::add(spanCapacity(), arrSizeIncr_)));
}

int32_t cGSpans::addGSpan(const std::string& gSpanStr, int32_t iFirst, double iLast) {
    // The last index arrives as a general number and is rounded like any number stored
    // into a 32-bit field.
    const double rounded = std::nearbyint(iLast);
    if (!(rounded >= INT32_MIN && rounded <= INT32_MAX))
        throw OverflowError();
    ensureSpanRoom();
    Span& s = spans_[static_cast<size_t>(numSpans_)];
    s = Span{gSpanStr, iFirst, static_cast<int32_t>(rounded), 0, nullptr};
    return numSpans_++;
}

int32_t cGSpans::coveringSpan(int32_t index) const {
    for (int32_t i = 0; i < numSpans_; ++i)
        if (spans_[i].iFirst <= index && index <= spans_[i].iLast)
            return i;
    return kNoSpan;
}

int32_t cGSpans::coveringSpan2(int32_t index) const {
    for (int32_t i = numSpans_ - 1; i >= 0; --i)
        if (spans_[i].iFirst <= index && index <= spans_[i].iLast)
            return i;
    return kNoSpan;
}

int32_t cGSpans::seachBack(const std::string& name) const {
    const std::string key = text::toLower(name);
    for (int32_t i = numSpans_ - 1; i >= 0; --i)
        if (text::toLower(spans_[i].gVal) == key)
            return i;
    return kNoSpan;
}

cGSpans::Span& cGSpans::at(int32_t iSpan) {
    return const_cast<Span&>(static_cast<const cGSpans*>(this)->at(iSpan));
}

const cGSpans::Span& cGSpans::at(int32_t iSpan) const {
    if (iSpan == kNewest)
        iSpan = numSpans_ - 1;
    if (iSpan < 0 || iSpan >= numSpans_)
        throw std::out_of_range("cGSpans: no span at that position");
    return spans_[static_cast<size_t>(iSpan)];
}

} // namespace notaro
