#pragma once

#include <glimmer/t1Frame.h>

#include "controls/PropertyTable.h"

namespace glimmer {

/// The frame's data, kept out of the public header so that it can change without breaking
/// programs built against the library.
struct GLIMMER_NO_EXPORT t1Frame::Private {
    explicit Private(t1Frame* control) : q(control) {}

    t1Frame* q;
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

    /// The persisted properties: keys, defaults and initial values.
    static const PropertyTable<Private>& table();
    /// Every change is drawn at once (and may change the shape); Relayout: the strip or the
    /// caption, so the size hints too.
    void apply(unsigned effects);
    /// Masks out the inside of a see-through frame.
    void applyShape();
};

} // namespace glimmer
