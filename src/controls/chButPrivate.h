#pragma once

#include <glimmer/OleColor.h>
#include <glimmer/chBut.h>

#include "controls/ButtonColors.h"
#include "controls/PropertyTable.h"

#include <QImage>
#include <QPixmap>

namespace glimmer {

/// The button's data, kept out of the public header so that it can change without breaking
/// programs built against the library.
struct GLIMMER_NO_EXPORT chBut::Private {
    explicit Private(chBut* control) : q(control) {}

    chBut* q;
    bool quiet = false; ///< reading a bag: no change reports

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

    /// The persisted properties: keys, defaults, initial values and what a change redoes.
    static const PropertyTable<Private>& table();
    /// Brings the button up to date after a property changed (the effects of chButProperties.cpp).
    void apply(unsigned effects);
    /// Brings access key, cursor, region, colours and layout up to date after a bag was read or
    /// initial values were given, and redraws in @p state.
    void applyAll(int state);
    /// Sets a font attribute's font; the change is not reported (the Font property is).
    void setFontSilently(const QFont& f);

    /// Draws the surface in @p state; unless @p force, only when state or caption changed.
    void redraw(int state, bool force);
    void setColors();
    void layoutCaption();
    void updateRegion();
    void updateAccessKey();
    void updateCursor();
    bool paintingAllowed() const;
    /// Distance of the focus rectangle from the edge.
    int inset() const;
    /// The caption on one line and the picture where PicturePosition puts it.
    QSize contentSize() const;
    void doClick();
    void pressAt(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPointF pos);
};

} // namespace glimmer
