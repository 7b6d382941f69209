#include "tests/controls/QtTestEnvironment.h"

#include <glimmer/OleColor.h>

#include <QApplication>
#include <QPaintEvent>
#include <QPixmap>
#include <QSignalSpy>
#include <QStyleFactory>
#include <QWidget>
#include <gtest/gtest.h>
#include <tuple>

namespace glimmer::test {

QPalette fixedPalette() {
    QPalette p;
    // clang-format off
    const std::pair<QPalette::ColorRole, QRgb> roles[] = {
        {QPalette::Window, qRgb(236, 233, 216)}, {QPalette::WindowText, qRgb(16, 16, 16)},
        {QPalette::Base, qRgb(255, 255, 255)}, {QPalette::Text, qRgb(0, 0, 0)},
        {QPalette::Button, qRgb(212, 208, 200)}, {QPalette::ButtonText, qRgb(0, 0, 0)},
        {QPalette::Light, qRgb(255, 255, 255)}, {QPalette::Midlight, qRgb(227, 227, 227)},
        {QPalette::Dark, qRgb(128, 128, 128)}, {QPalette::Mid, qRgb(160, 160, 160)},
        {QPalette::Shadow, qRgb(64, 64, 64)}, {QPalette::Highlight, qRgb(10, 36, 106)},
        {QPalette::HighlightedText, qRgb(255, 255, 255)}, {QPalette::Link, qRgb(0, 0, 255)}};
    // clang-format on
    for (const auto& [role, rgb] : roles)
        p.setColor(QPalette::All, role, QColor(rgb));
    return p;
}

QFont fixedFont() {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(12);
    f.setStyleStrategy(QFont::NoAntialias);
    return f;
}

quint32 oleAt(const QImage& image, int x, int y) {
    return OleColor::fromColor(image.pixelColor(x, y));
}

bool EventSpy::eventFilter(QObject*, QEvent* e) {
    if (e->type() == QEvent::MouseButtonPress)
        ++presses;
    else if (e->type() == QEvent::Paint)
        painted += static_cast<QPaintEvent*>(e)->region();
    return false;
}

QRect inkBox(const QImage& image, quint32 ole, const QRect& area) {
    QRect box;
    const QRect r = area.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) {
            if (oleAt(image, x, y) == ole)
                box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}

QImage render(QWidget& widget) {
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

void expectPixels(const QImage& image, const std::vector<Px>& pixels) {
    for (const Px& p : pixels) {
        const int x = p.x < 0 ? image.width() + p.x : p.x;
        const int y = p.y < 0 ? image.height() + p.y : p.y;
        EXPECT_EQ(oleAt(image, x, y), p.ole) << "pixel (" << x << ", " << y << ")";
    }
}

void expectProperty(const QObject& object, const char* name, const QVariant& want) {
    const QVariant got = object.property(name);
    EXPECT_TRUE(got.isValid()) << "no property " << name;
    if (!want.isValid())
        return;
    if (want.typeId() == QMetaType::QColor) {
        const QImage img = got.value<QPixmap>().toImage();
        EXPECT_EQ(img.isNull() ? QColor() : img.pixelColor(3, 2), want.value<QColor>()) << name;
    } else if (want.typeId() == QMetaType::QFont) {
        const QFont f = got.value<QFont>(), w = want.value<QFont>();
        EXPECT_EQ(std::tuple(f.family(), f.pointSize(), f.bold()),
                  std::tuple(w.family(), w.pointSize(), w.bold()))
            << name;
    } else if (want.typeId() == QMetaType::Int)
        EXPECT_EQ(got.toInt(), want.toInt()) << name;
    else
        EXPECT_EQ(got, want) << name;
}

void setOthers(QObject& control, const std::vector<PropertyCase>& cases) {
    QSignalSpy spy(&control, SIGNAL(propertyChanged(QString)));
    for (const PropertyCase& c : cases) {
        spy.clear();
        const bool picture = c.other.typeId() == QMetaType::QColor;
        QImage img(4, 3, QImage::Format_RGB32);
        img.fill(c.other.value<QColor>());
        const QVariant value = picture ? QVariant(QPixmap::fromImage(img)) : c.other;
        EXPECT_TRUE(control.setProperty(c.name, value)) << c.name;
        if (!picture)
            control.setProperty(c.name, value); // the value it holds: nothing to report
        ASSERT_EQ(spy.count(), 1) << c.name;
        EXPECT_EQ(spy.at(0).at(0).toString().toLower(),
                  QString::fromLatin1(c.key ? c.key : c.name).toLower());
    }
}

void expectCases(const QObject& control, const std::vector<PropertyCase>& cases, bool defaults) {
    for (const PropertyCase& c : cases)
        expectProperty(control, c.name, defaults ? c.byDefault : c.other);
}

namespace {

/// Creates the application object once the test program runs (never in a static initialiser).
class QtTestEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "glimmer_tests";
        static char* argv[] = {name, nullptr};
        QApplication::setAttribute(Qt::AA_Use96Dpi);
        m_app = new QApplication(argc, argv);
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        QApplication::setPalette(fixedPalette());
        QApplication::setFont(fixedFont());
    }
    void TearDown() override {
        delete m_app;
        m_app = nullptr;
    }

private:
    QApplication* m_app = nullptr;
};

[[maybe_unused]] ::testing::Environment* const environment =
    ::testing::AddGlobalTestEnvironment(new QtTestEnvironment);

} // namespace
} // namespace glimmer::test
