#include "controls/PropertyTable.h"

#include <glimmer/PropertyError.h>

#include <QLoggingCategory>

namespace glimmer::propertyvalues {

namespace {

Q_LOGGING_CATEGORY(lcProperties, "glimmer.properties")

} // namespace

QVariant read(const PropertyBag& bag, const char* key, PropertyKind kind, const QVariant& fallback,
              PropertyRange range) {
    const BagValues b(bag);
    const QString k = QString::fromLatin1(key);
    switch (kind) {
    case PropertyKind::Bool:
        return b.readBool(k, fallback.toBool());
    case PropertyKind::Int: {
        const qint32 n = b.readInt(k, fallback.toInt());
        if (n < range.low || n > range.high)
            throw PropertyError(k, QStringLiteral("value %1 out of range").arg(n));
        return int(n);
    }
    case PropertyKind::Float:
        return b.readFloat(k, fallback.toFloat());
    case PropertyKind::Color:
        return QVariant::fromValue(b.readColor(k, fallback.toUInt()));
    case PropertyKind::Text:
        return b.readString(k, fallback.toString());
    case PropertyKind::Font:
        return QVariant::fromValue(b.readFont(k, fallback.value<QFont>()));
    case PropertyKind::Picture:
        return QVariant::fromValue(b.readPicture(k));
    }
    return QVariant();
}

QVariant normalised(PropertyKind kind, const QVariant& value) {
    switch (kind) {
    case PropertyKind::Bool:
        return value.toBool();
    case PropertyKind::Int:
        return value.toInt();
    case PropertyKind::Float:
        return value.toFloat();
    case PropertyKind::Color:
        return QVariant::fromValue(quint32(value.toUInt()));
    case PropertyKind::Text:
        return value.toString();
    case PropertyKind::Font:
    case PropertyKind::Picture:
        break;
    }
    return value;
}

QVariant stored(PropertyKind kind, const QVariant& value) {
    return kind == PropertyKind::Picture ? BagValues::pictureValue(value.value<QPixmap>()) : value;
}

bool differs(PropertyKind kind, const QVariant& held, const QVariant& value) {
    switch (kind) {
    case PropertyKind::Bool:
        return held.toBool() != value.toBool();
    case PropertyKind::Int:
        return held.toInt() != value.toInt();
    case PropertyKind::Float:
        return held.toFloat() != value.toFloat(); // NaN differs from everything, itself too
    case PropertyKind::Color:
        return held.toUInt() != value.toUInt();
    case PropertyKind::Text:
        return held.toString() != value.toString();
    case PropertyKind::Font: {
        const QFont a = held.value<QFont>();
        const QFont b = value.value<QFont>();
        return a != b || a.resolveMask() != b.resolveMask();
    }
    case PropertyKind::Picture:
        break; // pictures are not compared: every write of one is a change
    }
    return true;
}

bool admits(const QObject& control, const char* name, qint64 value, PropertyRange range) {
    if (value >= range.low && value <= range.high)
        return true;
    qCWarning(lcProperties).nospace()
        << &control << ": " << name << " refuses " << value << " (it takes " << range.low << " to "
        << range.high << "); the value stays " << control.property(name);
    return false;
}

} // namespace glimmer::propertyvalues
