#pragma once

#include "controls/ButtonColors.h"

#include <glimmer/glimmer_export.h>

#include <QFont>
#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>

namespace glimmer {

/// Everything that decides how a button looks at one moment.
struct ButtonLook {
    int type = 2;         ///< ButtonTypes value
    bool pressed = false; ///< drawn pressed (mouse, Space, or a latched toggle)
    bool hovered = false;
    bool enabled = true;
    bool focused = false;
    bool isDefault =
        false; ///< shown as the host's default button (only while the focus mark is on)
    bool showFocusRect = true;
    bool soft = false;
    int effect = 0; ///< fx value
    QString caption;
    QFont font;
    QRect textRect;
    int wrapWidth = 0; ///< width the caption was wrapped in when measured
    QRect pictureRect;
    QRect focusRect;
    QImage picture;          ///< the picture to show now (null: none)
    int picturePosition = 0; ///< PicPositions value
    bool useMask = true;
    bool greyscale = false;
    ButtonColors colors;
};

/// Draws a whole button onto its surface: background and frame, caption, picture, focus mark.
class ButtonPainter {
public:
    /// Paints @p look over the whole of @p surface (32-bit RGB).
    static void paint(QImage& surface, const ButtonLook& look);
    /// The button of @p size (in logical pixels) at device pixel ratio @p ratio: frame, focus
    /// mark and background keep their pixel looks, each pixel @p ratio device pixels wide; the
    /// caption is drawn at device resolution and the picture from its own device pixels, so
    /// that neither is a scaled-up copy. At ratio 1 it is what paint draws.
    static QImage paintAt(QSize size, qreal ratio, const ButtonLook& look);

    /// Text flags used to measure and draw captions.
    static int captionFlags();

private:
    static void paintCaption(QImage& surface, const ButtonLook& look);
    /// @p step: device pixels of one logical pixel, the offset of a pressed picture.
    static void paintPicture(QImage& surface, const ButtonLook& look, int step = 1);
};

} // namespace glimmer
