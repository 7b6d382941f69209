#pragma once

#include "settings/PracticeSettings.h"

#include <QObject>

#include <string>
#include <vector>

class QAction;
class QLabel;
class QMenu;

namespace glimmer {
class chBut;
}

namespace notaro::app {

class LiveSyntaxCheck;
class PlaybackController;
class ScoreEditor;
class TempoScale;

/// The practice tools of the window: the latching Loop button, the tempo scale and its label
/// in the tool row, the Loop and Panic menu items, the Practice Settings dialog and the pass
/// display of the status line. It hands every change to the playback and keeps para.ini up to
/// date (while a score plays, the file is written once the play has ended, so no write delays
/// a note).
///
/// The label shows the tempo in percent and in quarter notes per minute: of the score at the
/// caret, or while a score plays, of its first note at the tempo in use (a ramp moves the
/// pointer with it; a move of the pointer sets the tempo from the next note).
class PracticeBar : public QObject {
    Q_OBJECT
public:
    /// Creates the controls in row, right of the window's own.
    PracticeBar(QWidget& row, PlaybackController& playback, const ScoreEditor& editor,
                const LiveSyntaxCheck& live, QObject* parent = nullptr);

    /// Reads the settings from para.ini and hands them to the playback.
    /// @return one line per refused value
    std::vector<std::string> load();
    /// Puts Loop above the menu's items and, after a separator, Panic (Ctrl+.) below them.
    void addMenuItems(QMenu& menu);
    /// Practice Settings...: the dialog over parent; OK applies and saves.
    void settingsCommand(QWidget* parent);

    glimmer::chBut* loopButton() const { return cmdLoop_; }
    TempoScale* tempoScale() const { return tempo_; }
    /// For the status line: the pass and its tempo while a loop or a count-in plays.
    QLabel* passLabel() const { return lblPass_; }

private:
    /// Hands settings to the playback, shows them and saves them.
    void apply(const PracticeSettings& settings);
    void show(const PracticeSettings& settings);
    void chooseTempo(int percent);
    void showTempo(int percent, int qnpm);
    void showCaretTempo();
    void passStarted(int32_t pass, int32_t percent, int32_t qnpm);
    void playingStopped();
    void save();

    PlaybackController& playback_;
    const ScoreEditor& editor_;
    const LiveSyntaxCheck& live_;
    glimmer::chBut* cmdLoop_ = nullptr;
    TempoScale* tempo_ = nullptr;
    QLabel* lblTempo_ = nullptr;
    QLabel* lblPass_ = nullptr;
    QAction* loopAction_ = nullptr;
    /// The score's tempo at the first note of the play running.
    int32_t playQnpm_ = 0;
    bool savePending_ = false;
};

} // namespace notaro::app
