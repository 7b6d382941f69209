#include "app/staff/StaffPageImage.h"

#include <QSvgRenderer>
#include <QtMath>

namespace notaro::app {

void drawStaffPage(const interchange::StaffPage& page, QPainter& painter, const QRectF& target) {
    QSvgRenderer renderer(
        QByteArray::fromRawData(page.svg.data(), static_cast<int>(page.svg.size())));
    renderer.render(&painter, target);
}

QImage staffPageImage(const interchange::StaffPage& page, double scale) {
    QImage image(qCeil(page.width * scale), qCeil(page.height * scale), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    drawStaffPage(page, painter, QRectF(0, 0, page.width * scale, page.height * scale));
    return image;
}

} // namespace notaro::app
