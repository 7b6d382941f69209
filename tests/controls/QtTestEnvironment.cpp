#include "QtTestEnvironment.h"

#include <glimmer/OleColor.h>

#include <QApplication>
#include <QStyleFactory>
#include <QWidget>
#include <gtest/gtest.h>

namespace glimmer::test {

QPalette fixedPalette() {
    QPalette p;
    const auto set = [&p](QPalette::ColorRole role, QColor c) {
        for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
            p.setColor(group, role, c);
    };
    set(QPalette::Window, QColor(236, 233, 216));
    set(QPalette::WindowText, QColor(16, 16, 16));
    set(QPalette::Base, QColor(255, 255, 255));
    set(QPalette::Text, QColor(0, 0, 0));
    set(QPalette::Button, QColor(212, 208, 200));
    set(QPalette::ButtonText, QColor(0, 0, 0));
    set(QPalette::Light, QColor(255, 255, 255));
    set(QPalette::Midlight, QColor(227, 227, 227));
    set(QPalette::Dark, QColor(128, 128, 128));
    set(QPalette::Mid, QColor(160, 160, 160));
    set(QPalette::Shadow, QColor(64, 64, 64));
    set(QPalette::Highlight, QColor(10, 36, 106));
    set(QPalette::HighlightedText, QColor(255, 255, 255));
    set(QPalette::Link, QColor(0, 0, 255));
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

QColor plain(quint32 ole) {
    return OleColor::toColor(ole, QPalette());
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
    if (want.typeId() == QMetaType::Int)
        EXPECT_EQ(got.toInt(), want.toInt()) << name;
    else
        EXPECT_EQ(got, want) << name;
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
