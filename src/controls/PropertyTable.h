#pragma once

#include "controls/BagValues.h"

#include <glimmer/PropertyBag.h>

#include <QApplication>
#include <QFont>
#include <QPixmap>
#include <QWidget>

#include <cstring>
#include <functional>
#include <limits>
#include <type_traits>
#include <vector>

namespace glimmer {

/// How a property is kept in a bag; each kind reads and writes one QVariant type.
enum class PropertyKind {
    Bool,    ///< bool
    Int,     ///< int; enumerations and 16-bit codes too, each with its accepted range
    Float,   ///< float (single precision)
    Color,   ///< quint32 colour value (0x00BBGGRR or a system colour)
    Text,    ///< QString
    Font,    ///< QFont
    Picture, ///< QPixmap, written as PNG bytes (nothing for no picture)
};

/// Where a property's value comes from when the bag has none.
struct PropertyDefault {
    enum Source {
        Fixed,    ///< value
        HostFont, ///< the parent's font (the application's without a parent)
        OwnFont,  ///< the font the control has now
        SameAs,   ///< the value read (or held) under the earlier key sameAs
    };
    Source source = Fixed;
    QVariant value;
    const char* sameAs = nullptr;
};

inline PropertyDefault fixedDefault(const QVariant& value) {
    return {PropertyDefault::Fixed, value, nullptr};
}
inline PropertyDefault hostFontDefault() {
    return {PropertyDefault::HostFont, QVariant(), nullptr};
}
inline PropertyDefault ownFontDefault() {
    return {PropertyDefault::OwnFont, QVariant(), nullptr};
}
inline PropertyDefault sameAsDefault(const char* key) {
    return {PropertyDefault::SameAs, QVariant(), key};
}

/// What InitProperties gives a property of a newly placed control.
enum class PropertyInit {
    Keep,      ///< nothing: the property keeps its value
    AsDefault, ///< the default it has when read from an empty bag
    HostName,  ///< the name the host gave the control (captions)
    HostFont,  ///< the host's font
};

/// The closed range of values an Int property accepts.
struct PropertyRange {
    int low = std::numeric_limits<int>::min();
    int high = std::numeric_limits<int>::max();
};

/// Reaches one property of a control: its kind, how to get it and how to store it. Storing sets
/// the value only: no notification, and drawing data is brought up to date by the caller.
template <typename Control> struct PropertyAccess {
    PropertyKind kind;
    std::function<QVariant(const Control&)> get;
    std::function<void(Control&, const QVariant&)> store;
};

/// One persisted property.
template <typename Control> struct PropertyRow {
    const char* name; ///< the Q_PROPERTY name, for messages
    const char* key;  ///< the property-bag key
    PropertyDefault byDefault;
    PropertyAccess<Control> access;
    PropertyInit init = PropertyInit::Keep;
    PropertyRange range = {};
};

/// The bag kind of a member of type T: bool, quint32 colours, QString, QFont and QPixmap map to
/// their kinds, every other integer or enumeration is an Int.
template <typename T> constexpr PropertyKind propertyKindOf() {
    if constexpr (std::is_same_v<T, bool>)
        return PropertyKind::Bool;
    else if constexpr (std::is_same_v<T, quint32>)
        return PropertyKind::Color;
    else if constexpr (std::is_same_v<T, float>)
        return PropertyKind::Float;
    else if constexpr (std::is_same_v<T, QString>)
        return PropertyKind::Text;
    else if constexpr (std::is_same_v<T, QFont>)
        return PropertyKind::Font;
    else if constexpr (std::is_same_v<T, QPixmap>)
        return PropertyKind::Picture;
    else
        return PropertyKind::Int;
}

/// Access to a data member of the control.
template <typename Control, typename T> PropertyAccess<Control> memberAccess(T Control::*member) {
    constexpr PropertyKind kind = propertyKindOf<T>();
    auto get = [member](const Control& c) {
        if constexpr (kind == PropertyKind::Int)
            return QVariant(int(c.*member));
        else
            return QVariant::fromValue(c.*member);
    };
    auto store = [member](Control& c, const QVariant& v) {
        if constexpr (kind == PropertyKind::Int)
            c.*member = T(v.toInt());
        else
            c.*member = v.value<T>();
    };
    return {kind, get, store};
}

/// Access to a value that @p field finds in a control (a function from Control& to a reference,
/// for controls that keep their data behind a private pointer).
template <typename Control, typename T, typename Field>
PropertyAccess<Control> fieldAccess(Field field) {
    constexpr PropertyKind kind = propertyKindOf<T>();
    auto get = [field](const Control& c) {
        const T& v = field(const_cast<Control&>(c));
        if constexpr (kind == PropertyKind::Int)
            return QVariant(int(v));
        else
            return QVariant::fromValue(v);
    };
    auto store = [field](Control& c, const QVariant& v) {
        if constexpr (kind == PropertyKind::Int)
            field(c) = T(v.toInt());
        else
            field(c) = v.value<T>();
    };
    return {kind, get, store};
}

/// Access through a getter and a storing function of the control (values kept outside members):
/// @p get takes a const Control& and returns a T, @p store takes a Control& and a const T&.
template <typename T, typename Control, typename Get, typename Store>
PropertyAccess<Control> functionAccess(Get get, Store store) {
    return {propertyKindOf<T>(), [get](const Control& c) { return QVariant::fromValue(get(c)); },
            [store](Control& c, const QVariant& v) { store(c, v.value<T>()); }};
}

/// Helpers of every PropertyTable that do not depend on the control type.
namespace propertyvalues {
/// Reads @p key as @p kind, @p fallback when absent; raises PropertyError for an unusable value or
/// an Int outside @p range.
QVariant read(const PropertyBag& bag, const char* key, PropertyKind kind, const QVariant& fallback,
              PropertyRange range);
/// @p value as the QVariant type of @p kind (a Fixed default may be written as any number).
QVariant normalised(PropertyKind kind, const QVariant& value);
/// The form in which @p value is handed to a bag.
QVariant stored(PropertyKind kind, const QVariant& value);
/// True when @p value lies in @p range; otherwise warns through Qt's logging, naming the control,
/// the property and the value, and returns false.
bool admits(const QObject& control, const char* name, qint64 value, PropertyRange range);
} // namespace propertyvalues

/// A control's persisted properties as a list of rows, and the loops that read them from a bag,
/// write them to one and give a new control its initial values.
template <typename Control> class PropertyTable {
public:
    /// Whether each value is handed to the bag with its default, so that the bag may leave out
    /// values equal to it, or alone, so that the bag keeps every value.
    enum WriteMode { EveryValue, WithDefaults };

    PropertyTable(WriteMode mode, std::vector<PropertyRow<Control>> rows)
        : m_mode(mode), m_rows(std::move(rows)) {}

    /// Reads every row (the default for each absent key) and only then stores them all, so that
    /// a bad value raises PropertyError and leaves the control as it was.
    void load(Control& control, const PropertyBag& bag) const {
        std::vector<QVariant> values;
        values.reserve(m_rows.size());
        for (const PropertyRow<Control>& row : m_rows) {
            const QVariant fallback = resolve(row, row.byDefault, control, values);
            values.push_back(
                propertyvalues::read(bag, row.key, row.access.kind, fallback, row.range));
        }
        for (std::size_t i = 0; i < m_rows.size(); ++i)
            m_rows[i].access.store(control, values[i]);
    }

    /// Writes every row into @p bag, in row order.
    void write(const Control& control, PropertyBag& bag) const {
        std::vector<QVariant> values;
        for (const PropertyRow<Control>& row : m_rows)
            values.push_back(row.access.get(control));
        for (std::size_t i = 0; i < m_rows.size(); ++i) {
            const PropertyRow<Control>& row = m_rows[i];
            const QVariant fallback =
                m_mode == WithDefaults
                    ? propertyvalues::stored(row.access.kind,
                                             resolve(row, row.byDefault, control, values))
                    : QVariant();
            bag.WriteProperty(QString::fromLatin1(row.key),
                              propertyvalues::stored(row.access.kind, values[i]), fallback);
        }
    }

    /// Gives a newly placed control the initial value of each row that has one.
    void init(Control& control, const QString& hostName) const {
        std::vector<QVariant> values;
        for (const PropertyRow<Control>& row : m_rows) {
            QVariant value;
            switch (row.init) {
            case PropertyInit::Keep:
                value = row.access.get(control);
                break;
            case PropertyInit::AsDefault:
                value = resolve(row, row.byDefault, control, values);
                break;
            case PropertyInit::HostName:
                value = hostName;
                break;
            case PropertyInit::HostFont:
                value = hostFont(control);
                break;
            }
            values.push_back(value);
            if (row.init != PropertyInit::Keep)
                row.access.store(control, value);
        }
    }

    /// Whether a setter may take @p value for the row under @p key: always for values that are
    /// not numbers or rows without a range; otherwise a value outside the range is refused with a
    /// warning (a setter reached through QObject::setProperty must not throw into Qt's code).
    template <typename T>
    bool admits(const Control& control, const char* key, const T& value) const {
        if constexpr (std::is_enum_v<T> || (std::is_integral_v<T> && !std::is_same_v<T, bool>)) {
            const PropertyRow<Control>& r = row(key);
            // Enumerations go through int: one without a fixed type may be unsigned.
            qint64 n = 0;
            if constexpr (std::is_enum_v<T>)
                n = int(value);
            else
                n = qint64(value);
            return r.access.kind != PropertyKind::Int ||
                   propertyvalues::admits(control, r.name, n, r.range);
        } else {
            return true;
        }
    }

private:
    static QFont hostFont(const Control& control) {
        return control.parentWidget() ? control.parentWidget()->font() : QApplication::font();
    }

    const PropertyRow<Control>& row(const char* key) const {
        for (const PropertyRow<Control>& r : m_rows) {
            if (std::strcmp(r.key, key) == 0)
                return r;
        }
        Q_ASSERT_X(false, "PropertyTable::row", key);
        return m_rows.front();
    }

    /// The default of @p row; @p earlier holds the values of the rows before it.
    QVariant resolve(const PropertyRow<Control>& row, const PropertyDefault& d,
                     const Control& control, const std::vector<QVariant>& earlier) const {
        switch (d.source) {
        case PropertyDefault::HostFont:
            return hostFont(control);
        case PropertyDefault::OwnFont:
            return control.font();
        case PropertyDefault::SameAs:
            for (std::size_t i = 0; i < earlier.size(); ++i) {
                if (std::strcmp(m_rows[i].key, d.sameAs) == 0)
                    return earlier[i];
            }
            Q_ASSERT_X(false, "PropertyTable::resolve", d.sameAs);
            return QVariant();
        case PropertyDefault::Fixed:
            break;
        }
        return propertyvalues::normalised(row.access.kind, d.value);
    }

    WriteMode m_mode;
    std::vector<PropertyRow<Control>> m_rows;
};

} // namespace glimmer
