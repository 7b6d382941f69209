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

#include <QObject>
#include <QRegion>

class QWidget;

namespace glimmer::test {

/// The palette every test runs with, so system colours resolve to known values.
QPalette fixedPalette();
/// The font every test runs with (not antialiased, so text pixels have the exact pen colour).
QFont fixedFont();

quint32 oleAt(const QImage& image, int x, int y);
/// Counts the mouse presses a watched widget gets and gathers the areas it paints.
class EventSpy : public QObject {
public:
    int presses = 0;
    QRegion painted;

protected:
    bool eventFilter(QObject*, QEvent* e) override;
};

/// The bounding box of all pixels of colour @p ole inside @p area (empty when none).
QRect inkBox(const QImage& image, quint32 ole, const QRect& area);
QImage render(QWidget& widget);

/// One expected pixel; negative coordinates count from the right or bottom edge (-1 = last).
struct Px {
    int x, y;
    quint32 ole;
};
void expectPixels(const QImage& image, const std::vector<Px>& pixels);
/// Expects property @p name to hold @p want: an int matches an enumeration, a QColor a picture of
/// that colour (QColor(): none), a font its family, size and weight; invalid: anything.
void expectProperty(const QObject& object, const char* name, const QVariant& want);

/// A persisted property: its value read from an empty bag (invalid: not fixed), another (a QColor:
/// a 4 × 3 picture of it), and the key its change is reported under when not its name.
struct PropertyCase {
    const char* name;
    QVariant byDefault, other;
    const char* key = nullptr;
};
/// Sets each property to its other value; each write is reported once under the property's key,
/// and writing the value held again (but for a picture) reports nothing.
void setOthers(QObject& control, const std::vector<PropertyCase>& cases);
void expectCases(const QObject& control, const std::vector<PropertyCase>& cases, bool defaults);

} // namespace glimmer::test
