#include "controls/PixelCanvas.h"

#include <algorithm>

namespace glimmer {

void PixelCanvas::pixel(int x, int y, const QColor& c) {
    if (x >= 0 && y >= 0 && x < width() && y < height())
        m_image.setPixel(x, y, c.rgb());
}

void PixelCanvas::fill(int x1, int y1, int x2, int y2, const QColor& c) {
    x1 = std::max(x1, 0);
    y1 = std::max(y1, 0);
    x2 = std::min(x2, width() - 1);
    y2 = std::min(y2, height() - 1);
    const QRgb rgb = c.rgb();
    for (int y = y1; y <= y2; ++y) {
        auto* line = reinterpret_cast<QRgb*>(m_image.scanLine(y));
        for (int x = x1; x <= x2; ++x)
            line[x] = rgb;
    }
}

void PixelCanvas::hline(int x1, int x2, int y, const QColor& c) {
    fill(x1, y, x2, y, c);
}

void PixelCanvas::vline(int x, int y1, int y2, const QColor& c) {
    fill(x, y1, x, y2, c);
}

void PixelCanvas::outline(int x1, int y1, int x2, int y2, const QColor& c) {
    hline(x1, x2, y1, c);
    hline(x1, x2, y2, c);
    vline(x1, y1, y2, c);
    vline(x2, y1, y2, c);
}

void PixelCanvas::dottedOutline(const QRect& r, const QColor& c) {
    if (r.width() < 1 || r.height() < 1)
        return;
    auto dot = [&](int x, int y) {
        if (((x - r.left()) + (y - r.top())) % 2 == 0)
            pixel(x, y, c);
    };
    for (int x = r.left(); x <= r.right(); ++x) {
        dot(x, r.top());
        dot(x, r.bottom());
    }
    for (int y = r.top(); y <= r.bottom(); ++y) {
        dot(r.left(), y);
        dot(r.right(), y);
    }
}

} // namespace glimmer
