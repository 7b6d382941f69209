#pragma once

#include "playback/MidiOutDevice.h"

#include <QMainWindow>

#include <functional>
#include <memory>

class QCheckBox;
class QComboBox;
class QFrame;
class QAction;
class QLabel;
class QMenu;
class QSplitter;

namespace glimmer {
class chBut;
class tkHLink;
} // namespace glimmer

namespace notaro::app {

class AutoSave;
class DocumentController;
class RecoveryStore;
class ExportController;
class LiveSyntaxCheck;
class PlaybackController;
class PracticeBar;
class ScoreEditor;
class StaffPane;
class StatusAnnouncer;
class SyntaxCheck;
class UserPrompts;

/// The program's main window: the score editor, the tool row, the instrument list, the caret
/// line display, the status line and the menus. It shows; the controllers act: every menu item
/// and button is wired to the document (New, Open, Save), the exports (MIDI, WAV), the syntax
/// check or the playback, and the window follows what they report (the caption, the Play
/// button, the edit controls greyed while a score plays).
///
/// Playing is synchronous (see PlaybackController): a command started while a score plays,
/// from a menu, a button, a dropped file or closing, stops it first and runs once the play
/// call has returned.
class fMain : public QMainWindow {
    Q_OBJECT
public:
    /// prompts: every message box, file dialog and beep; device: the MIDI output used for
    /// every play (null: the output para.ini names, the built-in synthesizer by default).
    explicit fMain(UserPrompts& prompts, std::unique_ptr<playback::MidiOutDevice> device = {},
                   QWidget* parent = nullptr);
    ~fMain() override;

    // What tests and people look at.
    ScoreEditor* editor() const { return txtAram_; }
    LiveSyntaxCheck* liveCheck() const { return liveCheck_; }
    /// The live check's message in the status line ("" for a correct score).
    QString checkMessage() const;
    glimmer::chBut* playButton() const { return cmdPlay_; }
    DocumentController& document() const { return *document_; }
    PlaybackController& playback() const { return *playback_; }
    PracticeBar& practice() const { return *practice_; }
    StaffPane& staff() const { return *staff_; }
    /// Offers the recovery copies left by copies of the program that ended unexpectedly.
    void offerRecovery();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void createControls();
    void createToolRow();
    void createPracticeBar();
    void createLinks();
    void createControllers(std::unique_ptr<playback::MidiOutDevice> device);
    void connectControls();
    void createMenus();
    void createStatusLine();
    void createStaffPane();
    /// Play / Stop (F5), the note announcements and the focus keys round the editor.
    void createKeyboardCommands(QMenu& tools);
    void formLoad();
    void layoutClient();

    void showLineNumber();
    void enableEditControls(bool flag);
    void stopIfPlaying();
    /// Runs a command now, or once the play call has returned (see PlaybackController).
    void run(std::function<void()> command);
    void openDropped(const QString& path);
    void updateInstrument();
    /// The Play button's click: plays when it latched, stops when it was released.
    void playClicked();
    /// The menu item and F5: a click on the Play button.
    void playCommand();

    // The Tools and Help commands.
    void checkSyntaxCommand();
    void noteTimesCommand();
    void helpContentsCommand();
    void examplesCommand();
    void aboutCommand();

    UserPrompts& prompts_;
    std::unique_ptr<SyntaxCheck> syntax_;
    std::unique_ptr<ExportController> export_;
    DocumentController* document_ = nullptr;
    PlaybackController* playback_ = nullptr;
    PracticeBar* practice_ = nullptr;
    std::unique_ptr<RecoveryStore> recovery_;
    AutoSave* autoSave_ = nullptr;

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
    QSplitter* splitter_ = nullptr;
    StaffPane* staff_ = nullptr;
    QAction* staffAction_ = nullptr;
    QLabel* lblLnNum_ = nullptr;
    QLabel* lblRelated_ = nullptr;
    glimmer::tkHLink* hlnkFirst_ = nullptr;
    QLabel* lblAnd_ = nullptr;
    glimmer::tkHLink* hlnkSecond_ = nullptr;
    QLabel* lblCheck_ = nullptr;
    LiveSyntaxCheck* liveCheck_ = nullptr;
    StatusAnnouncer* status_ = nullptr;
    bool menuStoppedPlay_ = false;
};

} // namespace notaro::app
