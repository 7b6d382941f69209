#pragma once

#include <glimmer/glimmer_export.h>

#include <QString>
#include <QVariant>

namespace glimmer {

/// Where a control keeps its persisted properties; keys are matched without regard to case.
class GLIMMER_EXPORT PropertyBag {
public:
    virtual ~PropertyBag();

    /// Reads one value.
    /// @param key the property key (any case)
    /// @param defaultValue returned when the bag has no value under @p key
    /// @return the stored value or @p defaultValue
    virtual QVariant ReadProperty(const QString& key,
                                  const QVariant& defaultValue = QVariant()) const = 0;

    /// Writes one value.
    /// @param key the property key; an existing entry under the same key in another case
    ///        is replaced
    /// @param value the value to keep
    /// @param defaultValue when valid and equal to @p value, the bag keeps no entry at all, so
    ///        that a later read falls back to the same default
    virtual void WriteProperty(const QString& key, const QVariant& value,
                               const QVariant& defaultValue = QVariant()) = 0;

protected:
    /// True when a value equal to its valid default need not be stored.
    static bool isDefault(const QVariant& value, const QVariant& defaultValue);
};

} // namespace glimmer
