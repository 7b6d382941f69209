#include "controls/PictureBlender.h"

#include <algorithm>
#include <cmath>

namespace glimmer {

int PictureBlender::greyValue(QRgb p) {
    const double redPart = std::nearbyint(0.3 * qRed(p));
    const double sum = redPart + 0.59 * qGreen(p) + 0.11 * qBlue(p);
    return std::clamp(int(std::nearbyint(sum)), 0, 255);
}

void PictureBlender::blend(QImage& surface, const QImage& source, QPoint at, Mode mode,
                           bool useMask, const QColor& mask, const QColor& silhouette) {
    const QImage picture = source.convertToFormat(QImage::Format_ARGB32);
    const QRgb maskRgb = mask.isValid() ? (mask.rgb() & 0xFFFFFFu) : 0;
    const bool masking = useMask && mask.isValid();
    for (int y = 0; y < picture.height(); ++y) {
        const int sy = at.y() + y;
        if (sy < 0 || sy >= surface.height())
            continue;
        const auto* in = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        auto* out = reinterpret_cast<QRgb*>(surface.scanLine(sy));
        for (int x = 0; x < picture.width(); ++x) {
            const int sx = at.x() + x;
            if (sx < 0 || sx >= surface.width())
                continue;
            const QRgb p = in[x];
            if (qAlpha(p) == 0 || (masking && (p & 0xFFFFFFu) == maskRgb))
                continue;
            const QRgb under = out[sx];
            switch (mode) {
            case Mode::Plain:
                out[sx] = qRgb(qRed(p), qGreen(p), qBlue(p));
                break;
            case Mode::Grey: {
                const int g = greyValue(p);
                out[sx] = qRgb(g, g, g);
                break;
            }
            case Mode::Faded:
                out[sx] = qRgb((2 * qRed(p) + qRed(under)) / 3, (2 * qGreen(p) + qGreen(under)) / 3,
                               (2 * qBlue(p) + qBlue(under)) / 3);
                break;
            case Mode::Silhouette:
                if (qRed(p) + qGreen(p) + qBlue(p) <= 384)
                    out[sx] = silhouette.rgb();
                break;
            }
        }
    }
}

} // namespace glimmer
