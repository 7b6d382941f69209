#include "controls/ButtonPainter.h"

#include "controls/ButtonBackground.h"
#include "controls/ColorMath.h"
#include "controls/PictureBlender.h"

#include <QPainter>

namespace glimmer {

namespace {

void drawText(QPainter& p, const ButtonLook& look, const QRect& r, const QColor& c) {
    // Wrapping in the measured width itself can break lines that fit when measured (the access
    // key marker counts while drawing), so the caption is drawn in the width it was measured in,
    // centred on the same axis, and never clipped.
    const int w = qMax(look.wrapWidth, r.width());
    const QRect wide(r.left() + (r.width() - w) / 2, r.top(), w, r.height());
    p.setPen(c);
    p.drawText(wide, ButtonPainter::captionFlags() | Qt::TextDontClip, look.caption);
}

} // namespace

int ButtonPainter::captionFlags() {
    return Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap | Qt::TextShowMnemonic;
}

void ButtonPainter::paint(QImage& surface, const ButtonLook& look) {
    PixelCanvas canvas(surface);
    ButtonBackground::paint(canvas, look);
    paintCaption(surface, look);
    paintPicture(surface, look);
    // A background picture would hide the caption, so it is drawn once more on top.
    if (look.picturePosition == 4 && !look.picture.isNull())
        paintCaption(surface, look);
    if (look.showFocusRect && look.focused && look.enabled && look.type != 3)
        canvas.dottedOutline(look.focusRect, look.colors.text);
}

QImage ButtonPainter::paintAt(QSize size, qreal ratio, const ButtonLook& look) {
    QImage low(size, QImage::Format_RGB32);
    if (ratio == 1.0) {
        paint(low, look);
        return low;
    }
    PixelCanvas canvas(low);
    ButtonBackground::paint(canvas, look);
    if (look.showFocusRect && look.focused && look.enabled && look.type != 3)
        canvas.dottedOutline(look.focusRect, look.colors.text);
    QImage high = low.scaled(QSize(qRound(size.width() * ratio), qRound(size.height() * ratio)),
                             Qt::IgnoreAspectRatio, Qt::FastTransformation);
    high.setDevicePixelRatio(ratio);
    paintCaption(high, look);
    if (!look.picture.isNull()) {
        // The picture's device pixels, placed at the device position of its logical corner.
        ButtonLook device = look;
        const QSizeF shown = look.picture.deviceIndependentSize() * ratio;
        device.picture = look.picture.size() == shown.toSize()
                             ? look.picture
                             : look.picture.scaled(shown.toSize(), Qt::IgnoreAspectRatio,
                                                   Qt::SmoothTransformation);
        device.pictureRect.moveTopLeft(look.pictureRect.topLeft() * ratio);
        paintPicture(high, device, qRound(ratio));
        if (look.picturePosition == 4)
            paintCaption(high, look);
    }
    return high;
}

void ButtonPainter::paintCaption(QImage& surface, const ButtonLook& look) {
    if (look.caption.isEmpty())
        return;
    const ButtonColors& k = look.colors;
    QPainter p(&surface);
    p.setFont(look.font);
    const QRect r = look.textRect;
    if (!look.enabled) {
        if (look.type == 3) {
            drawText(p, look, r, ColorMath::shift(k.xpFace, -104, true, look.soft));
        } else if (look.type == 4) {
            drawText(p, look, r, k.shadow);
        } else {
            drawText(p, look, r.translated(1, 1), k.highlight);
            drawText(p, look, r, k.shadow);
        }
        return;
    }
    const QRect at = look.pressed ? r.translated(1, 1) : r;
    QColor base = look.hovered ? k.faceOver : k.face;
    if (look.type == 3)
        base = k.xpFace;
    else if (look.type == 4 && look.hovered)
        base = k.hotFill;
    const QColor darker = ColorMath::shift(base, -40, false, look.soft);
    const QColor lighter = ColorMath::shift(base, 40, false, look.soft);
    switch (look.effect) {
    case 1: // embossed
        drawText(p, look, at.translated(1, 1), darker);
        drawText(p, look, at.translated(-1, -1), lighter);
        break;
    case 2: // engraved
        drawText(p, look, at.translated(1, 1), lighter);
        drawText(p, look, at.translated(-1, -1), darker);
        break;
    case 3: // shadowed
        drawText(p, look, at.translated(1, 1), darker);
        break;
    default:
        break;
    }
    drawText(p, look, at, look.hovered ? k.textOver : k.text);
}

void ButtonPainter::paintPicture(QImage& surface, const ButtonLook& look, int step) {
    if (look.picture.isNull())
        return;
    using Mode = PictureBlender::Mode;
    const ButtonColors& k = look.colors;
    const QPoint at = look.pictureRect.topLeft();
    const QPoint down = at + QPoint(step, step);
    auto blend = [&](QPoint pos, Mode mode, const QColor& silhouette = QColor()) {
        PictureBlender::blend(surface, look.picture, pos, mode, look.useMask, k.mask, silhouette);
    };
    if (!look.enabled) {
        if (look.type == 3) {
            blend(down, Mode::Grey);
        } else if (look.type == 4) {
            blend(at, Mode::Silhouette, ColorMath::shift(k.shadow, 13, false, look.soft));
        } else {
            blend(down, Mode::Silhouette, k.highlight);
            blend(at, Mode::Silhouette, k.shadow);
        }
        return;
    }
    if (look.type == 4 && look.hovered && !look.pressed) {
        blend(down, Mode::Silhouette, k.shadow);
        blend(at - QPoint(step, step), Mode::Plain);
        return;
    }
    Mode mode = Mode::Plain;
    if (look.greyscale && !look.hovered)
        mode = Mode::Grey;
    else if (look.type == 4 && !look.hovered)
        mode = Mode::Faded;
    blend(look.pressed ? down : at, mode);
}

} // namespace glimmer
