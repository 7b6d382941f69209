#include "app/shell/ToolPicture.h"

#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

namespace notaro::app {

QPixmap toolPicture(const QString& name, int logicalSize, const QColor& face, qreal ratio) {
    QSvgRenderer svg(QStringLiteral(":/icons/") + name + QStringLiteral(".svg"));
    if (!svg.isValid())
        return {};
    const int size = qRound(logicalSize * ratio);
    QImage drawn(size, size, QImage::Format_ARGB32);
    drawn.fill(Qt::transparent);
    {
        QPainter p(&drawn);
        p.setRenderHint(QPainter::Antialiasing);
        svg.render(&p);
    }
    QImage picture(size, size, QImage::Format_ARGB32);
    for (int y = 0; y < size; ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(drawn.constScanLine(y));
        auto* out = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < size; ++x) {
            const int a = qAlpha(in[x]);
            if (a < 40) {
                out[x] = qRgba(0, 0, 0, 0);
                continue;
            }
            // Premultiplied-free blend of the drawing over the face.
            const auto mix = [a](int over, int under) {
                return (over * a + under * (255 - a)) / 255;
            };
            const QColor c = QColor::fromRgba(in[x]);
            out[x] = qRgb(mix(c.red(), face.red()), mix(c.green(), face.green()),
                          mix(c.blue(), face.blue()));
        }
    }
    picture.setDevicePixelRatio(ratio);
    return QPixmap::fromImage(picture);
}

} // namespace notaro::app
