#include "midi/OnTimeRatio.h"

namespace notaro {

float onTimeRatio(const cDuration& dur, uint8_t staccatoLevel, const OnTimeRatios& ratios) {
    const OnRatioTable& table = staccatoLevel == 0 ? ratios.normal : ratios.staccato;
    if (dur.Numer() == 0)
        return staccatoLevel == 0 ? 0.875f : 0.5f;
    const float r = static_cast<float>(dur.Denom()) / static_cast<float>(dur.Numer());
    float p = 0.5f;
    float prev = 0.0f;
    size_t i = 0;
    for (; i < table.size(); ++i) {
        if (r == p)
            return table[i];
        if (r < p)
            break;
        prev = p;
        p *= 2.0f;
    }
    if (i == table.size())
        return table[table.size() - 1];
    if (i == 0)
        return table[0];
    const float t = (r - prev) / (p - prev);
    return (1.0f - t) * table[i - 1] + t * table[i];
}

} // namespace notaro
