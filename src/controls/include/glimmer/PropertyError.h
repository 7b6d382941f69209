#pragma once

#include <glimmer/glimmer_export.h>

#include <QString>
#include <stdexcept>

namespace glimmer {

/// Raised when a property bag holds a value that cannot become the property's type.
class GLIMMER_EXPORT PropertyError : public std::runtime_error {
public:
    /// @param key the property-bag key whose value was unusable
    /// @param what a short description of the fault
    PropertyError(const QString& key, const QString& what)
        : std::runtime_error((key + QStringLiteral(": ") + what).toStdString()), m_key(key) {}

    /// The key whose value could not be used.
    QString key() const { return m_key; }

private:
    QString m_key;
};

} // namespace glimmer
