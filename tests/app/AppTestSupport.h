#pragma once

#include "app/editor/ScoreEditor.h"
#include "app/editor/SyntaxCheck.h"
#include "playback/ShortMsg.h"
#include "tests/app/ScriptedPrompts.h"
#include "tests/settings/TempConfig.h"

#include <QApplication>
#include <QFile>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace notaro::app::test {

inline const std::string kHeader = "**n[a-b-c]\r\n", kScore = kHeader + "4c 4d\r\n";

inline bool isNoteOn(uint32_t msg) {
    return (playback::statusOf(msg) & 0xF0) == 0x90 && playback::data2Of(msg) > 0;
}

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
    QString qpath(const std::string& name) const { return QString::fromStdString(path(name)); }
};

/// What every controller works on, without a window: a score editor, scripted prompts and the
/// syntax check over both.
class EditorRig : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        editor = std::make_unique<ScoreEditor>();
        syntax = std::make_unique<SyntaxCheck>(*editor, prompts, nullptr);
    }
    /// The text as the user leaves it after typing: modified.
    void typeScore(const std::string& text) {
        editor->setScoreText(text);
        editor->setTextModified(true);
    }

    ScriptedPrompts prompts;
    std::unique_ptr<ScoreEditor> editor;
    std::unique_ptr<SyntaxCheck> syntax;
};

} // namespace notaro::app::test
