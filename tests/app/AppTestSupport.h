#pragma once

#include "tests/settings/TempConfig.h"

#include <QApplication>
#include <QFile>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace notaro::app::test {

/// The one QApplication of the app tests, created on first use with the Fusion style, so that
/// widgets look and measure the same on every machine.
inline QApplication& testApp() {
    static int argc = 1;
    static char* argv[] = {const_cast<char*>("notaro_app_tests"), nullptr};
    static auto* app = new QApplication(argc, argv);
    [[maybe_unused]] static QStyle* style = QApplication::setStyle(QStringLiteral("Fusion"));
    return *app;
}

inline bool showActive(QWidget& w) {
    w.show();
    w.activateWindow();
    return QTest::qWaitForWindowActive(&w);
}

template <class T = QWidget> T* child(const QObject& parent, const char* name) {
    return parent.findChild<T*>(QString::fromLatin1(name));
}

inline int runCli(const std::string& args) {
    return std::system((std::string(NOTARO_BINARY_DIR) + "/bin/notaro-cli " + args).c_str());
}

class AppTest : public notaro::testing::TempConfig {
protected:
    void SetUp() override {
        TempConfig::SetUp();
        testApp();
    }
};

} // namespace notaro::app::test
