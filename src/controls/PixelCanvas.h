#pragma once

#include <glimmer/glimmer_export.h>

#include <QColor>
#include <QImage>

namespace glimmer {

/// Exact pixel drawing on an image: every coordinate pair is inclusive and clipped to the image.
/// Controls draw their frames with it because their looks are fixed pixel by pixel.
class PixelCanvas {
public:
    explicit PixelCanvas(QImage& image) : m_image(image) {}

    int width() const { return m_image.width(); }
    int height() const { return m_image.height(); }

    void pixel(int x, int y, const QColor& c);
    void hline(int x1, int x2, int y, const QColor& c);
    void vline(int x, int y1, int y2, const QColor& c);
    void fill(int x1, int y1, int x2, int y2, const QColor& c);
    /// The one-pixel outline of the rectangle from (x1, y1) to (x2, y2).
    void outline(int x1, int y1, int x2, int y2, const QColor& c);
    /// A dotted outline (every other pixel, starting at the top-left corner).
    void dottedOutline(const QRect& r, const QColor& c);

private:
    QImage& m_image;
};

} // namespace glimmer
