#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPalette>
#include <QRect>
#include <QVariant>
#include <QtGlobal>
#include <ostream>
#include <vector>

#include <QDebug>

// Qt values in GoogleTest's messages as Qt's debug stream writes them, not as their bytes.
#define GLIMMER_TEST_PRINT(Type)                                                                   \
    inline void PrintTo(const Type& value, std::ostream* os) {                                     \
        QString text;                                                                              \
        QDebug(&text).nospace() << value;                                                          \
        *os << text.toStdString();                                                                 \
    }
GLIMMER_TEST_PRINT(QString)
GLIMMER_TEST_PRINT(QVariant)
GLIMMER_TEST_PRINT(QFont)
GLIMMER_TEST_PRINT(QColor)
GLIMMER_TEST_PRINT(QRect)
#undef GLIMMER_TEST_PRINT

class QObject;
class QWidget;

namespace glimmer::test {

/// The palette every test runs with, so system colours resolve to known values.
QPalette fixedPalette();
/// The font every test runs with (not antialiased, so text pixels have the exact pen colour).
QFont fixedFont();

/// The colour at (x, y) as 0x00BBGGRR.
quint32 oleAt(const QImage& image, int x, int y);
/// A plain colour value as a QColor.
QColor plain(quint32 ole);
/// The bounding box of all pixels of colour @p ole inside @p area (empty when none).
QRect inkBox(const QImage& image, quint32 ole, const QRect& area);
/// Renders a widget through its paint event into a 32-bit image.
QImage render(QWidget& widget);

/// One expected pixel; negative coordinates count from the right or bottom edge (-1 = last).
struct Px {
    int x, y;
    quint32 ole;
};
/// Expects every pixel of @p pixels in @p image.
void expectPixels(const QImage& image, const std::vector<Px>& pixels);
/// Expects property @p name of @p object to hold @p want: an int matches an enumeration's value,
/// a QColor a picture whose bottom-right pixel has that colour (QColor(): no picture), a font
/// its family, size and weight; an invalid @p want expects nothing.
void expectProperty(const QObject& object, const char* name, const QVariant& want);

/// A persisted property: its value after reading an empty bag (invalid: not fixed), another (a
/// QColor stands for a 4 × 3 picture of that colour), and the key its change is reported under
/// when that is not its name.
struct PropertyCase {
    const char* name;
    QVariant byDefault, other;
    const char* key = nullptr;
};
/// Sets each property to its other value through setProperty; each write must be reported once
/// by propertyChanged, under the property's key, and writing the value held again (but for a
/// picture) reports nothing.
void setOthers(QObject& control, const std::vector<PropertyCase>& cases);
/// Expects each property to hold its default (@p defaults) or its other value.
void expectCases(const QObject& control, const std::vector<PropertyCase>& cases, bool defaults);

} // namespace glimmer::test
