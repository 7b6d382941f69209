#pragma once

#include <QApplication>
#include <QStyleFactory>

namespace notaro::app::test {

/// The one QApplication of the app tests, created on first use with the Fusion style, so that
/// widgets look and measure the same on every machine. Without a display the offscreen platform
/// is chosen.
inline QApplication& testApp() {
    static int argc = 1;
    static char name[] = "notaro_app_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        auto* a = new QApplication(argc, argv);
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        return a;
    }();
    return *app;
}

} // namespace notaro::app::test
