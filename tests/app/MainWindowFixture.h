#pragma once

#include "AppTestSupport.h"
#include "RecordingMidiOut.h"
#include "ScoreEditor.h"
#include "ScriptedPrompts.h"
#include "ShortMsg.h"
#include "fMain.h"

#include "../settings/TempConfig.h"
#include "SilenceCheck.h"

#include <glimmer/chBut.h>

#include <QAction>
#include <QElapsedTimer>
#include <QTest>

#include <functional>

namespace notaro::app::test {

/// The real main window with scripted prompts, a recording MIDI output and its own settings
/// and document folder.
class MainWindowTest : public notaro::testing::TempConfig {
protected:
    void SetUp() override {
        TempConfig::SetUp();
        testApp();
        auto device = std::make_unique<playback::RecordingMidiOut>(
            playback::getTickCount, [this](const playback::TimedShortMsg& m) { onSend(m); });
        midi = device.get();
        window = std::make_unique<fMain>(prompts, std::move(device));
        window->show();
    }
    void TearDown() override {
        window.reset();
        TempConfig::TearDown();
    }

    ScoreEditor& editor() { return *window->editor(); }
    glimmer::chBut* button(const char* name) {
        return window->findChild<glimmer::chBut*>(QString::fromLatin1(name));
    }
    void trigger(const char* action) {
        window->findChild<QAction*>(QString::fromLatin1(action))->trigger();
    }
    /// The caption, the document's file name and "*" when modified, joined with "|".
    std::string documentState() {
        return (window->windowTitle() + "|" + window->currentFileName() + "|" +
                (editor().isTextModified() ? "*" : ""))
            .toStdString();
    }
    /// A score as a user leaves it after typing: modified.
    void typeScore(const std::string& text) {
        editor().setScoreText(text);
        editor().setTextModified(true);
    }
    /// Clicks Play and runs the event loop until the play command has ended (at most 10 s).
    void playToEnd() {
        QTest::mouseClick(button("cmdPlay"), Qt::LeftButton);
        QElapsedTimer t;
        t.start();
        do
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        while ((window->isPlaying() || button("cmdPlay")->Value()) && t.elapsed() < 10000);
    }
    /// The notes and wheels the output was left sounding with ("" = silent).
    std::string leftSounding() const {
        std::vector<uint32_t> msgs;
        for (const auto& m : midi->messages())
            msgs.push_back(m.msg);
        return notaro::testing::leftSounding(msgs);
    }

    /// Runs at every message the window sends to the MIDI output.
    std::function<void(const playback::TimedShortMsg&)> onSend = [](const auto&) {};
    ScriptedPrompts prompts;
    playback::RecordingMidiOut* midi = nullptr;
    std::unique_ptr<fMain> window;
};

inline bool isNoteOn(uint32_t msg) {
    return (playback::statusOf(msg) & 0xF0) == 0x90 && playback::data2Of(msg) > 0;
}

} // namespace notaro::app::test
