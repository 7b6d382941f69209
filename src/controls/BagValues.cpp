#include "controls/BagValues.h"

#include <glimmer/PropertyError.h>

#include <QBuffer>
#include <QImage>

#include <cmath>
#include <limits>

namespace glimmer {

bool BagValues::readBool(const QString& key, bool defaultValue) const {
    const QVariant v = m_bag.ReadProperty(key, defaultValue);
    if (v.typeId() == QMetaType::Bool)
        return v.toBool();
    if (v.typeId() == QMetaType::QString || v.typeId() == QMetaType::QByteArray) {
        const QString s = v.toString().trimmed().toLower();
        if (s == QLatin1String("true"))
            return true;
        if (s == QLatin1String("false"))
            return false;
    }
    bool ok = false;
    const qlonglong n = v.toLongLong(&ok);
    if (!ok)
        throw PropertyError(key, QStringLiteral("not a boolean"));
    return n != 0;
}

qint32 BagValues::readInt(const QString& key, qint32 defaultValue) const {
    const QVariant v = m_bag.ReadProperty(key, defaultValue);
    bool ok = false;
    const qlonglong n = v.toLongLong(&ok);
    if (!ok || n < std::numeric_limits<qint32>::min() || n > std::numeric_limits<qint32>::max())
        throw PropertyError(key, QStringLiteral("not a 32-bit number"));
    return qint32(n);
}

float BagValues::readFloat(const QString& key, float defaultValue) const {
    const QVariant v = m_bag.ReadProperty(key, defaultValue);
    bool ok = false;
    const double x = v.toDouble(&ok);
    if (!ok || !std::isfinite(x) || std::fabs(x) > double(std::numeric_limits<float>::max()))
        throw PropertyError(key, QStringLiteral("not a single-precision number"));
    return float(x);
}

quint32 BagValues::readColor(const QString& key, quint32 defaultValue) const {
    const QVariant v = m_bag.ReadProperty(key, defaultValue);
    bool ok = false;
    const qlonglong n = v.toLongLong(&ok);
    if (!ok || n < std::numeric_limits<qint32>::min() ||
        n > qlonglong(std::numeric_limits<quint32>::max()))
        throw PropertyError(key, QStringLiteral("not a colour value"));
    return quint32(n & 0xFFFFFFFFll);
}

QString BagValues::readString(const QString& key, const QString& defaultValue) const {
    const QVariant v = m_bag.ReadProperty(key, defaultValue);
    if (!v.canConvert<QString>())
        throw PropertyError(key, QStringLiteral("not a text"));
    return v.toString();
}

QFont BagValues::readFont(const QString& key, const QFont& defaultValue) const {
    const QVariant v = m_bag.ReadProperty(key, defaultValue);
    if (v.typeId() == QMetaType::QFont)
        return v.value<QFont>();
    if (v.typeId() == QMetaType::QString) {
        QFont f;
        if (f.fromString(v.toString()))
            return f;
    }
    throw PropertyError(key, QStringLiteral("not a font"));
}

QPixmap BagValues::readPicture(const QString& key) const {
    const QVariant v = m_bag.ReadProperty(key, QVariant());
    if (!v.isValid() || v.isNull())
        return QPixmap();
    if (v.typeId() == QMetaType::QPixmap)
        return v.value<QPixmap>();
    if (v.typeId() == QMetaType::QImage)
        return QPixmap::fromImage(v.value<QImage>());
    if (v.typeId() == QMetaType::QByteArray) {
        const QByteArray bytes = v.toByteArray();
        if (bytes.isEmpty())
            return QPixmap();
        QPixmap p;
        if (p.loadFromData(bytes))
            return p;
    }
    throw PropertyError(key, QStringLiteral("not a picture"));
}

QVariant BagValues::pictureValue(const QPixmap& picture) {
    if (picture.isNull())
        return QVariant();
    // PNG bytes survive every kind of bag, including text-based ones.
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    return bytes;
}

} // namespace glimmer
