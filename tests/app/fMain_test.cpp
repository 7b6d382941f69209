#include "app/editor/LiveSyntaxCheck.h"
#include "app/editor/ScoreEditor.h"
#include "app/fMain.h"
#include "app/shell/AppValues.h"
#include "playback/RecordingMidiOut.h"
#include "playback/ShortMsg.h"
#include "tests/app/AppTestSupport.h"
#include "tests/app/ScriptedPrompts.h"

#include <glimmer/chBut.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QSignalSpy>
#include <QTimer>

namespace notaro::app::test {
namespace {

using Answer = UserPrompts::Answer;
using Icon = UserPrompts::Icon;
namespace fs = std::filesystem;
const std::string kHeader = "**n[a-b-c]\r\n", kScore = kHeader + "4c 4d\r\n";

bool isNoteOn(uint32_t msg) {
    return (playback::statusOf(msg) & 0xF0) == 0x90 && playback::data2Of(msg) > 0;
}

/// The real main window with scripted prompts, a recording MIDI output (onSend runs at every
/// message sent to it) and its own settings and document folder.
class MainWindowTest : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        auto device = std::make_unique<playback::RecordingMidiOut>(
            playback::getTickCount, [this](const playback::TimedShortMsg& m) { onSend(m); });
        midi = device.get();
        window = std::make_unique<fMain>(prompts, std::move(device));
        window->show();
    }
    void TearDown() override {
        window.reset();
        AppTest::TearDown();
    }

    ScoreEditor& editor() { return *window->editor(); }
    glimmer::chBut* button(const char* name) { return child<glimmer::chBut>(*window, name); }
    void trigger(const char* action) { child<QAction>(*window, action)->trigger(); }
    /// The caption, the document's file name and "*" when modified, joined with "|".
    std::string documentState() {
        return (window->windowTitle() + "|" + window->currentFileName() + "|" +
                (editor().isTextModified() ? "*" : ""))
            .toStdString();
    }
    void typeScore(const std::string& text) {
        editor().setScoreText(text);
        editor().setTextModified(true);
    }
    /// Clicks Play and runs the event loop until the play command has ended (at most 10 s).
    void playToEnd() {
        QTest::mouseClick(button("cmdPlay"), Qt::LeftButton);
        (void)QTest::qWaitFor(
            [this] { return !window->isPlaying() && !button("cmdPlay")->Value(); }, 10000);
    }

    std::function<void(const playback::TimedShortMsg&)> onSend = [](const auto&) {};
    ScriptedPrompts prompts;
    playback::RecordingMidiOut* midi = nullptr;
    std::unique_ptr<fMain> window;
};

TEST_F(MainWindowTest, OpenOrDropTrimsBlanksNamesTheWindowOrRefusesAndKeepsTheDocument) {
    EXPECT_EQ(window->windowTitle(), "Notaro 1.4 -- New Document");
    writeFile(path("a.NTR"), "  \t**n[a-b-c]\n4c 4d\n  ");
    prompts.fileAnswers = {QString::fromStdString("  " + path("a.NTR") + " ")};
    trigger("mnu_File_Open");
    EXPECT_EQ(editor().scoreText(), "\t**n[a-b-c]\r\n4c 4d\r\n");
    EXPECT_EQ(documentState(), "Notaro 1.4 -- a.NTR|" + path("a.NTR") + "|");
    const auto& [shown, save] = prompts.dialogs.back();
    EXPECT_EQ(shown.title + "|" + shown.initialFolder, "Open file:|" + appValues().samplesFolder);
    EXPECT_FALSE(save);

    writeFile(path("exact.NTR"), std::string(64000, 'x'));
    writeFile(path("over.NTR"), std::string(64001, 'x'));
    writeFile(path("huge.NTR"), std::string(300000, 'x')); // refused unread
    // the file opened, the message ("" = opened)
    const std::pair<std::string, QString> cases[] = {{"over.NTR", "File is too long."},
                                                     {"huge.NTR", "File is too long."},
                                                     {"missing.NTR", "Cannot open the file."},
                                                     {"", "Cannot open the file."}, // a folder
                                                     {"exact.NTR", ""}};
    for (const auto& [file, message] : cases) {
        SCOPED_TRACE(file);
        editor().setScoreText(kScore);
        prompts.messages.clear();
        window->openFromCommandLine(QString::fromStdString(path(file)));
        EXPECT_EQ(prompts.texts(), message.isEmpty() ? QStringList() : QStringList({message}));
        EXPECT_EQ(editor().scoreLength(), message.isEmpty() ? 64000 : int(kScore.size()));
    }

    writeFile(path("dropped.NTR"), "**n[a-b-c]\n4g\n");
    typeScore(kScore);
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(path("dropped.NTR")))});
    prompts.answers = {Answer::No};
    QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(editor().viewport(), &enter);
    QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(editor().viewport(), &drop);
    EXPECT_EQ(editor().scoreText(), "**n[a-b-c]\r\n4g\r\n");
    EXPECT_EQ(documentState(), "Notaro 1.4 -- dropped.NTR|" + path("dropped.NTR") + "|");
    EXPECT_EQ(prompts.questions, 1);
}

TEST_F(MainWindowTest, SaveOfANewDocumentAsksForANameAndAddsTheExtension) {
    fs::create_directory(dir_ / "my.folder");
    for (const auto& [answer, written] : {std::pair{"tune", "tune.NTR"},
                                          {"my.folder/tune", "my.folder/tune.NTR"},
                                          {"song.txt", "song.txt"}}) {
        SCOPED_TRACE(answer);
        trigger("mnu_File_New");
        typeScore(kScore);
        prompts.fileAnswers = {QString::fromStdString(path(answer))};
        trigger("mnu_File_Save");
        EXPECT_EQ(readFile(path(written)), kScore);
        EXPECT_EQ(documentState(), "Notaro 1.4 -- " + fs::path(written).filename().string() + "|" +
                                       path(written) + "|");
    }
    // A named document saves without asking; Save As asks in the document's folder; a failed
    // write keeps the old file, the name and the modified flag.
    typeScore(kScore + "4e\r\n");
    const size_t asked = prompts.dialogs.size();
    trigger("mnu_File_Save");
    EXPECT_EQ(prompts.dialogs.size(), asked);
    typeScore("changed\r\n");
    fs::create_directory(dir_ / "taken.NTR"); // a folder stands where the file would go
    prompts.fileAnswers = {QString::fromStdString(path("taken.NTR"))};
    trigger("mnu_File_SaveAs");
    const fileDialogRequest& shown = prompts.dialogs.back().first;
    EXPECT_EQ(shown.initialFolder + "|" + shown.fileName,
              QString::fromStdString(dir_.string() + "|song.txt"));
    EXPECT_EQ(prompts.texts(), QStringList({"Failed to save file"}));
    EXPECT_EQ(documentState(), "Notaro 1.4 -- song.txt|" + path("song.txt") + "|*");
    EXPECT_EQ(readFile(path("song.txt")), kScore + "4e\r\n");
}

TEST_F(MainWindowTest, TheSavePromptTakesEveryBranch) {
    // answer, path chosen in the dialog ("" cancels it), the write fails, New goes on, written
    const std::tuple<Answer, const char*, bool, bool, bool> cases[] = {
        {Answer::No, "", false, true, false},
        {Answer::Cancel, "", false, false, false},
        {Answer::Yes, "kept", false, true, true},
        {Answer::Yes, "", false, false, false},
        {Answer::Yes, "folder.NTR", true, false, false}};
    fs::create_directory(dir_ / "folder.NTR");
    for (const auto& [answer, chosen, writeFails, proceeds, written] : cases) {
        SCOPED_TRACE(std::string(chosen) + std::to_string(int(answer)));
        trigger("mnu_File_New");
        typeScore(kScore);
        prompts.messages.clear();
        prompts.answers = {answer};
        prompts.fileAnswers = {*chosen ? QString::fromStdString(path(chosen)) : ""};
        trigger("mnu_File_New");
        EXPECT_EQ(prompts.messages.front().text, "Do you want to save changes?");
        EXPECT_EQ(editor().scoreText().empty(), proceeds);
        EXPECT_EQ(editor().isTextModified(), !proceeds);
        EXPECT_EQ(fs::exists(path("kept.NTR")), written);
        EXPECT_EQ(prompts.texts().contains("Failed to save file"), writeFails);
        fs::remove(path("kept.NTR"));
    }
}

TEST_F(MainWindowTest, LayoutKeepsTheEditorAboveTheLineDisplayWhichFollowsTheCaret) {
    QWidget* client = window->centralWidget();
    auto* line = child<QLabel>(*window, "lblLnNum");
    window->resize(800, 600);
    QCoreApplication::processEvents();
    EXPECT_EQ(line->geometry().bottom(), client->height() - 1);
    EXPECT_EQ(editor().width(), client->width());
    EXPECT_EQ(editor().geometry().bottom() + 1, line->y() - 2);
    const int height = editor().height();
    window->resize(300, 60); // the editor would be 40 twips or less
    QCoreApplication::processEvents();
    EXPECT_EQ(editor().height(), height);
    typeScore(kScore);
    editor().selectChars(0, 0);
    QTest::keyClick(&editor(), Qt::Key_Down);
    EXPECT_EQ(line->text(), "Line 2");
}

TEST_F(MainWindowTest, TypingMarksTheFirstErrorAndFixingItClearsTheMark) {
    LiveSyntaxCheck& live = *window->liveCheck();
    QSignalSpy checked(&live, &LiveSyntaxCheck::checked);
    // score, mark start (characters, é counting once), mark length, message
    const std::tuple<std::string, int, int, QString> cases[] = {
        {"**n[a-b-c]\r\n4c 4é 4e\r\n*t[x]\r\n", 15, 2, "Line 2: Error: Invalid note/rest"},
        {kScore, 0, 0, ""}};
    for (const auto& [score, start, length, message] : cases) {
        editor().setScoreText(score);
        EXPECT_TRUE(live.timer().isActive()) << "a change starts the quiet-time timer";
        live.timer().start(0); // instead of the half second a user waits
        ASSERT_TRUE(checked.wait(5000));
        EXPECT_EQ(editor().errorMarkStart() * !!length, start);
        EXPECT_EQ(editor().errorMarkLength(), length);
        EXPECT_EQ(window->checkMessage(), message);
    }
    EXPECT_TRUE(prompts.messages.empty()) << "the live check shows no message box";
}

TEST_F(MainWindowTest, CheckSyntaxSelectsTheFaultBeforeTheMessageShows) {
    // score, what the editor shows selected while the message is open, message, icon
    const std::tuple<std::string, QString, QString, Icon> cases[] = {
        {kHeader + "4c 4d 4x 4e\r\n", "4x", "Error: Invalid note/rest", Icon::Exclamation},
        {kHeader + "4c 4d\r\n", "", "The syntax is correct", Icon::Information}};
    for (const auto& [score, selected, message, icon] : cases) {
        typeScore(score);
        QString selectedAtMessage = "-";
        prompts.onMessage = [&](const auto&) {
            selectedAtMessage = editor().textCursor().selectedText();
        };
        prompts.messages.clear();
        trigger("mnu_Tools_Syntax");
        ASSERT_EQ(prompts.messages.size(), 1u);
        EXPECT_EQ(prompts.messages[0].text, message);
        EXPECT_EQ(prompts.messages[0].icon, icon);
        EXPECT_EQ(selectedAtMessage, selected);
    }
}

TEST_F(MainWindowTest, PlayStartsAtTheCaretSelectsEachNoteAndFollowsTheInstrument) {
    // The score's own instrument is 5; "Violin" is item 40.
    const std::string score = kHeader + "*i[5]\r\n*t[600]\r\n16c 16: 16d\r\n16.e\r\n";
    const int secondLine = static_cast<int>(score.find("16.e")), end = int(score.size());
    // caret, force, patch, selected at each note-on, program in force at the first note or -1
    const std::tuple<int, bool, int, QStringList, int> cases[] = {
        {0, false, 40, {"16c", "16d", "16.e"}, 5},
        {0, true, 40, {"16c", "16d", "16.e"}, 40},
        {secondLine, false, 0, {"16.e"}, 5},
        {end, false, 0, {}, -1}}; // after the last note: nothing sounds
    for (const auto& [caret, force, patch, expectedSelections, expectedProgram] : cases) {
        SCOPED_TRACE(caret);
        typeScore(score);
        child<QComboBox>(*window, "cmbPatch")->setCurrentIndex(patch);
        child<QCheckBox>(*window, "chkForcePatch")->setChecked(force);
        editor().selectChars(caret, 0);
        midi->clearMessages();
        QStringList selected;
        bool editControlsEnabled = false;
        onSend = [&](const playback::TimedShortMsg& m) {
            if (!isNoteOn(m.msg))
                return;
            selected << editor().textCursor().selectedText();
            editControlsEnabled = editControlsEnabled || button("cmdNew")->isEnabled();
        };
        playToEnd();
        int program = -1, notes = 0;
        for (const auto& m : midi->messages())
            if ((notes += isNoteOn(m.msg)) == 0 && (playback::statusOf(m.msg) & 0xF0) == 0xC0)
                program = playback::data1Of(m.msg);
        EXPECT_EQ(selected, expectedSelections);
        EXPECT_EQ(program, expectedProgram);
        EXPECT_FALSE(editControlsEnabled);
        EXPECT_TRUE(button("cmdNew")->isEnabled());
        EXPECT_FALSE(button("cmdPlay")->Value());
    }
    EXPECT_TRUE(editor().hasFocus());
    EXPECT_EQ(midi->closeCount(), 3);
    midi->failOpenWith(2);
    editor().selectChars(0, 0);
    playToEnd();
    EXPECT_EQ(prompts.texts(), QStringList({"Couldn't open midi out, rc = 2"}));
    EXPECT_FALSE(button("cmdPlay")->Value());
}

TEST_F(MainWindowTest, ASecondClickAMenuOrClosingStopsPlaying) {
    const std::function<void()> stoppers[] = {
        [this] { QTest::mouseClick(button("cmdPlay"), Qt::LeftButton); },
        [this] { child<QMenu>(*window, "mnu_Tools")->popup(QPoint(0, 0)); },
        [this] { window->close(); }}; // stops first, then asks to save: Cancel keeps the window
    prompts.answers = {Answer::Cancel};
    for (const auto& stop : stoppers) {
        typeScore(kHeader + "*t[60]\r\n1c 1d 1e 1f 1g\r\n");
        bool stopped = false;
        onSend = [&](const playback::TimedShortMsg& m) {
            if (isNoteOn(m.msg) && !stopped) {
                stopped = true;
                QTimer::singleShot(30, window.get(), stop);
            }
        };
        QElapsedTimer t;
        t.start();
        playToEnd();
        QCoreApplication::processEvents();
        EXPECT_LT(t.elapsed(), 3000) << "five whole notes at 60 take 20 s";
        EXPECT_TRUE(button("cmdSave")->isEnabled());
        child<QMenu>(*window, "mnu_Tools")->hide();
    }
    EXPECT_EQ(prompts.questions, 1);
    EXPECT_TRUE(window->isVisible());
}

TEST_F(MainWindowTest, SaveAsMidiWritesWhatTheCommandLineToolWrites) {
    const std::string score = kHeader + "*i[5]\r\n*t[90]\r\n4c 8d+ 4e[ 4e]\r\n";
    writeFile(path("tune.NTR"), score);
    for (const bool force : {false, true}) {
        SCOPED_TRACE(force);
        typeScore(score);
        child<QComboBox>(*window, "cmbPatch")->setCurrentIndex(40);
        child<QCheckBox>(*window, "chkForcePatch")->setChecked(force);
        const std::string ours = path(force ? "forced" : "own"); // ".mid" is added
        prompts.fileAnswers = {QString::fromStdString(ours)};
        trigger("mnu_File_SaveMidi");
        ASSERT_FALSE(prompts.dialogs.empty()) << prompts.texts().join(";").toStdString();
        EXPECT_TRUE(prompts.dialogs.back().second);
        EXPECT_EQ(prompts.dialogs.back().first.title, "Save as:");
        ASSERT_EQ(runCli("midi -o " + path("cli.mid") + (force ? " --instrument 40 " : " ") +
                         path("tune.NTR")),
                  0);
        EXPECT_EQ(readFile(ours + ".mid"), readFile(path("cli.mid")));
    }
    EXPECT_TRUE(prompts.messages.empty());
    prompts.fileAnswers = {QString::fromStdString(path("no/such/folder/x.mid"))};
    trigger("mnu_File_SaveMidi");
    EXPECT_EQ(prompts.texts(), QStringList({"Failed to save as Midi."}));
}

} // namespace
} // namespace notaro::app::test
