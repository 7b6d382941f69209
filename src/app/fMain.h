#pragma once

#include "midi/OnTimeRatios.h"
#include "playback/MidiOutDevice.h"
#include "playback/PlayerListener.h"

#include <QMainWindow>
#include <QTimer>

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QMenu;

namespace glimmer {
class chBut;
class tkHLink;
} // namespace glimmer

namespace notaro {
class cTParse;
namespace playback {

class FluidSynthEngine;
class cGnsPlay;
} // namespace playback
} // namespace notaro

namespace notaro::app {

class LiveSyntaxCheck;
class ScoreEditor;
class UserPrompts;

/// The program's main window and the owner of the open document: the score editor, the tool
/// row, the instrument list, the caret line display and the menus. Every user command starts
/// here; the music work is done by the parser, the converter and the player it hands the
/// editor text to.
///
/// Playing is synchronous: the Play handler calls the player, which runs the event loop while
/// it waits for each note, so the window stays responsive and handles a second Play click or
/// an opened menu by stopping. Commands that would replace or reparse the document wait until
/// the play call has returned.
class fMain : public QMainWindow, private playback::PlayerListener {
    Q_OBJECT
public:
    /// prompts: every message box, file dialog and beep; device: the MIDI output used for
    /// every play (null: the output para.ini names, the built-in synthesizer by default, which
    /// sounds through the window's own synthesizer engine).
    explicit fMain(UserPrompts& prompts, std::unique_ptr<playback::MidiOutDevice> device = {},
                   QWidget* parent = nullptr);
    ~fMain() override;

    /// Opens a score as the Open command does once a path is chosen (the program's argument).
    void openFromCommandLine(const QString& path);

    // What tests and people look at.
    ScoreEditor* editor() const { return txtAram_; }
    LiveSyntaxCheck* liveCheck() const { return liveCheck_; }
    /// The live check's message in the status line ("" for a correct score).
    QString checkMessage() const;
    glimmer::chBut* playButton() const { return cmdPlay_; }
    const QString& currentFileName() const { return currentFileName_; }
    bool isPlaying() const { return isPlaying_; }
    playback::MidiOutDevice& device() const { return *device_; }

    /// The editor selection and tick time at each note or rest the player announced during the
    /// last play, for measuring how closely the display follows the sound.
    struct Highlight {
        int32_t tick;
        int32_t selStart;
        int32_t selLength;
    };
    const std::vector<Highlight>& highlights() const { return highlights_; }

    // The commands, as the menus and buttons run them.
    void newCommand();
    void openCommand();
    void saveCommand();
    void saveAsCommand();
    void saveMidiCommand();
    void exportWavCommand();
    void checkSyntaxCommand();
    void noteTimesCommand();
    void helpContentsCommand();
    void examplesCommand();
    void aboutCommand();
    /// Opens a dropped file as Open does, with the save prompt first.
    void openDropped(const QString& path);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void createControls();
    void createMenus();
    void createStatusLine();
    void formLoad();
    void layoutClient();

    // Document.
    bool querySaveChanges();
    QString askOpenFileName();
    QString askSaveFileName();
    /// The save dialog of an export: "Save as:", the filters, ext added when the name has
    /// no "."; "" when cancelled.
    QString askExportFileName(const std::vector<std::string>& filters, const QString& ext);
    void openScoreFile(const QString& path);
    bool writeDocument(const QString& path);
    void updateTitle();
    void showLineNumber();

    // Syntax and playing.
    bool checkTextSyntax(cTParse& parser);
    void playClicked();
    void startPlay();
    void checkAndPlay();
    void playFromCaret(cTParse& parser);
    void stopPlay();
    void stopIfPlaying();
    void enableEditControls(bool flag);
    int32_t chosenPatch() const;
    /// Runs a command now, or, while a play call is running, stops it and runs the command
    /// once the play call has returned.
    void runCommand(std::function<void()> command);
    void runPendingCommands();

    // Player events.
    void playingNoteLine(int32_t iNote, uint8_t pitchClass, uint8_t octave, uint8_t accidental,
                         int32_t durN, int32_t durD, float tmNoteVal, int32_t durMS,
                         int32_t lineNum, int32_t charPos, int32_t theLen) override;
    void playingRestLine(int32_t iNote, int32_t durN, int32_t durD, int32_t durMS, int32_t lineNum,
                         int32_t charPos, int32_t theLen) override;
    void donePlayingLine(int32_t iNote, int32_t lineNum, int32_t charPos, int32_t theLen) override;
    void abortedPlaying(int32_t iNote, int32_t lineNum, int32_t charPos, int32_t theLen) override;
    void midiOutOpenFailed(const std::string& message, playback::PlaybackResult rc) override;
    void showPlaying(int32_t lineNum, int32_t charPos, int32_t theLen);

    UserPrompts& prompts_;
    /// The built-in synthesizer of every device the window makes; each device holds it too.
    std::shared_ptr<playback::FluidSynthEngine> engine_;
    std::unique_ptr<playback::MidiOutDevice> device_;
    std::unique_ptr<playback::cGnsPlay> gnsPObj_;

    /// What Play, Save As MIDI and the WAV export shorten notes by: para.ini's tables, loaded
    /// at the start and replaced by the Note On-Time dialog's OK.
    OnTimeRatios onTimeRatios_;
    QString currentFileName_;
    bool isPlaying_ = false;
    /// The output follows the MIDI Output choice (false when the owner gave a device).
    bool followsOutputChoice_ = false;
    bool closeAfterPlay_ = false;
    QString openFailure_;
    std::deque<std::function<void()>> pendingCommands_;
    std::vector<Highlight> highlights_;

    QWidget* client_ = nullptr;
    QFrame* lnBelowMenu_ = nullptr;
    glimmer::chBut* cmdNew_ = nullptr;
    glimmer::chBut* cmdOpen_ = nullptr;
    glimmer::chBut* cmdSave_ = nullptr;
    glimmer::chBut* cmdChkSyntax_ = nullptr;
    glimmer::chBut* cmdPlay_ = nullptr;
    glimmer::chBut* cmdSaveMidi_ = nullptr;
    QComboBox* cmbPatch_ = nullptr;
    QCheckBox* chkForcePatch_ = nullptr;
    ScoreEditor* txtAram_ = nullptr;
    QLabel* lblLnNum_ = nullptr;
    QLabel* lblRelated_ = nullptr;
    glimmer::tkHLink* hlnkFirst_ = nullptr;
    QLabel* lblAnd_ = nullptr;
    glimmer::tkHLink* hlnkSecond_ = nullptr;
    QLabel* lblCheck_ = nullptr;
    QTimer playTimer_;
    LiveSyntaxCheck* liveCheck_ = nullptr;
};

} // namespace notaro::app
