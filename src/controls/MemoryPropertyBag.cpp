#include <glimmer/MemoryPropertyBag.h>

namespace glimmer {

QVariant MemoryPropertyBag::ReadProperty(const QString& key, const QVariant& defaultValue) const {
    const auto it = m_entries.constFind(key.toLower());
    return it == m_entries.cend() ? defaultValue : it->value;
}

void MemoryPropertyBag::WriteProperty(const QString& key, const QVariant& value,
                                      const QVariant& defaultValue) {
    // A stale entry would shadow the default on the next read, so a default value removes it.
    if (isDefault(value, defaultValue))
        m_entries.remove(key.toLower());
    else
        m_entries.insert(key.toLower(), Entry{key, value});
}

bool MemoryPropertyBag::contains(const QString& key) const {
    return m_entries.contains(key.toLower());
}

QStringList MemoryPropertyBag::keys() const {
    QStringList out;
    for (const Entry& e : m_entries)
        out << e.key;
    return out;
}

} // namespace glimmer
