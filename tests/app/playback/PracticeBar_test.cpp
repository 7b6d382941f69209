#include "app/dialogs/fPractice.h"
#include "app/editor/LiveSyntaxCheck.h"
#include "app/editor/ScoreEditor.h"
#include "app/fMain.h"
#include "app/playback/PlaybackController.h"
#include "app/playback/PracticeBar.h"
#include "app/playback/TempoScale.h"
#include "playback/RecordingMidiOut.h"
#include "settings/OnRatios.h"
#include "tests/app/AppTestSupport.h"

#include <glimmer/chBut.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTimer>

namespace notaro::app::test {
namespace {

/// The real main window over a recording output, with the practice settings given in para.ini.
class PracticeBarTest : public AppTest {
protected:
    void start(const std::string& practice = {}) {
        if (!practice.empty())
            writeFile(paraIniPath(), "[Practice]\r\n" + practice);
        auto device = std::make_unique<playback::RecordingMidiOut>(
            playback::getTickCount, [this](const playback::TimedShortMsg& m) { onSend(m); });
        midi = device.get();
        window = std::make_unique<fMain>(prompts, std::move(device));
        ASSERT_TRUE(showActive(*window));
        window->editor()->setScoreText(kHeader + "*t[600]\r\n16c 16d 16e 16f\r\n");
        QSignalSpy parsed(window->liveCheck(), &LiveSyntaxCheck::snapshotChanged);
        window->liveCheck()->timer().start(0);
        ASSERT_TRUE(parsed.wait(5000));
    }
    void TearDown() override {
        window.reset();
        AppTest::TearDown();
    }
    glimmer::chBut* button(const char* name) { return child<glimmer::chBut>(*window, name); }
    TempoScale* scale() { return child<TempoScale>(*window, "sclTempo"); }
    QString tempoText() { return child<QLabel>(*window, "lblTempo")->text(); }
    /// Plays, stopping with the Play button at the record heard after `notes` others, and
    /// returns the records heard and the passes begun as "pass@percent".
    std::pair<QString, QString> playAndStop(int notes) {
        QString heard, passes;
        const auto sounding =
            QObject::connect(&window->playback(), &PlaybackController::sounding,
                             [&](int32_t record, int32_t, int32_t, int32_t) {
                                 heard += QString::number(record);
                                 if (heard.size() == notes)
                                     QTimer::singleShot(0, window.get(), [this] {
                                         QTest::mouseClick(button("cmdPlay"), Qt::LeftButton);
                                     });
                             });
        const auto pass = QObject::connect(&window->playback(), &PlaybackController::passStarted,
                                           [&](int32_t n, int32_t percent, int32_t) {
                                               passes += QString(" %1@%2").arg(n).arg(percent);
                                           });
        QTest::mouseClick(button("cmdPlay"), Qt::LeftButton);
        (void)QTest::qWaitFor([this] { return !window->playback().isActive(); }, 10000);
        QObject::disconnect(sounding);
        QObject::disconnect(pass);
        return {heard, passes.trimmed()};
    }

    std::function<void(const playback::TimedShortMsg&)> onSend = [](const auto&) {};
    ScriptedPrompts prompts;
    playback::RecordingMidiOut* midi = nullptr;
    std::unique_ptr<fMain> window;
};

TEST_F(PracticeBarTest, LoopPlaysTheSelectionOrTheWholeScorePassAfterPassUntilStopped) {
    // Records: 0 the tempo, 1 to 4 the notes c d e f. The selection (start, length) in the note
    // line, the settings, the records heard, the passes begun, the clicks of the count-in.
    const std::string line = "16c 16d 16e 16f";
    const int d = static_cast<int>(line.find("16d")), e = static_cast<int>(line.find("16e"));
    const std::tuple<int, int, std::string, QString, QString, int> cases[] = {
        {d, 0, "Loop=0", "234", "1@100", 0}, // as without the practice tools
        {d, 7, "Loop=1", "232323", "1@100 2@100 3@100", 0},
        {d + 1, e - d, "Loop=1\r\nTempoPercent=50", "2323", "1@50 2@50", 0},
        {0, 0, "Loop=1\r\nCountInBars=1\r\nBeatsPerBar=2", "123412", "0@100 1@100 2@100", 2},
        {e, 3, "Loop=1\r\nRamp=1\r\nRampStartPercent=60\r\nRampStepPercent=25\r\n", "3333",
         "1@60 2@85 3@100 4@100", 0}};
    for (const auto& [from, length, practice, heard, passes, clicks] : cases) {
        SCOPED_TRACE(practice);
        start(practice + "\r\n");
        const int lineStart = window->editor()->lineStartChar(2);
        window->editor()->selectChars(lineStart + from, length);
        const bool loop = practice != "Loop=0"; // else the play ends by itself
        const auto [played, begun] = playAndStop(loop ? heard.size() : 99);
        EXPECT_EQ(played.left(heard.size()), heard);
        EXPECT_EQ(begun.left(passes.size()), passes);
        int clicked = 0;
        for (const auto& m : midi->messages())
            clicked += playback::statusOf(m.msg) == 0x99 && playback::data2Of(m.msg) > 0;
        EXPECT_EQ(clicked, clicks);
        if (loop) { // a loop gives the selection back for the next Play
            EXPECT_EQ(window->editor()->selStart(), lineStart + from);
            EXPECT_EQ(window->editor()->selLength(), length);
        }
    }
}

TEST_F(PracticeBarTest, TheTempoScaleSetsThePlayersTempoFromTheNextPassAndIsRemembered) {
    start("Loop=1\r\n");
    EXPECT_TRUE(button("cmdLoop")->Value());
    EXPECT_TRUE(child<QAction>(*window, "mnu_Practice_Loop")->isChecked());
    // The score's tempo at the caret, from its tempo directive.
    EXPECT_EQ(tempoText(), QString::fromUtf8("100 % \u00B7 \u2669 = 600"));
    // The keys and pointer positions, and the percent each leaves.
    const std::tuple<std::function<void()>, int> inputs[] = {
        {[this] { QTest::keyClick(scale(), Qt::Key_Home); }, 25},
        {[this] { QTest::keyClick(scale(), Qt::Key_PageUp); }, 35},
        {[this] { QTest::keyClick(scale(), Qt::Key_Right); }, 36},
        {[this] { QTest::mouseClick(scale(), Qt::LeftButton, {}, QPoint(scale()->width(), 5)); },
         200},
        {[this] { QTest::mouseClick(scale(), Qt::LeftButton, {}, QPoint(5, 5)); }, 25}};
    for (const auto& [input, percent] : inputs) {
        input();
        EXPECT_EQ(window->playback().practice().tempoPercent, percent);
        if (percent == 25 || percent == 200) { // the pointer at an end of the bar
            EXPECT_EQ(scale()->highlightLength(), percent == 25 ? 0 : scale()->width() - 12);
        }
        EXPECT_EQ(tempoText(), QString::fromUtf8("%1 % \u00B7 \u2669 = %2")
                                   .arg(percent)
                                   .arg(qRound(600 * percent / 100.0)));
    }
    EXPECT_NE(readFile(paraIniPath()).find("TempoPercent=25\r\n"), std::string::npos);
    // Moved while the first pass plays: the second pass takes the new tempo.
    window->editor()->selectChars(window->editor()->lineStartChar(2), 3);
    const auto moved = QObject::connect(&window->playback(), &PlaybackController::passStarted,
                                        [this](int32_t pass, int32_t, int32_t) {
                                            if (pass == 1)
                                                QTest::keyClick(scale(), Qt::Key_End);
                                        });
    const QString passes = playAndStop(3).second;
    EXPECT_TRUE(passes.startsWith("1@25 2@200")) << passes.toStdString();
    QObject::disconnect(moved);
    EXPECT_EQ(scale()->percent(), 200);
}

TEST_F(PracticeBarTest, PanicSilencesEveryChannelPlayingOrNotWithoutOpeningTheMenu) {
    start();
    EXPECT_FALSE(std::filesystem::exists(paraIniPath())) << "reading the settings writes none";
    const auto panics = [this] {
        QString sent;
        for (const auto& m : midi->messages())
            if ((playback::statusOf(m.msg) & 0xF0) == 0xB0 && playback::data1Of(m.msg) >= 120)
                sent += QString(" %1:%2")
                            .arg(playback::statusOf(m.msg) & 0xF)
                            .arg(playback::data1Of(m.msg));
        return sent;
    };
    QString expected;
    for (int channel = 0; channel < 16; ++channel)
        expected += QString(" %1:120 %1:123 %1:121").arg(channel);
    QTest::keyClick(window->editor(), Qt::Key_Period, Qt::ControlModifier);
    EXPECT_EQ(panics(), expected);
    midi->clearMessages();
    bool playing = false;
    onSend = [&](const playback::TimedShortMsg& m) {
        if (isNoteOn(m.msg) && !playing) {
            playing = true;
            QTimer::singleShot(0, window.get(), [this] {
                QTest::keyClick(window->editor(), Qt::Key_Period, Qt::ControlModifier);
            });
        }
    };
    window->editor()->selectChars(0, 0);
    const auto [heard, passes] = playAndStop(99);
    EXPECT_EQ(heard, "1") << "the panic stops the play";
    EXPECT_EQ(panics().left(expected.size()), expected);
}

TEST_F(PracticeBarTest, TheSettingsDialogShowsAndReturnsEveryValueTheCeilingNeverBelowTheStart) {
    const PracticeSettings given{true, 80, 1, false, 3, false, 70, 5, 100};
    fPractice dialog(given);
    EXPECT_EQ(dialog.settings(), given);
    child<QComboBox>(dialog, "cmbCountIn")->setCurrentIndex(2);
    child<QCheckBox>(dialog, "chkClick")->setChecked(true);
    child<QSpinBox>(dialog, "spnBeats")->setValue(17); // held at 16
    child<QGroupBox>(dialog, "grpRamp")->setChecked(true);
    child<QSpinBox>(dialog, "spnRampStep")->setValue(10);
    child<QSpinBox>(dialog, "spnRampStart")->setValue(120); // lifts the ceiling with it
    EXPECT_EQ(dialog.settings(), (PracticeSettings{true, 80, 2, true, 16, true, 120, 10, 120}));
}

} // namespace
} // namespace notaro::app::test
