#pragma once

#include <glimmer/chBut.h>

#include <QPixmap>
#include <functional>

/// Pictures of a button held in one state (hovered, pressed ...), which a live button shows only
/// while the user's pointer or keys keep it there.
class ButtonSnapshot {
public:
    enum class State { Normal, Hovered, Pressed, Toggled, Focused, Default, Disabled };

    /// Builds a button of @p size, lets @p setup configure it, drives it into @p state and
    /// returns what it draws (pixels outside its window shape are transparent).
    /// @param hostBackground the colour of the window the button sits in
    static QPixmap take(QSize size, State state, const std::function<void(glimmer::chBut&)>& setup,
                        const QColor& hostBackground);

    /// Display name of a state.
    static QString name(State state);
};
