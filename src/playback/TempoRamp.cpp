#include "playback/TempoRamp.h"

#include <algorithm>

namespace notaro::playback {

namespace {

bool inTempoRange(int32_t percent) noexcept {
    return percent >= kMinTempoPercent && percent <= kMaxTempoPercent;
}

} // namespace

bool TempoRamp::isValid() const noexcept {
    return inTempoRange(startPercent) && inTempoRange(ceilingPercent) && stepPercent >= 1 &&
           stepPercent <= 100 && ceilingPercent >= startPercent;
}

int32_t TempoRamp::next(int32_t current) const noexcept {
    if (!on || current >= ceilingPercent)
        return current;
    return std::min(current + stepPercent, ceilingPercent);
}

} // namespace notaro::playback
