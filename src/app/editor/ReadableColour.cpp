#include "app/editor/ReadableColour.h"

#include <algorithm>
#include <cmath>

namespace notaro::app {

namespace {

double linear(double channel) {
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

QColor mixed(const QColor& from, const QColor& to, double share) {
    const auto mix = [share](double a, double b) { return a + (b - a) * share; };
    return QColor::fromRgbF(float(mix(from.redF(), to.redF())),
                            float(mix(from.greenF(), to.greenF())),
                            float(mix(from.blueF(), to.blueF())));
}

} // namespace

double relativeLuminance(const QColor& colour) {
    const QColor c = colour.toRgb();
    return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
}

double contrastRatio(const QColor& a, const QColor& b) {
    const double la = relativeLuminance(a);
    const double lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor readableOn(const QColor& colour, const QColor& background, double minimum) {
    if (contrastRatio(colour, background) >= minimum)
        return colour;
    // Towards whichever end of the scale stands further from the background.
    const QColor end = contrastRatio(Qt::black, background) >= contrastRatio(Qt::white, background)
                           ? QColor(Qt::black)
                           : QColor(Qt::white);
    // Contrast grows with the share of the end colour, so the least share is found by halving.
    double low = 0.0;
    double high = 1.0;
    for (int i = 0; i < 20; ++i) {
        const double mid = (low + high) / 2;
        (contrastRatio(mixed(colour, end, mid), background) >= minimum ? high : low) = mid;
    }
    // Whole 8-bit channels round either way, so the result is checked after rounding.
    QColor result = mixed(colour, end, high).toRgb();
    result = QColor(result.rgb());
    while (contrastRatio(result, background) < minimum && high < 1.0) {
        high = std::min(1.0, high + 0.01);
        result = QColor(mixed(colour, end, high).rgb());
    }
    return result;
}

} // namespace notaro::app
