#pragma once

#include "../settings/TempConfig.h"

#include <QApplication>
#include <QFile>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace notaro::app::test {

/// The one QApplication of the app tests, created on first use with the Fusion style, so that
/// widgets look and measure the same on every machine; offscreen without a display.
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

/// Shows the widget as the active window; false when it never became active.
inline bool showActive(QWidget& w) {
    w.show();
    w.activateWindow();
    return QTest::qWaitForWindowActive(&w);
}

template <class T = QWidget> T* child(const QObject& parent, const char* name) {
    return parent.findChild<T*>(QString::fromLatin1(name));
}

/// The file's bytes, or "<missing>".
inline std::string fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : "<missing>";
}

/// The exit status of notaro-cli run with the arguments.
inline int runCli(const std::string& args) {
    return std::system((std::string(NOTARO_BINARY_DIR) + "/bin/notaro-cli " + args).c_str());
}

/// A test with the application and a fresh settings folder.
class AppTest : public notaro::testing::TempConfig {
protected:
    void SetUp() override {
        TempConfig::SetUp();
        testApp();
    }
};

} // namespace notaro::app::test
