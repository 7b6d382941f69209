#include "controls/GradientPalette.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRect>

#include <array>

namespace glimmer::gradient {

namespace {

// Autumn, Spring, Summer, Winter, Purple, Pink, Blue, Yellow, Brown, GrayOrang, NeonBlue,
// NeonGreen, HardGray, SoftGray.
constexpr std::array<ColorPair, 14> Named = {{{0x406060, 0x80A0A0},
                                              {0x004020, 0x60A080},
                                              {0x000040, 0x4060D0},
                                              {0x806060, 0xF0F0F0},
                                              {0x400040, 0xA090A0},
                                              {0x707080, 0xA0A0D0},
                                              {0xA08070, 0x402020},
                                              {0x20A0A0, 0x80F0F0},
                                              {0x203080, 0x60F0F0},
                                              {0xCCCCCC, 0xFFFFFF},
                                              {0x444444, 0xFFCC22},
                                              {0x444444, 0xCCCC22},
                                              {0x111111, 0x777777},
                                              {0xAAAAAA, 0xEEEEEE}}};

} // namespace

ColorPair colorsFor(int appearance, ColorPair custom) {
    if (appearance >= 0 && appearance < static_cast<int>(Named.size()))
        return Named[static_cast<size_t>(appearance)];
    return custom;
}

void paint(QPainter& painter, const QRect& area, int direction, QColor first, QColor second) {
    if (direction == 2 || direction == 3)
        std::swap(first, second);
    const bool across = direction == 0 || direction == 2;
    // Pixel centres of the first and last column (or row), so both ends show the pure colours.
    const QPointF from(area.left() + 0.5, area.top() + 0.5);
    const QPointF to =
        across ? QPointF(area.right() + 0.5, from.y()) : QPointF(from.x(), area.bottom() + 0.5);
    QLinearGradient g(from, to);
    g.setColorAt(0.0, first);
    g.setColorAt(1.0, second);
    painter.fillRect(area, g);
}

} // namespace glimmer::gradient
