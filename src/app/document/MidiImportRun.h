#pragma once

#include <QString>

#include <optional>
#include <string>

class QWidget;

namespace notaro::app {

class UserPrompts;

/// Import MIDI without the file dialog: reads the MIDI file at path, lets the user choose the
/// line to take in a small list when the file holds more than one (track, channel, name,
/// instrument, note count and range; the line the import would take first), and imports it.
/// A failure is shown in a message box with the importer's one line.
/// @param report set to one line on what was taken and approximated
/// @return the score text; nullopt when the import failed or the choice was cancelled
std::optional<std::string> runMidiImport(const QString& path, UserPrompts& prompts,
                                         QWidget* dialogParent, QString& report);

} // namespace notaro::app
