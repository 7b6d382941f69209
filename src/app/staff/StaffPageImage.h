#pragma once

#include "interchange/StaffPage.h"

#include <QImage>
#include <QPainter>

namespace notaro::app {

/// Draws an engraved page into the painter's rectangle target.
void drawStaffPage(const interchange::StaffPage& page, QPainter& painter, const QRectF& target);

/// The page drawn on white, scale times its own size.
QImage staffPageImage(const interchange::StaffPage& page, double scale = 1);

} // namespace notaro::app
