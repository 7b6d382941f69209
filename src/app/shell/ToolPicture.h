#pragma once

#include <QColor>
#include <QPixmap>
#include <QString>

namespace notaro::app {

/// The picture ":/icons/<name>.svg" drawn at size × size pixels for a picture button.
///
/// The button draws a picture pixel fully or not at all, so the soft edges of the drawing are
/// blended here onto the button face colour, and pixels that are nearly clear stay clear.
/// A missing picture gives a null pixmap. At a device pixel ratio above 1 the drawing is
/// rendered at size × ratio device pixels (and marked with that ratio), not scaled up.
QPixmap toolPicture(const QString& name, int size, const QColor& face, qreal ratio = 1.0);

} // namespace notaro::app
