#pragma once

#include <glimmer/OleColor.h>
#include <glimmer/tkHLink.h>

#include <QDesktopServices>

namespace glimmer {

/// The hyperlink's data, kept out of the public header so that it can change without breaking
/// programs built against the library.
struct tkHLink::Private {
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
};

} // namespace glimmer
