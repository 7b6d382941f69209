#pragma once

#include "AppTestSupport.h"
#include "RecordingMidiOut.h"
#include "ScoreEditor.h"
#include "ScriptedPrompts.h"
#include "ShortMsg.h"
#include "fMain.h"

#include <glimmer/chBut.h>

#include <QElapsedTimer>
#include <QTest>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <unistd.h>

namespace notaro::app::test {

/// The real main window with scripted prompts, a recording MIDI output and its own settings
/// and document folder.
class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        testApp();
        char pattern[] = "/tmp/notaro-window-XXXXXX";
        dir = ::mkdtemp(pattern);
        ::setenv("XDG_CONFIG_HOME", (dir / "config").c_str(), 1);
        auto device = std::make_unique<playback::RecordingMidiOut>(
            playback::getTickCount, [this](const playback::TimedShortMsg& m) { onSend(m); });
        midi = device.get();
        window = std::make_unique<fMain>(prompts, std::move(device));
        window->show();
    }
    void TearDown() override {
        window.reset();
        ::unsetenv("XDG_CONFIG_HOME");
        std::filesystem::remove_all(dir);
    }

    ScoreEditor& editor() { return *window->editor(); }
    glimmer::chBut* button(const char* name) {
        return window->findChild<glimmer::chBut*>(QString::fromLatin1(name));
    }
    /// A score as a user leaves it after typing: modified.
    void typeScore(const std::string& text) {
        editor().setScoreText(text);
        editor().setTextModified(true);
    }
    void clickPlay() { QTest::mouseClick(button("cmdPlay"), Qt::LeftButton); }
    /// Runs the event loop until the play command has ended (at most 10 s).
    void waitForPlayEnd() {
        QElapsedTimer t;
        t.start();
        do
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        while ((window->isPlaying() || button("cmdPlay")->Value()) && t.elapsed() < 10000);
    }
    std::string path(const std::string& name) const { return (dir / name).string(); }
    static void writeFile(const std::string& p, const std::string& bytes) {
        std::ofstream(p, std::ios::binary) << bytes;
    }
    static std::string readFile(const std::string& p) {
        std::ifstream in(p, std::ios::binary);
        std::stringstream ss;
        ss << in.rdbuf();
        return ss.str();
    }

    /// Runs at every message the window sends to the MIDI output.
    std::function<void(const playback::TimedShortMsg&)> onSend = [](const auto&) {};

    std::filesystem::path dir;
    ScriptedPrompts prompts;
    playback::RecordingMidiOut* midi = nullptr;
    std::unique_ptr<fMain> window;
};

inline bool isNoteOn(uint32_t msg) {
    return (playback::statusOf(msg) & 0xF0) == 0x90 && playback::data2Of(msg) > 0;
}

} // namespace notaro::app::test
