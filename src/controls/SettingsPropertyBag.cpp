#include <glimmer/SettingsPropertyBag.h>

#include <QSettings>

namespace glimmer {

namespace {

/// Enters a settings group for the lifetime of the object.
class GroupScope {
public:
    GroupScope(QSettings& s, const QString& group) : m_settings(s), m_entered(!group.isEmpty()) {
        if (m_entered)
            m_settings.beginGroup(group);
    }
    ~GroupScope() {
        if (m_entered)
            m_settings.endGroup();
    }
    GroupScope(const GroupScope&) = delete;
    GroupScope& operator=(const GroupScope&) = delete;

private:
    QSettings& m_settings;
    bool m_entered;
};

/// The key in @p group of @p settings that matches @p key without regard to case, or an empty
/// string. Some settings back ends are case sensitive, so the match is made here.
QString storedKey(QSettings& settings, const QString& group, const QString& key) {
    GroupScope scope(settings, group);
    const QStringList keys = settings.childKeys();
    for (const QString& k : keys) {
        if (k.compare(key, Qt::CaseInsensitive) == 0)
            return k;
    }
    return QString();
}

} // namespace

SettingsPropertyBag::SettingsPropertyBag(QSettings& settings, const QString& group)
    : m_settings(settings), m_group(group) {}

QVariant SettingsPropertyBag::ReadProperty(const QString& key, const QVariant& defaultValue) const {
    const QString stored = storedKey(m_settings, m_group, key);
    if (stored.isEmpty())
        return defaultValue;
    GroupScope scope(m_settings, m_group);
    return m_settings.value(stored, defaultValue);
}

void SettingsPropertyBag::WriteProperty(const QString& key, const QVariant& value,
                                        const QVariant& defaultValue) {
    const QString stored = storedKey(m_settings, m_group, key);
    GroupScope scope(m_settings, m_group);
    if (!stored.isEmpty())
        m_settings.remove(stored);
    if (!isDefault(value, defaultValue))
        m_settings.setValue(key, value);
}

} // namespace glimmer
