#include "controls/ButtonBackground.h"

#include "controls/ColorMath.h"

#include <glimmer/OleColor.h>

#include <cmath>

namespace glimmer {

namespace {

QColor plain(quint32 value) {
    return OleColor::toColor(value, QPalette());
}

/// The five rim colours of the XP style, in drawing order.
struct Rim {
    QColor outline, bottom, top1, top2, sides;
};

const Rim hoverRim{plain(0x31B2FF), plain(0x0096E7), plain(0xCEF3FF), plain(0x8CDBFF),
                   plain(0x6BCBFF)};
const Rim focusRim{plain(0xE7AE8C), plain(0xEF826B), plain(0xFFE7CE), plain(0xF7D7BD),
                   plain(0xF0D1B5)};

void drawRim(PixelCanvas& cv, const Rim& rim) {
    const int w = cv.width();
    const int h = cv.height();
    cv.outline(1, 2, w - 2, h - 3, rim.outline);
    cv.hline(2, w - 3, h - 2, rim.bottom);
    cv.hline(2, w - 3, 1, rim.top1);
    cv.hline(2, w - 3, 2, rim.top2);
    cv.vline(2, 2, h - 3, rim.sides);
    cv.vline(w - 3, 2, h - 3, rim.sides);
}

/// Inner shading lines, one colour per line: bottom, above bottom, right, left of right, top,
/// below top, left, right of left.
void drawShading(PixelCanvas& cv, const QColor (&c)[8]) {
    const int w = cv.width();
    const int h = cv.height();
    cv.hline(2, w - 3, h - 2, c[0]);
    cv.hline(2, w - 3, h - 3, c[1]);
    cv.vline(w - 2, 2, h - 3, c[2]);
    cv.vline(w - 3, 2, h - 3, c[3]);
    cv.hline(2, w - 3, 1, c[4]);
    cv.hline(2, w - 3, 2, c[5]);
    cv.vline(1, 2, h - 3, c[6]);
    cv.vline(2, 2, h - 3, c[7]);
}

void drawCorners(PixelCanvas& cv, const QColor& c) {
    const int w = cv.width();
    const int h = cv.height();
    cv.pixel(1, 1, c);
    cv.pixel(1, h - 2, c);
    cv.pixel(w - 2, 1, c);
    cv.pixel(w - 2, h - 2, c);
}

/// The vertical gradient: row i (1..height) darkens by 25 ÷ height × i, rounded half to even.
void drawGradient(PixelCanvas& cv, const QColor& base, bool soft) {
    const int h = cv.height();
    for (int i = 1; i <= h; ++i) {
        const int v = int(std::nearbyint(-(25.0 / h) * i));
        cv.hline(0, cv.width() - 1, i, ColorMath::shift(base, v, true, soft));
    }
}

} // namespace

void ButtonBackground::bevel(PixelCanvas& cv, const QColor& a, const QColor& b, const QColor& c,
                             const QColor& d, int inset) {
    const int x0 = inset;
    const int y0 = inset;
    const int x1 = cv.width() - 1 - inset;
    const int y1 = cv.height() - 1 - inset;
    cv.hline(x0, x1 - 1, y0, a);
    cv.vline(x0, y0, y1 - 1, a);
    cv.hline(x0, x1, y1, b);
    cv.vline(x1, y0, y1, b);
    if (!c.isValid())
        return;
    cv.hline(x0 + 1, x1 - 2, y0 + 1, c);
    cv.vline(x0 + 1, y0 + 1, y1 - 2, c);
    cv.hline(x0 + 1, x1 - 1, y1 - 1, d);
    cv.vline(x1 - 1, y0 + 1, y1 - 1, d);
}

void ButtonBackground::paint(PixelCanvas& cv, const ButtonLook& look) {
    const ButtonColors& k = look.colors;
    cv.fill(0, 0, cv.width() - 1, cv.height() - 1, look.hovered ? k.faceOver : k.face);
    const QColor none;
    switch (look.type) {
    case 1: // simple flat: always framed, the frame inverts when pressed
        if (look.pressed && look.enabled)
            bevel(cv, k.shadow, k.highlight, none, none);
        else
            bevel(cv, k.highlight, k.shadow, none, none);
        break;
    case 5: // flat frame only while hovered or pressed
        if (!look.enabled)
            break;
        if (look.pressed)
            bevel(cv, k.shadow, k.highlight, none, none);
        else if (look.hovered)
            bevel(cv, k.highlight, k.shadow, none, none);
        break;
    case 6: // full bevel only while hovered or pressed
        if (!look.enabled)
            break;
        if (look.pressed)
            bevel(cv, k.darkShadow, k.highlight, k.shadow, k.light);
        else if (look.hovered)
            bevel(cv, k.highlight, k.darkShadow, k.light, k.shadow);
        break;
    case 3:
        paintWindowsXP(cv, look);
        break;
    case 4:
        paintOfficeXP(cv, look);
        break;
    default:
        paintWindows32(cv, look);
        break;
    }
}

void ButtonBackground::paintWindows32(PixelCanvas& cv, const ButtonLook& look) {
    const ButtonColors& k = look.colors;
    const int w = cv.width();
    const int h = cv.height();
    if (!look.enabled) {
        bevel(cv, k.highlight, k.darkShadow, k.light, k.shadow);
    } else if (look.pressed) {
        if (look.isDefault) {
            cv.outline(0, 0, w - 1, h - 1, k.darkShadow);
            cv.outline(1, 1, w - 2, h - 2, k.shadow);
        } else {
            bevel(cv, k.darkShadow, k.highlight, k.shadow, k.light);
        }
    } else if (look.isDefault) {
        cv.outline(0, 0, w - 1, h - 1, k.darkShadow);
        bevel(cv, k.highlight, k.darkShadow, k.light, k.shadow, 1);
    } else {
        bevel(cv, k.highlight, k.darkShadow, k.light, k.shadow);
    }
}

void ButtonBackground::paintOfficeXP(PixelCanvas& cv, const ButtonLook& look) {
    if (!look.enabled)
        return;
    const ButtonColors& k = look.colors;
    const int w = cv.width();
    const int h = cv.height();
    // A latched toggle must stay visible when the pointer is elsewhere, so pressed always fills.
    if (look.pressed) {
        cv.fill(1, 1, w - 2, h - 2, k.pressedFill);
        cv.outline(0, 0, w - 1, h - 1, k.hot);
    } else if (look.hovered) {
        cv.fill(1, 1, w - 2, h - 2, k.hotFill);
        cv.outline(0, 0, w - 1, h - 1, k.hot);
    }
}

void ButtonBackground::paintWindowsXP(PixelCanvas& cv, const ButtonLook& look) {
    const ButtonColors& k = look.colors;
    const int w = cv.width();
    const int h = cv.height();
    const bool s = look.soft;
    auto sh = [s](const QColor& c, int v) { return ColorMath::shift(c, v, true, s); };
    if (!look.enabled) {
        cv.fill(0, 0, w - 1, h - 1, sh(k.xpFace, -24));
        cv.outline(0, 0, w - 1, h - 1, sh(k.xpFace, -84));
        drawCorners(cv, sh(k.xpFace, -72));
        return;
    }
    const QColor base = look.pressed ? sh(k.xpFace, -32) : k.xpFace;
    drawGradient(cv, base, s);
    cv.outline(0, 0, w - 1, h - 1, plain(0x733C00));
    drawCorners(cv, plain(0x7B4D10));
    if (look.pressed) {
        const QColor lines[8] = {sh(base, 16),  sh(base, 10),  sh(base, 5),   k.xpFace,
                                 sh(base, -32), sh(base, -24), sh(base, -32), sh(base, -22)};
        drawShading(cv, lines);
    } else if (look.hovered) {
        drawRim(cv, hoverRim);
    } else if ((look.focused && look.showFocusRect) || look.isDefault) {
        drawRim(cv, focusRim);
    } else {
        const QColor lines[8] = {sh(base, -48), sh(base, -32), sh(base, -36), sh(base, -24),
                                 sh(base, 16),  sh(base, 10),  sh(base, -5),  sh(base, -10)};
        drawShading(cv, lines);
    }
}

} // namespace glimmer
