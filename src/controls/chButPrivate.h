#pragma once

#include <glimmer/OleColor.h>
#include <glimmer/chBut.h>

#include "controls/ButtonColors.h"

#include <QImage>
#include <QPixmap>
#include <QTimer>

namespace glimmer {

/// The button's data, kept out of the public header so that it can change without breaking
/// programs built against the library.
struct chBut::Private {
    // persisted properties
    quint32 backColor = OleColor::ButtonFace;
    quint32 backOver = OleColor::ButtonFace;
    quint32 foreColor = OleColor::ButtonText;
    quint32 foreOver = OleColor::ButtonText;
    quint32 maskColor = 0xC0C0C0;
    ButtonTypes buttonType = Windows32Bit;
    QString caption;
    ColorTypes colorScheme = UseWindows;
    bool showFocusRect = true;
    short mousePointer = 0;
    QPixmap mouseIcon;
    bool handPointer = false;
    bool softBevel = false;
    QPixmap pictureNormal;
    QPixmap pictureOver;
    PicPositions picturePosition = cbLeft;
    bool useMaskColor = true;
    bool useGreyscale = false;
    fx specialEffect = cbNone;
    bool checkBoxBehaviour = false;
    bool value = false;

    // host ambient values
    bool displayAsDefault = false;
    bool designMode = false;

    // drawing and input state
    Qt::MouseButton lastButton = Qt::NoButton;
    int lastKey = 0;
    bool hasFocus = false;
    bool hover = false;
    int lastState = StateNormal;
    int drawnState = -1;
    bool quiet = false;
    QString lastCaption;
    bool suspended = false;
    bool silentFont = false;
    int wi = 0;
    int he = 0;
    QRect textRect;
    int wrapWidth = 0;
    QRect pictureRect;
    QRect focusRect;
    QChar accessKey;
    int shortcutId = 0;
    ButtonColors colors;
    QImage surface;
    QTimer hoverTimer;
};

} // namespace glimmer
