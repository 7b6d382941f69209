// The main window's Check Syntax, Play / Stop and Save As MIDI, driven as a user drives them.
#include "MainWindowFixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QMenu>
#include <QTimer>

namespace notaro::app::test {
namespace {

using Icon = UserPrompts::Icon;
const std::string kHeader = "**n[a-b-c]\r\n";

TEST_F(MainWindowTest, CheckSyntaxSelectsTheFaultBeforeTheMessageShows) {
    // score, what the editor shows selected while the message is open, message, icon
    const std::tuple<std::string, QString, QString, Icon> cases[] = {
        {kHeader + "4c 4d 4x 4e\r\n", "4x", "Error: Invalid note/rest", Icon::Exclamation},
        {kHeader + "*t[abc]\r\n4c\r\n", "*t[abc]", "Error: Incorrect tempo", Icon::Exclamation},
        {kHeader + "4c 4d\r\n", "", "The syntax is correct", Icon::Information},
    };
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
    struct Case {
        int caret, force, patch;
        QStringList selected; // at each note-on
        int program;          // in force at the first note, or -1
    };
    const Case cases[] = {
        {0, false, 40, {"16c", "16d", "16.e"}, 5},
        {0, true, 40, {"16c", "16d", "16.e"}, 40},
        {secondLine, false, 0, {"16.e"}, 5},
        {end, false, 0, {}, -1}, // after the last note: nothing sounds
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caret);
        typeScore(score);
        window->findChild<QComboBox*>("cmbPatch")->setCurrentIndex(c.patch);
        window->findChild<QCheckBox*>("chkForcePatch")->setChecked(c.force);
        editor().selectChars(c.caret, 0);
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
        EXPECT_EQ(selected, c.selected);
        EXPECT_EQ(program, c.program);
        EXPECT_FALSE(editControlsEnabled);
        EXPECT_TRUE(button("cmdNew")->isEnabled());
        EXPECT_FALSE(button("cmdPlay")->Value());
    }
    EXPECT_TRUE(editor().hasFocus());
    EXPECT_EQ(midi->closeCount(), 3);
    // A device that does not open is reported after the play call.
    midi->failOpenWith(2);
    editor().selectChars(0, 0);
    playToEnd();
    EXPECT_EQ(prompts.texts(), QStringList({"Couldn't open midi out, rc = 2"}));
    EXPECT_FALSE(button("cmdPlay")->Value());
}

TEST_F(MainWindowTest, ASecondClickAMenuOrClosingStopsPlayingAndSilences) {
    const std::function<void()> stoppers[] = {
        [this] { QTest::mouseClick(button("cmdPlay"), Qt::LeftButton); },
        [this] { window->findChild<QMenu*>("mnu_Tools")->popup(QPoint(0, 0)); },
        [this] { window->close(); }, // stops first, then asks to save: Cancel keeps the window
    };
    prompts.answers = {UserPrompts::Answer::Cancel};
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
        playToEnd();
        QCoreApplication::processEvents();
        EXPECT_LT(t.elapsed(), 3000) << "five whole notes at 60 take 20 s";
        EXPECT_EQ(leftSounding(), "");
        EXPECT_TRUE(button("cmdSave")->isEnabled());
        window->findChild<QMenu*>("mnu_Tools")->hide();
    }
    EXPECT_EQ(prompts.questions, 1);
    EXPECT_TRUE(window->isVisible());
}

TEST_F(MainWindowTest, SaveAsMidiWritesWhatTheCommandLineToolWrites) {
    const std::string score =
        kHeader + "*i[5]\r\n!!$3, Tune\r\n*t[90]\r\n4c 8d+ 4e[ 4e] 8f( 8g)\r\n4a' 2:\r\n";
    writeFile(path("tune.NTR"), score);
    for (const bool force : {false, true}) {
        SCOPED_TRACE(force);
        typeScore(score);
        window->findChild<QComboBox*>("cmbPatch")->setCurrentIndex(40);
        window->findChild<QCheckBox*>("chkForcePatch")->setChecked(force);
        const std::string ours = path(force ? "forced" : "own"); // ".mid" is added
        prompts.fileAnswers = {QString::fromStdString(ours)};
        trigger("mnu_File_SaveMidi");
        ASSERT_FALSE(prompts.dialogs.empty()) << prompts.texts().join(";").toStdString();
        EXPECT_TRUE(prompts.dialogs.back().second);
        EXPECT_EQ(prompts.dialogs.back().first.title, "Save as:");
        const std::string cmd = std::string(NOTARO_BINARY_DIR) + "/bin/notaro-cli midi -o " +
                                path("cli.mid") + (force ? " --instrument 40 " : " ") +
                                path("tune.NTR");
        ASSERT_EQ(std::system(cmd.c_str()), 0);
        EXPECT_FALSE(readFile(ours + ".mid").empty());
        EXPECT_EQ(readFile(ours + ".mid"), readFile(path("cli.mid")));
    }
    EXPECT_TRUE(prompts.messages.empty());
    prompts.fileAnswers = {QString::fromStdString(path("no/such/folder/x.mid"))};
    trigger("mnu_File_SaveMidi");
    EXPECT_EQ(prompts.texts(), QStringList({"Failed to save as Midi."}));
}

} // namespace
} // namespace notaro::app::test
