#pragma once

#include <glimmer/t1Frame.h>

namespace glimmer {

/// The frame's data, kept out of the public header so that it can change without breaking
/// programs built against the library.
struct t1Frame::Private {
    quint32 bottomColor = 0x808080;
    quint32 topColor = 0xFFFFFF;
    bool hasTape = true;
    int tapeHeight = 17;
    bool tape3D = true;
    QString caption;
    quint32 foreColor = 0;
    quint32 backColor = 0xC0C0C0;
    quint32 inBackColor = 0xE0E0E0;
    tf_HAlign hAlign = tf_Center;
    tf_VAlign vAlign = tf_Middle;
    tf_BackStyle backStyle = Opaque;
    bool painting = false;
    bool shown = false;
    bool quiet = false;

    /// The strip is drawn only when it is on and at least a pixel high.
    bool tapeShown() const { return hasTape && tapeHeight >= 1; }
};

} // namespace glimmer
