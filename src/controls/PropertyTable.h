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

/// What a control brings up to date after a setter changed one of its properties. Each control's
/// apply function says what the flags mean for it; from FirstOwn on, a control names its own.
namespace effect {
constexpr unsigned None = 0;
constexpr unsigned Repaint = 1u << 0;  ///< draw again
constexpr unsigned Relayout = 1u << 1; ///< size, geometry or the placement of the text
constexpr unsigned Recolour = 1u << 2; ///< the colours resolved from the values
constexpr unsigned Relight = 1u << 3;  ///< only what shows a meter's value
constexpr unsigned FirstOwn = 1u << 4;
} // namespace effect

/// The bag kind of a value of type T: bool, quint32 colours, QString, QFont and QPixmap map to
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

/// @p value in the QVariant type of its kind (Int values as int).
template <typename T> QVariant variantOf(const T& value) {
    if constexpr (propertyKindOf<T>() == PropertyKind::Int)
        return QVariant(int(value));
    else
        return QVariant::fromValue(value);
}

/// The T held by a variant made by variantOf.
template <typename T> T valueOf(const QVariant& v) {
    if constexpr (propertyKindOf<T>() == PropertyKind::Int)
        return T(v.toInt());
    else
        return v.value<T>();
}

/// The member or getter a row was made from, by which a setter names the row: the pointer's
/// bytes and a tag of its type (no RTTI, so nothing of it needs exporting).
class RowId {
public:
    template <typename Pointer> static RowId of(Pointer pointer) {
        static_assert(sizeof(Pointer) <= sizeof(m_bytes), "a member or function pointer");
        RowId id;
        id.m_type = &Tag<Pointer>::value;
        std::memcpy(id.m_bytes, &pointer, sizeof(Pointer));
        return id;
    }
    bool operator==(const RowId& other) const {
        return m_type == other.m_type && std::memcmp(m_bytes, other.m_bytes, sizeof(m_bytes)) == 0;
    }

private:
    template <typename Pointer> struct Tag { static const char value; };
    const char* m_type = nullptr;
    unsigned char m_bytes[2 * sizeof(void*)] = {};
};

template <typename Pointer> const char RowId::Tag<Pointer>::value = 0;

/// Reaches one property in a control's data: its kind, how to get it and how to store it, and
/// the member or getter it was made from. Storing sets the value only: no notification, and
/// drawing data is brought up to date by the caller.
template <typename Data> struct PropertyAccess {
    PropertyKind kind;
    std::function<QVariant(const Data&)> get;
    std::function<void(Data&, const QVariant&)> store;
    RowId id;
};

/// Access to a data member.
template <typename Data, typename T> PropertyAccess<Data> memberAccess(T Data::*member) {
    return {propertyKindOf<T>(), [member](const Data& d) { return variantOf(d.*member); },
            [member](Data& d, const QVariant& v) { d.*member = valueOf<T>(v); }, RowId::of(member)};
}

/// Access to a value the control keeps elsewhere (its font, its label's text): read by
/// @p getter and stored by @p store (Data&, const T&).
template <typename Data, typename R, typename Store>
PropertyAccess<Data> getterAccess(R (*getter)(const Data&), Store store) {
    using T = std::decay_t<R>;
    return {propertyKindOf<T>(), [getter](const Data& d) { return variantOf<T>(getter(d)); },
            [store](Data& d, const QVariant& v) { store(d, valueOf<T>(v)); }, RowId::of(getter)};
}

/// The font and the enabled state, which a control keeps in QWidget, as getters for rows.
template <typename Data> QFont widgetFont(const Data& d) {
    return d.q->font();
}
template <typename Data> bool widgetEnabled(const Data& d) {
    return d.q->isEnabled();
}

/// One persisted property.
template <typename Data> struct PropertyRow {
    /// A property whose bag key is its name.
    PropertyRow(const char* name, PropertyDefault byDefault, PropertyAccess<Data> access,
                PropertyInit init = PropertyInit::Keep, PropertyRange range = {},
                unsigned effects = effect::Repaint)
        : PropertyRow(name, name, std::move(byDefault), std::move(access), init, range, effects) {}
    /// A property kept under a bag key of its own; @p reportedAs names the key its change is
    /// reported under when that is not @p key.
    PropertyRow(const char* name, const char* key, PropertyDefault byDefault,
                PropertyAccess<Data> access, PropertyInit init = PropertyInit::Keep,
                PropertyRange range = {}, unsigned effects = effect::Repaint,
                const char* reportedAs = nullptr)
        : name(name), key(key), byDefault(std::move(byDefault)), access(std::move(access)),
          init(init), range(range), effects(effects), reportedAs(reportedAs ? reportedAs : key) {}

    const char* name; ///< the Q_PROPERTY name, for messages
    const char* key;  ///< the property-bag key
    PropertyDefault byDefault;
    PropertyAccess<Data> access;
    PropertyInit init;
    PropertyRange range;
    unsigned effects;       ///< what a setter's change brings up to date
    const char* reportedAs; ///< the key a change is reported under
};

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
/// True when a setter's @p value differs from the held one; a picture always differs, a font
/// also when only the attributes it sets differ.
bool differs(PropertyKind kind, const QVariant& held, const QVariant& value);
/// True when @p value lies in @p range; otherwise warns through Qt's logging, naming the control,
/// the property and the value, and returns false.
bool admits(const QObject& control, const char* name, qint64 value, PropertyRange range);
} // namespace propertyvalues

/// A control's persisted properties as a list of rows, the loops that read them from a bag,
/// write them to one and give a new control its initial values, and the one way a setter
/// changes a property. Data is the control's private data: it has `q` (the control) and
/// `quiet` (true while a bag is read, so that no change is reported).
template <typename Data> class PropertyTable {
public:
    /// Whether each value is handed to the bag with its default, so that the bag may leave out
    /// values equal to it, or alone, so that the bag keeps every value.
    enum WriteMode { EveryValue, WithDefaults };
    /// Brings the control up to date after a change with the row's effects.
    using Apply = void (Data::*)(unsigned effects);

    PropertyTable(WriteMode mode, Apply apply, std::vector<PropertyRow<Data>> rows)
        : m_mode(mode), m_apply(apply), m_rows(std::move(rows)) {}

    /// A setter's write of the row made from @p id (a member or a getter): a value outside the
    /// row's range is refused with a warning (a setter reached through QObject::setProperty must
    /// not throw into Qt's code); an unchanged one (unless @p force) does nothing. Otherwise the
    /// value is stored, the row's effects applied and the change reported through the control's
    /// propertyChanged(key).
    /// @return true when the value was stored
    template <typename Id, typename T>
    bool set(Data& data, Id id, const T& value, bool force = false) const {
        const PropertyRow<Data>& r = row(id);
        const QVariant v = variantOf(value);
        Q_ASSERT(propertyKindOf<T>() == r.access.kind);
        if (r.access.kind == PropertyKind::Int &&
            !propertyvalues::admits(*data.q, r.name, v.toInt(), r.range))
            return false;
        if (!force && !propertyvalues::differs(r.access.kind, r.access.get(data), v))
            return false;
        r.access.store(data, v);
        (data.*m_apply)(r.effects);
        emit data.q->propertyChanged(QString::fromLatin1(r.reportedAs));
        return true;
    }

    /// Reports a change of the row made from @p id that Qt made (a font or the enabled state
    /// set through QWidget), unless a bag is being read.
    template <typename Id> void report(const Data& data, Id id) const {
        if (!data.quiet)
            emit data.q->propertyChanged(QString::fromLatin1(row(id).key));
    }

    /// Reads every row (the default for each absent key) and only then stores them all, so that
    /// a bad value raises PropertyError and leaves the control as it was.
    void load(Data& data, const PropertyBag& bag) const {
        std::vector<QVariant> values;
        values.reserve(m_rows.size());
        for (const PropertyRow<Data>& r : m_rows) {
            const QVariant fallback = resolve(r, data, values);
            values.push_back(propertyvalues::read(bag, r.key, r.access.kind, fallback, r.range));
        }
        const Quiet quiet(data);
        for (std::size_t i = 0; i < m_rows.size(); ++i)
            m_rows[i].access.store(data, values[i]);
    }

    /// Writes every row into @p bag, in row order.
    void write(const Data& data, PropertyBag& bag) const {
        std::vector<QVariant> values;
        for (const PropertyRow<Data>& r : m_rows)
            values.push_back(r.access.get(data));
        for (std::size_t i = 0; i < m_rows.size(); ++i) {
            const PropertyRow<Data>& r = m_rows[i];
            const QVariant fallback =
                m_mode == WithDefaults
                    ? propertyvalues::stored(r.access.kind, resolve(r, data, values))
                    : QVariant();
            bag.WriteProperty(QString::fromLatin1(r.key),
                              propertyvalues::stored(r.access.kind, values[i]), fallback);
        }
    }

    /// Gives a newly placed control the initial value of each row that has one.
    void init(Data& data, const QString& hostName) const {
        const Quiet quiet(data);
        std::vector<QVariant> values;
        for (const PropertyRow<Data>& r : m_rows) {
            QVariant value;
            switch (r.init) {
            case PropertyInit::Keep:
                value = r.access.get(data);
                break;
            case PropertyInit::AsDefault:
                value = resolve(r, data, values);
                break;
            case PropertyInit::HostName:
                value = hostName;
                break;
            case PropertyInit::HostFont:
                value = hostFont(data);
                break;
            }
            values.push_back(value);
            if (r.init != PropertyInit::Keep)
                r.access.store(data, value);
        }
    }

private:
    /// Keeps the control from reporting the changes a bag or the initial values make, also when
    /// a bad value raises PropertyError.
    class Quiet {
    public:
        explicit Quiet(Data& data) : m_data(data), m_was(data.quiet) { data.quiet = true; }
        ~Quiet() { m_data.quiet = m_was; }
        Quiet(const Quiet&) = delete;
        Quiet& operator=(const Quiet&) = delete;

    private:
        Data& m_data;
        bool m_was;
    };

    static QFont hostFont(const Data& data) {
        const QWidget* parent = data.q->parentWidget();
        return parent ? parent->font() : QApplication::font();
    }

    template <typename Id> const PropertyRow<Data>& row(Id id) const {
        const RowId wanted = RowId::of(id);
        for (const PropertyRow<Data>& r : m_rows) {
            if (r.access.id == wanted)
                return r;
        }
        Q_ASSERT_X(false, "PropertyTable::row", "a setter names a member that has no row");
        return m_rows.front();
    }

    /// The default of @p r; @p earlier holds the values of the rows before it.
    QVariant resolve(const PropertyRow<Data>& r, const Data& data,
                     const std::vector<QVariant>& earlier) const {
        switch (r.byDefault.source) {
        case PropertyDefault::HostFont:
            return hostFont(data);
        case PropertyDefault::OwnFont:
            return data.q->font();
        case PropertyDefault::SameAs:
            for (std::size_t i = 0; i < earlier.size(); ++i) {
                if (std::strcmp(m_rows[i].key, r.byDefault.sameAs) == 0)
                    return earlier[i];
            }
            Q_ASSERT_X(false, "PropertyTable::resolve", r.byDefault.sameAs);
            return QVariant();
        case PropertyDefault::Fixed:
            break;
        }
        return propertyvalues::normalised(r.access.kind, r.byDefault.value);
    }

    WriteMode m_mode;
    Apply m_apply;
    std::vector<PropertyRow<Data>> m_rows;
};

/// Writes one property of a control: see PropertyTable::set.
template <typename Data, typename Id, typename T>
bool assign(Data& data, Id id, const T& value, bool force = false) {
    return Data::table().set(data, id, value, force);
}

} // namespace glimmer
