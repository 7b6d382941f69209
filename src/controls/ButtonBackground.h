#pragma once

#include "controls/ButtonPainter.h"
#include "controls/PixelCanvas.h"

namespace glimmer {

/// The face fill and the frame of each button style in each state.
class ButtonBackground {
public:
    /// Fills the face and draws the frame for @p look.
    static void paint(PixelCanvas& canvas, const ButtonLook& look);

    /// The classic two-pixel bevel; an invalid @p c draws only the outer (flat) pair.
    /// @param a top-left outer line  @param b bottom-right outer line
    /// @param c top-left inner line  @param d bottom-right inner line
    /// @param inset distance of the outer lines from the surface edge
    static void bevel(PixelCanvas& canvas, const QColor& a, const QColor& b, const QColor& c,
                      const QColor& d, int inset = 0);

private:
    static void paintWindowsXP(PixelCanvas& canvas, const ButtonLook& look);
    static void paintOfficeXP(PixelCanvas& canvas, const ButtonLook& look);
    static void paintWindows32(PixelCanvas& canvas, const ButtonLook& look);
};

} // namespace glimmer
