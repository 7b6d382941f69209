// The main window's Check Syntax, Play / Stop and Save As MIDI, driven as a user drives them.
#include "MainWindowFixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QMenu>
#include <QTimer>

namespace notaro::app::test {
namespace {

const std::string kHeader = "**n[a-b-c]\r\n";

TEST_F(MainWindowTest, CheckSyntaxSelectsTheFaultBeforeTheMessageShows) {
    struct Case {
        std::string score;
        QString selected; // what the editor shows selected while the message is open
        QString message;
        UserPrompts::Icon icon;
    };
    const Case cases[] = {
        {kHeader + "4c 4d 4x 4e\r\n", "4x", "Error: Invalid note/rest",
         UserPrompts::Icon::Exclamation},
        {kHeader + "*t[abc]\r\n4c\r\n", "*t[abc]", "Error: Incorrect tempo",
         UserPrompts::Icon::Exclamation},
        {kHeader + "4c 4d\r\n", "", "The syntax is correct", UserPrompts::Icon::Information},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.score);
        typeScore(c.score);
        QString selectedAtMessage = "-";
        prompts.onMessage = [&](const auto&) {
            selectedAtMessage = editor().textCursor().selectedText();
        };
        prompts.messages.clear();
        window->findChild<QAction*>("mnu_Tools_Syntax")->trigger();
        ASSERT_EQ(prompts.messages.size(), 1u);
        EXPECT_EQ(prompts.messages[0].text, c.message);
        EXPECT_EQ(prompts.messages[0].icon, c.icon);
        EXPECT_EQ(selectedAtMessage, c.selected);
    }
}

TEST_F(MainWindowTest, PlaySelectsEachNoteAsItSoundsWithTheEditControlsDisabled) {
    typeScore(kHeader + "*t[600]\r\n16c 16: 16d\r\n16.e\r\n");
    QStringList selectedAtNoteOn;
    bool editControlsEnabled = true;
    onSend = [&](const playback::TimedShortMsg& m) {
        if (!isNoteOn(m.msg))
            return;
        selectedAtNoteOn << editor().textCursor().selectedText();
        editControlsEnabled = editControlsEnabled && button("cmdNew")->isEnabled();
    };
    clickPlay();
    waitForPlayEnd();
    EXPECT_EQ(selectedAtNoteOn, QStringList({"16c", "16d", "16.e"}));
    EXPECT_FALSE(editControlsEnabled);
    EXPECT_TRUE(button("cmdNew")->isEnabled());
    EXPECT_FALSE(button("cmdPlay")->Value());
    EXPECT_TRUE(editor().hasFocus());
    EXPECT_EQ(midi->closeCount(), 1);
}

TEST_F(MainWindowTest, PlayStartsAtTheCaretAndFollowsTheInstrumentChoice) {
    struct Case {
        int caret; // character index of the caret
        bool force;
        int patch;   // cmbPatch index
        int notes;   // note-ons expected
        int program; // program in force at the first note, -1 for none
    };
    // The score's own instrument is 5; "Violin" is item 40.
    const std::string score = kHeader + "*i[5]\r\n*t[600]\r\n16c 16d\r\n16e\r\n";
    const int secondLine = static_cast<int>(score.find("16e"));
    const Case cases[] = {
        {0, false, 40, 3, 5},
        {0, true, 40, 3, 40},
        {secondLine, false, 0, 1, 5},
        {static_cast<int>(score.size()), false, 0, 0, -1}, // after the last note: nothing sounds
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caret);
        typeScore(score);
        window->findChild<QComboBox*>("cmbPatch")->setCurrentIndex(c.patch);
        window->findChild<QCheckBox*>("chkForcePatch")->setChecked(c.force);
        editor().selectChars(c.caret, 0);
        midi->clearMessages();
        clickPlay();
        waitForPlayEnd();
        int notes = 0, program = -1; // the program in force at the first note
        for (const auto& m : midi->messages()) {
            notes += isNoteOn(m.msg);
            if ((playback::statusOf(m.msg) & 0xF0) == 0xC0 && notes == 0)
                program = playback::data1Of(m.msg);
        }
        EXPECT_EQ(notes, c.notes);
        EXPECT_EQ(program, c.program);
        EXPECT_FALSE(button("cmdPlay")->Value());
    }
}

TEST_F(MainWindowTest, ASecondClickOrAnOpenedMenuStopsPlayingAndSilences) {
    const std::function<void()> stoppers[] = {
        [this] { clickPlay(); },
        [this] { window->findChild<QMenu*>("mnu_Tools")->popup(QPoint(0, 0)); },
    };
    for (const auto& stop : stoppers) {
        typeScore(kHeader + "*t[60]\r\n1c 1d 1e 1f 1g\r\n");
        midi->clearMessages();
        bool stopped = false;
        onSend = [&](const playback::TimedShortMsg& m) {
            if (isNoteOn(m.msg) && !stopped) {
                stopped = true;
                QTimer::singleShot(30, window.get(), stop);
            }
        };
        QElapsedTimer t;
        t.start();
        clickPlay();
        waitForPlayEnd();
        EXPECT_LT(t.elapsed(), 3000) << "five whole notes at 60 take 20 s";
        int sounding = 0;
        for (const auto& m : midi->messages()) {
            const int type = playback::statusOf(m.msg) & 0xF0;
            sounding += isNoteOn(m.msg) ? 1 : (type == 0x80 || type == 0x90) ? -1 : 0;
        }
        EXPECT_EQ(sounding, 0) << "a note was left sounding";
        EXPECT_TRUE(button("cmdSave")->isEnabled());
        if (QMenu* menu = window->findChild<QMenu*>("mnu_Tools"))
            menu->hide();
    }
}

TEST_F(MainWindowTest, ClosingWhilePlayingStopsFirstThenAsksToSave) {
    typeScore(kHeader + "*t[60]\r\n1c 1d 1e\r\n");
    prompts.answers = {UserPrompts::Answer::Cancel};
    onSend = [&](const playback::TimedShortMsg& m) {
        if (isNoteOn(m.msg))
            QTimer::singleShot(10, window.get(), [this] { window->close(); });
    };
    clickPlay();
    waitForPlayEnd();
    QCoreApplication::processEvents();
    EXPECT_EQ(prompts.questions, 1);
    EXPECT_TRUE(window->isVisible()) << "Cancel keeps the window";
    EXPECT_FALSE(window->isPlaying());
}

TEST_F(MainWindowTest, DeviceThatDoesNotOpenIsReportedAfterThePlayCall) {
    typeScore(kHeader + "4c\r\n");
    midi->failOpenWith(2);
    clickPlay();
    waitForPlayEnd();
    EXPECT_EQ(prompts.texts(), QStringList({"Couldn't open midi out, rc = 2"}));
    EXPECT_FALSE(button("cmdPlay")->Value());
}

TEST_F(MainWindowTest, SaveAsMidiWritesWhatTheCommandLineToolWrites) {
    const std::string score =
        kHeader + "*i[5]\r\n!!$3, Tune\r\n*t[90]\r\n4c 8d+ 4e[ 4e] 8f( 8g)\r\n4a' 2:\r\n";
    const std::string scorePath = path("tune.NTR");
    writeFile(scorePath, score);
    for (const bool force : {false, true}) {
        SCOPED_TRACE(force);
        typeScore(score);
        window->findChild<QComboBox*>("cmbPatch")->setCurrentIndex(40);
        window->findChild<QCheckBox*>("chkForcePatch")->setChecked(force);
        const std::string ours = path(force ? "forced" : "own"); // ".mid" is added
        prompts.fileAnswers = {QString::fromStdString(ours)};
        window->findChild<QAction*>("mnu_File_SaveMidi")->trigger();
        ASSERT_FALSE(prompts.dialogs.empty()) << prompts.texts().join(";").toStdString();
        EXPECT_TRUE(prompts.dialogWasSave.back());
        EXPECT_EQ(prompts.dialogs.back().title, "Save as:");

        const std::string theirs = path("cli.mid");
        std::string cmd = std::string(NOTARO_BINARY_DIR) + "/bin/notaro-cli midi -o " + theirs;
        if (force)
            cmd += " --instrument 40";
        ASSERT_EQ(std::system((cmd + " " + scorePath).c_str()), 0);
        const std::string bytes = readFile(ours + ".mid");
        EXPECT_FALSE(bytes.empty());
        EXPECT_EQ(bytes, readFile(theirs));
    }
    EXPECT_TRUE(prompts.messages.empty());
    // A path that cannot be written is reported.
    prompts.fileAnswers = {QString::fromStdString(path("no/such/folder/x.mid"))};
    window->findChild<QAction*>("mnu_File_SaveMidi")->trigger();
    EXPECT_EQ(prompts.texts(), QStringList({"Failed to save as Midi."}));
}

} // namespace
} // namespace notaro::app::test
