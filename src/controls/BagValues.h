#pragma once

#include <glimmer/PropertyBag.h>
#include <glimmer/glimmer_export.h>

#include <QFont>
#include <QPixmap>

namespace glimmer {

/// Typed reads from a property bag; a value that cannot become the type raises PropertyError.
/// Bags that keep text (INI files) hand back strings, so each reader also accepts the text form.
class BagValues {
public:
    explicit BagValues(const PropertyBag& bag) : m_bag(bag) {}

    bool readBool(const QString& key, bool defaultValue) const;
    qint32 readInt(const QString& key, qint32 defaultValue) const;
    /// Reads a single-precision number; infinities and NaN are refused.
    float readFloat(const QString& key, float defaultValue) const;
    /// Reads a colour value; negative 32-bit numbers are taken as their unsigned bit pattern.
    quint32 readColor(const QString& key, quint32 defaultValue) const;
    QString readString(const QString& key, const QString& defaultValue) const;
    QFont readFont(const QString& key, const QFont& defaultValue) const;
    /// Reads a picture; a missing or empty entry gives a null pixmap.
    QPixmap readPicture(const QString& key) const;

    /// The variant form under which a picture is written (a null picture writes an invalid
    /// variant).
    static QVariant pictureValue(const QPixmap& picture);

private:
    const PropertyBag& m_bag;
};

} // namespace glimmer
