#pragma once

#include <glimmer/glimmer_export.h>

#include <QColor>
#include <QPalette>
#include <QtGlobal>

namespace glimmer {

/// Colour values as hosts store them: 0x00BBGGRR, or a system colour when the top bit is set
/// (the low byte then being the index of the classic system colour table).
namespace OleColor {

constexpr quint32 SystemFlag = 0x80000000u;
constexpr quint32 ButtonFace = 0x8000000Fu;
constexpr quint32 ButtonText = 0x80000012u;
constexpr quint32 WindowBackground = 0x80000005u;
constexpr quint32 WindowText = 0x80000008u;
constexpr quint32 Highlight = 0x8000000Du;

/// True when value names a system colour rather than a plain one.
GLIMMER_EXPORT bool isSystemColor(quint32 value);

/// Translates a colour value to the colour to draw with.
/// @param value 0x00BBGGRR, or a system colour resolved through @p palette
/// @param palette the palette of the widget that draws
/// @return the plain colour (opaque)
GLIMMER_EXPORT QColor toColor(quint32 value, const QPalette& palette);

/// Packs a colour as 0x00BBGGRR (alpha dropped).
GLIMMER_EXPORT quint32 fromColor(const QColor& color);

/// Builds a plain colour value from its channels.
constexpr quint32 rgb(int red, int green, int blue) {
    return quint32(red & 0xFF) | (quint32(green & 0xFF) << 8) | (quint32(blue & 0xFF) << 16);
}

} // namespace OleColor
} // namespace glimmer
