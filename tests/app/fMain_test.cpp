#include "app/editor/LiveSyntaxCheck.h"
#include "app/editor/ScoreEditor.h"
#include "app/fMain.h"
#include "app/playback/PlaybackController.h"
#include "playback/RecordingMidiOut.h"
#include "tests/app/AppTestSupport.h"

#include <glimmer/chBut.h>

#include <QAccessible>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDropEvent>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QSignalSpy>
#include <QTimer>

namespace notaro::app::test {
namespace {

using Answer = UserPrompts::Answer;

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
    void typeScore(const std::string& text) {
        editor().setScoreText(text);
        editor().setTextModified(true);
    }
    /// Clicks Play and runs the event loop until the play command has ended (at most 10 s).
    void playToEnd() {
        QTest::mouseClick(button("cmdPlay"), Qt::LeftButton);
        (void)QTest::qWaitFor(
            [this] { return !window->playback().isPlaying() && !button("cmdPlay")->Value(); },
            10000);
    }

    std::function<void(const playback::TimedShortMsg&)> onSend = [](const auto&) {};
    ScriptedPrompts prompts;
    playback::RecordingMidiOut* midi = nullptr;
    std::unique_ptr<fMain> window;
};

TEST_F(MainWindowTest, MenusButtonsDropsAndTheStatusLineReachTheControllers) {
    EXPECT_EQ(window->windowTitle(), "Notaro 1.4 -- New Document");
    writeFile(path("a.NTR"), kScore);
    prompts.fileAnswers = {qpath("a.NTR")};
    trigger("mnu_File_Open");
    EXPECT_EQ(window->windowTitle(), "Notaro 1.4 -- a.NTR");
    typeScore(kScore);
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(qpath("a.NTR"))});
    prompts.answers = {Answer::Cancel};
    QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(editor().viewport(), &enter);
    QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(editor().viewport(), &drop);
    QTest::mouseClick(button("cmdChkSyntax"), Qt::LeftButton);
    prompts.fileAnswers = {qpath("tune")};
    QTest::mouseClick(button("cmdSaveMidi"), Qt::LeftButton);
    EXPECT_TRUE(std::filesystem::exists(path("tune.mid")));
    EXPECT_EQ(prompts.texts(),
              QStringList({"Do you want to save changes?", "The syntax is correct"}));

    QSignalSpy checked(window->liveCheck(), &LiveSyntaxCheck::checked);
    editor().setScoreText(kHeader + "4c 4x\r\n");
    window->liveCheck()->timer().start(0);
    ASSERT_TRUE(checked.wait(5000));
    EXPECT_EQ(window->checkMessage(), "Line 2: Error: Invalid note/rest");
}

TEST_F(MainWindowTest, LayoutKeepsTheEditorAboveTheLineDisplayWhichFollowsTheCaret) {
    QWidget* client = window->centralWidget();
    auto* line = child<QLabel>(*window, "lblLnNum");
    window->resize(800, 600);
    QCoreApplication::processEvents();
    EXPECT_EQ(line->geometry().bottom(), client->height() - 1);
    EXPECT_EQ(editor().width(), client->width());
    EXPECT_EQ(editor().mapTo(client, QPoint(0, editor().height())).y(), line->y() - 2);
    const int height = editor().height();
    window->resize(300, 60); // the editor would be 40 twips or less
    QCoreApplication::processEvents();
    EXPECT_EQ(editor().height(), height);
    typeScore(kScore);
    editor().selectChars(0, 0);
    QTest::keyClick(&editor(), Qt::Key_Down);
    EXPECT_EQ(line->text(), "Line 2");
}

TEST_F(MainWindowTest, PlayGreysTheEditControlsAndASecondClickAMenuOrClosingStopsIt) {
    child<QComboBox>(*window, "cmbPatch")->setCurrentIndex(40); // "Violin"
    const std::function<void()> stoppers[] = {
        [this] { QTest::mouseClick(button("cmdPlay"), Qt::LeftButton); },
        [this] { child<QMenu>(*window, "mnu_Tools")->popup(QPoint(0, 0)); },
        [this] { window->close(); }, // stops first, then asks to save: Cancel keeps the window
        [this] { QTest::keyClick(window.get(), Qt::Key_F5); }};
    prompts.answers = {Answer::Cancel};
    for (const auto& stop : stoppers) {
        const bool forced = &stop != &stoppers[2]; // else the score's own instrument
        child<QCheckBox>(*window, "chkForcePatch")->setChecked(forced);
        typeScore(kHeader + "*i[5]\r\n*t[60]\r\n1c 1d 1e 1f 1g\r\n");
        editor().selectChars(0, 0);
        button("cmdPlay")->setFocus(); // the editor takes it back once the play call returns
        int program = -1, notes = 0;
        bool editControlsEnabled = false;
        onSend = [&](const playback::TimedShortMsg& m) {
            if ((playback::statusOf(m.msg) & 0xF0) == 0xC0)
                program = playback::data1Of(m.msg);
            if (isNoteOn(m.msg) && notes++ == 0) {
                editControlsEnabled = button("cmdNew")->isEnabled();
                QTimer::singleShot(30, window.get(), stop);
            }
        };
        playToEnd();
        QCoreApplication::processEvents();
        EXPECT_EQ(program, forced ? 40 : 5);
        EXPECT_LT(notes, 5) << "stopped before the end";
        EXPECT_FALSE(editControlsEnabled);
        EXPECT_TRUE(button("cmdSave")->isEnabled());
        child<QMenu>(*window, "mnu_Tools")->hide();
    }
    EXPECT_EQ(prompts.questions, 1);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(editor().hasFocus());
}

TEST_F(MainWindowTest, WithoutAMouseTheFocusLeavesTheEditorAndF5PlaysAnnouncingTheNotes) {
    const std::pair<const char*, const char*> names[] = {
        {"cmdNew", "New"},          {"cmdOpen", "Open..."},
        {"cmdSave", "Save"},        {"cmdChkSyntax", "Check syntax"},
        {"cmdPlay", "Play / Stop"}, {"txtAram", "Score"},
        {"hlnkFirst", "Glimmer"}};
    for (const auto& [object, name] : names) {
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(
            window->findChild<QWidget*>(QString::fromLatin1(object)));
        EXPECT_EQ(face->text(QAccessible::Name), QString::fromLatin1(name)) << object;
    }
    QApplication::setActiveWindow(window.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    editor().setFocus();
    QTest::keyClick(&editor(), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(QApplication::focusWidget(), button("cmdNew"));
    QTest::keyClick(button("cmdNew"), Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), &editor());

    trigger("mnu_Tools_AnnounceNotes");
    typeScore(kHeader + "*t[240]\r\n4c 4d\r\n");
    editor().selectChars(0, 0);
    QStringList heard;
    QObject::connect(&window->playback(), &PlaybackController::sounding, window.get(),
                     [&] { heard << window->checkMessage(); });
    QTest::keyClick(window.get(), Qt::Key_F5);
    EXPECT_TRUE(button("cmdPlay")->Value());
    (void)QTest::qWaitFor([this] { return !button("cmdPlay")->Value(); }, 10000);
    EXPECT_EQ(heard, QStringList({"4c, line 3", "4d, line 3"}));
    EXPECT_EQ(window->checkMessage(), "") << "the check's message is back";
}

} // namespace
} // namespace notaro::app::test
