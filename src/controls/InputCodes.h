#pragma once

#include <glimmer/glimmer_export.h>

#include <Qt>

class QKeyEvent;

namespace glimmer {

/// Translates Qt input into the numeric codes that control events carry.
class InputCodes {
public:
    /// Mouse button code: 1 left, 2 right, 4 middle (summed for several).
    static short buttons(Qt::MouseButtons buttons);
    /// Shift state code: 1 Shift, 2 Ctrl, 4 Alt (summed).
    static short shift(Qt::KeyboardModifiers modifiers);
    /// Key code of the classic virtual-key table (letters 65..90, Space 32, Left 37 ...), 0 if
    /// none.
    static short keyCode(int qtKey);
    /// The character code a key press produces, 0 when it produces none.
    static short keyAscii(const QKeyEvent& event);
};

} // namespace glimmer
