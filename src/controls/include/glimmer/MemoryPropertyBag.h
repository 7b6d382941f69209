#pragma once

#include <glimmer/PropertyBag.h>

#include <QMap>
#include <QStringList>

namespace glimmer {

/// A property bag held in memory, for hosts that serialise it themselves and for tests.
class GLIMMER_EXPORT MemoryPropertyBag : public PropertyBag {
public:
    QVariant ReadProperty(const QString& key,
                          const QVariant& defaultValue = QVariant()) const override;
    void WriteProperty(const QString& key, const QVariant& value,
                       const QVariant& defaultValue = QVariant()) override;

    /// True when the bag holds an entry under @p key (any case).
    bool contains(const QString& key) const;
    /// The keys held, in the case they were last written.
    QStringList keys() const;
    /// Number of entries held.
    int count() const { return int(m_entries.size()); }

private:
    struct Entry {
        QString key;
        QVariant value;
    };
    QMap<QString, Entry> m_entries; // by lower-case key
};

} // namespace glimmer
