#pragma once

#include <glimmer/glimmer_export.h>

#include <QString>

class QWidget;

namespace glimmer::accessibility {

/// Registers the library's accessible interfaces with Qt, once per process. Every control calls
/// it from its constructor, so any program (or Designer, through the plugin) that creates a
/// control hands assistive technology roles, names, states and values instead of anonymous
/// custom-painted widgets.
GLIMMER_NO_EXPORT void installFactory();

/// Tells assistive technology what a change of the persisted property @p key of @p control
/// changed for it: its name (the caption), its checked state (a latching button's value) or its
/// value (a meter's).
GLIMMER_NO_EXPORT void reportChange(QWidget* control, const QString& key);

} // namespace glimmer::accessibility
