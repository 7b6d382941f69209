#pragma once

#include <QColor>
#include <QtGlobal>

class QPainter;
class QPalette;
class QRect;

namespace glimmer::gradient {

// The two-colour gradients shared by the caption bar and the gradient panel.

/// The appearance that takes its colours from the control's own colour properties; every
/// appearance above the named ones does the same.
constexpr int CustomAppearance = 14;

struct ColorPair {
    quint32 first;
    quint32 second;
};

/// The colours (0x00BBGGRR) of @p appearance, or @p custom for Custom and beyond.
ColorPair colorsFor(int appearance, ColorPair custom);
/// Fills @p area with a linear gradient: across for left-to-right (0) and right-to-left (2),
/// down for top-to-bottom (1) and bottom-to-top (3), the two colours swapped for 2 and 3.
void paint(QPainter& painter, const QRect& area, int direction, QColor first, QColor second);

} // namespace glimmer::gradient
