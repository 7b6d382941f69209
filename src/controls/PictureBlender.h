#pragma once

#include <glimmer/glimmer_export.h>

#include <QColor>
#include <QImage>
#include <QPoint>

namespace glimmer {

/// Combines a picture with the surface beneath it pixel by pixel.
class PictureBlender {
public:
    enum class Mode {
        Plain,      ///< the picture's pixels replace the surface
        Grey,       ///< grey value 0.3 r + 0.59 g + 0.11 b in all three channels
        Faded,      ///< each channel (2 × picture + surface) ÷ 3
        Silhouette, ///< only dark pixels (r + g + b ≤ 384), all in one colour
    };

    /// Draws @p picture onto @p surface with its top-left corner at @p at.
    /// @param mask pixels of this colour stay transparent when @p useMask (invalid: none)
    /// @param silhouette the colour of Silhouette mode
    /// Fully transparent picture pixels are always left out.
    static void blend(QImage& surface, const QImage& picture, QPoint at, Mode mode, bool useMask,
                      const QColor& mask, const QColor& silhouette = QColor());

    /// The grey value of one pixel as the Grey mode computes it.
    static int greyValue(QRgb pixel);
};

} // namespace glimmer
