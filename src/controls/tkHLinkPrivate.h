#pragma once

#include <glimmer/OleColor.h>
#include <glimmer/tkHLink.h>

#include "controls/PropertyTable.h"

#include <QDesktopServices>
#include <QLabel>

namespace glimmer {

/// The hyperlink's data, kept out of the public header so that it can change without breaking
/// programs built against the library.
struct GLIMMER_NO_EXPORT tkHLink::Private {
    explicit Private(tkHLink* control) : q(control) {}

    tkHLink* q;
    QLabel* label = nullptr; ///< owned by the control as its child
    quint32 backColor = OleColor::ButtonFace;
    short backStyle = 1;
    BorderStyles borderStyle = NoBorder;
    Alignments alignment = LeftJustify;
    bool autoSize = false;
    quint32 activeColor = 0xC00000;
    quint32 visitedColor = 0x800080;
    bool singleClick = true;
    QString url;
    bool leftPressed = false;
    bool quiet = false; ///< reading the bag: no change notifications
    Opener opener = [](const QUrl& url) { QDesktopServices::openUrl(url); };

    /// The persisted properties: keys, defaults, initial values and what a change redoes.
    static const PropertyTable<Private>& table();
    /// Brings the surface and the label up to date after a property changed.
    void apply(unsigned effects);
    void openLink();
    void applyColours();
    bool applyingColours = false; ///< its own palette is being set: not a host change
    void applyBorder();
    void applyAlignment();
    /// Sizes the label to its text and the control to the label.
    void fitToLabel();

    // What the label keeps: its font, its text and the underline of its font.
    static QFont font(const Private& d) { return d.label->font(); }
    static QString caption(const Private& d) { return d.label->text(); }
    static bool underlined(const Private& d) { return d.label->font().underline(); }
};

} // namespace glimmer
