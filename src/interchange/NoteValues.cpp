#include "interchange/NoteValues.h"

#include "interchange/MeterGrid.h"

#include <algorithm>

namespace notaro::interchange {

namespace {

/// Lengths beyond this many grains are reduced with the longest values before the table is
/// asked; every length past the largest gap in the table can be written.
constexpr int64_t kTableGrains = 4096;

bool isPowerOfTwo(int32_t v) {
    return v > 0 && (v & (v - 1)) == 0;
}

} // namespace

NoteValues::NoteValues() {
    // Value v lasts 1/v of a whole note (v = 0: two), each dot adding half the last addition.
    for (int32_t v = 0; v <= 99; ++v) {
        for (int32_t dots = 0; dots <= 2; ++dots) {
            const int64_t num = dots == 0 ? 1 : dots == 1 ? 3 : 7;
            const int64_t den = static_cast<int64_t>(v == 0 ? 1 : v) << dots;
            const int64_t scaled = kUnitsPerWhole * num * (v == 0 ? 2 : 1);
            if (scaled % den != 0)
                continue;
            const WrittenValue w{v, dots, scaled / den};
            const auto same =
                std::find_if(values_.begin(), values_.end(),
                             [&](const WrittenValue& o) { return o.units == w.units; });
            if (same == values_.end()) {
                values_.push_back(w);
                continue;
            }
            // The plainest spelling of a length: a power-of-two value, then fewer dots.
            const auto rank = [](const WrittenValue& x) {
                return (isPowerOfTwo(x.value) || x.value == 0 ? 0 : 10) + x.dots;
            };
            if (rank(w) < rank(*same))
                *same = w;
        }
    }
    std::sort(values_.begin(), values_.end(),
              [](const WrittenValue& a, const WrittenValue& b) { return a.units > b.units; });
}

std::optional<WrittenValue> NoteValues::single(int64_t units) const {
    for (const WrittenValue& w : values_)
        if (w.units == units)
            return w;
    return std::nullopt;
}

const std::vector<bool>& NoteValues::reachable(int64_t grain) const {
    // A table once made never changes or moves (map nodes stay put), so it is read unlocked.
    const std::lock_guard<std::mutex> lock(mutex_);
    auto it = reachable_.find(grain);
    if (it != reachable_.end())
        return it->second;
    std::vector<int64_t> coins;
    for (const WrittenValue& w : values_)
        if (w.units % grain == 0)
            coins.push_back(w.units / grain);
    std::vector<bool> table(static_cast<size_t>(kTableGrains) + 1, false);
    table[0] = true;
    for (int64_t k = 1; k <= kTableGrains; ++k)
        for (const int64_t c : coins)
            if (c <= k && table[static_cast<size_t>(k - c)]) {
                table[static_cast<size_t>(k)] = true;
                break;
            }
    return reachable_.emplace(grain, std::move(table)).first->second;
}

std::vector<WrittenValue> NoteValues::split(int64_t units, int64_t grain) const {
    std::vector<WrittenValue> parts;
    if (units <= 0 || grain <= 0 || units % grain != 0)
        return parts;
    const std::vector<bool>& table = reachable(grain);
    int64_t left = units / grain;
    const auto fits = [&](int64_t k) { return k > kTableGrains || table[static_cast<size_t>(k)]; };
    if (!fits(left))
        return parts;
    while (left > 0) {
        const auto next = std::find_if(values_.begin(), values_.end(), [&](const WrittenValue& w) {
            return w.units % grain == 0 && w.units / grain <= left && fits(left - w.units / grain);
        });
        if (next == values_.end())
            return {};
        parts.push_back(*next);
        left -= next->units / grain;
    }
    return parts;
}

} // namespace notaro::interchange
