#pragma once

#include "app/shell/ShellServices.h"

#include <QFontMetrics>
#include <QRect>
#include <QWidget>

#include <algorithm>

namespace notaro::app {

/// Turns the design's twips into logical pixels: 15 twips a pixel with the usual desktop font
/// (14 pixels a line), proportionally more with a larger one, so texts keep fitting their
/// controls.
struct TwipScale {
    explicit TwipScale(const QWidget& w)
        : factor(std::max(1.0, w.fontMetrics().height() / 14.0) / kTwipsPerPixel) {}
    int operator()(int twips) const { return qRound(twips * factor); }
    QRect operator()(int left, int top, int width, int height) const {
        return {(*this)(left), (*this)(top), (*this)(width), (*this)(height)};
    }
    double factor;
};

} // namespace notaro::app
