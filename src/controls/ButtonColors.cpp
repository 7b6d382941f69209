#include "controls/ButtonColors.h"

#include "controls/ColorMath.h"

#include <glimmer/OleColor.h>

namespace glimmer {

namespace {

void deriveFromFace(ButtonColors& c, bool soft) {
    c.light = ColorMath::shift(c.face, 31, false, soft);
    c.shadow = ColorMath::shift(c.face, -64, false, soft);
    c.darkShadow = ColorMath::shift(c.face, -192, false, soft);
    c.highlight = ColorMath::shift(c.face, 47, false, soft);
}

void systemBevel(ButtonColors& c, const QPalette& p) {
    c.light = OleColor::toColor(0x80000016u, p);
    c.shadow = OleColor::toColor(0x80000010u, p);
    c.darkShadow = OleColor::toColor(0x80000015u, p);
    c.highlight = OleColor::toColor(0x80000014u, p);
}

void systemHot(ButtonColors& c, const QPalette& p) {
    c.hot = OleColor::toColor(OleColor::Highlight, p);
    c.hotFill = ColorMath::lighten(c.hot, 176);
}

} // namespace

ButtonColors ButtonColors::compute(const Input& in) {
    ButtonColors c;
    switch (in.scheme) {
    case 2: // custom
        c.face = OleColor::toColor(in.backColor, in.own);
        c.faceOver = OleColor::toColor(in.backOver, in.own);
        c.text = OleColor::toColor(in.foreColor, in.own);
        c.textOver = OleColor::toColor(in.foreOver, in.own);
        deriveFromFace(c, in.soft);
        c.hot = ColorMath::shift(c.face, -128, false, in.soft);
        c.hotFill = c.face;
        break;
    case 3: // the classic grey look whatever the desktop uses
        c.face = c.faceOver = QColor(0xC0, 0xC0, 0xC0);
        c.text = c.textOver = QColor(0, 0, 0);
        c.light = QColor(0xDF, 0xDF, 0xDF);
        c.shadow = QColor(0x80, 0x80, 0x80);
        c.darkShadow = QColor(0, 0, 0);
        c.highlight = QColor(0xFF, 0xFF, 0xFF);
        c.hot = QColor(0x00, 0x00, 0x80);
        c.hotFill = QColor(0xAD, 0xAD, 0xD1);
        break;
    case 4: // the host window's colours
        c.face = c.faceOver = in.host.color(QPalette::Active, QPalette::Window);
        c.text = c.textOver = in.host.color(QPalette::Active, QPalette::WindowText);
        deriveFromFace(c, in.soft);
        systemHot(c, in.own);
        break;
    default: // system colours
        c.face = c.faceOver = OleColor::toColor(OleColor::ButtonFace, in.own);
        c.text = c.textOver = OleColor::toColor(OleColor::ButtonText, in.own);
        systemBevel(c, in.own);
        systemHot(c, in.own);
        break;
    }
    c.pressedFill = in.scheme == 2 ? ColorMath::shift(c.hotFill, -32, false, in.soft)
                                   : ColorMath::lighten(c.hot, 128);
    c.mask = OleColor::toColor(in.maskColor, in.own);
    c.xpFace = ColorMath::shift(c.face, 48, in.xpStyle, in.soft);
    return c;
}

} // namespace glimmer
