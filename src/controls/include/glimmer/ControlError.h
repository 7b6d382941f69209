#pragma once

#include <glimmer/glimmer_export.h>

#include <QString>
#include <cstdint>
#include <stdexcept>

namespace glimmer {

/// An error a control's method raises to its host: a numbered error with the control's name as
/// its source and a short description, as host environments report them.
class GLIMMER_EXPORT ControlError : public std::runtime_error {
public:
    ControlError(uint32_t number, const QString& source, const QString& description)
        : std::runtime_error((source + QStringLiteral(": ") + description).toStdString()),
          m_number(number), m_source(source), m_description(description) {}

    uint32_t number() const { return m_number; }
    QString source() const { return m_source; }
    QString description() const { return m_description; }

private:
    uint32_t m_number;
    QString m_source;
    QString m_description;
};

/// The number a control raises for an index outside its list.
constexpr uint32_t SubscriptOutOfRange = 0x800E0202;

} // namespace glimmer
