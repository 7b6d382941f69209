#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPalette>
#include <QRect>
#include <QVariant>
#include <QtGlobal>
#include <vector>

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
/// Expects property @p name of @p object to hold @p want (an int matches an enumeration's value).
void expectProperty(const QObject& object, const char* name, const QVariant& want);

} // namespace glimmer::test
