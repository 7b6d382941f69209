#pragma once

#include <glimmer/glimmer_export.h>

#include <QColor>
#include <QPalette>

namespace glimmer {

/// The colours a button draws with, derived from its colour scheme.
struct ButtonColors {
    QColor face, faceOver, text, textOver;
    QColor light, shadow, darkShadow, highlight;
    QColor hot, hotFill, mask, xpFace;
    QColor pressedFill; ///< office-style fill while pressed

    /// What the colour set is derived from.
    struct Input {
        int scheme = 1; ///< 1 system, 2 custom, 3 fixed standard, 4 host window
        quint32 backColor = 0, backOver = 0, foreColor = 0, foreOver = 0, maskColor = 0xC0C0C0;
        bool soft = false;    ///< halve every shift
        bool xpStyle = false; ///< the button draws the XP style (xpFace then shifts in XP mode)
        QPalette own;         ///< the button's palette (system colours)
        QPalette host;        ///< the host window's palette (container scheme)
    };

    /// Computes the whole set.
    static ButtonColors compute(const Input& in);
};

} // namespace glimmer
