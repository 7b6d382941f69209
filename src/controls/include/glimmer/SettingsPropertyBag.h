#pragma once

#include <glimmer/PropertyBag.h>

class QSettings;

namespace glimmer {

/// A property bag over one group of a QSettings store (for example an INI file).
class GLIMMER_EXPORT SettingsPropertyBag : public PropertyBag {
public:
    /// @param settings the store; it must outlive the bag
    /// @param group the group that holds this control's keys (empty: the top level)
    SettingsPropertyBag(QSettings& settings, const QString& group);

    QVariant ReadProperty(const QString& key,
                          const QVariant& defaultValue = QVariant()) const override;
    void WriteProperty(const QString& key, const QVariant& value,
                       const QVariant& defaultValue = QVariant()) override;

private:
    QSettings& m_settings;
    QString m_group;
};

} // namespace glimmer
