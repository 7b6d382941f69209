#pragma once

#include <QStringList>

namespace notaro::app {

/// The 128 General MIDI Level 1 instrument names; the index is the program number.
const QStringList& generalMidiNames();

} // namespace notaro::app
