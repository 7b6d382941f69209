#include "app/playback/PlaybackController.h"
#include "playback/RecordingMidiOut.h"
#include "tests/app/AppTestSupport.h"

#include <QSignalSpy>
#include <QTimer>

namespace notaro::app::test {
namespace {

/// The controller over a recording output; onSend runs at every message sent to it.
class PlaybackControllerTest : public EditorRig {
protected:
    void SetUp() override {
        EditorRig::SetUp();
        auto device = std::make_unique<playback::RecordingMidiOut>(
            playback::getTickCount, [this](const playback::TimedShortMsg& m) { onSend(m); });
        midi = device.get();
        player = std::make_unique<PlaybackController>(*editor, *syntax, prompts, nullptr,
                                                      std::move(device));
    }
    /// Play, and the event loop until the play call has returned (at most 10 s).
    void playToEnd() {
        player->play();
        (void)QTest::qWaitFor([this] { return !player->isActive(); }, 10000);
    }

    std::function<void(const playback::TimedShortMsg&)> onSend = [](const auto&) {};
    playback::RecordingMidiOut* midi = nullptr;
    std::unique_ptr<PlaybackController> player;
};

TEST_F(PlaybackControllerTest, PlaysFromTheCaretAndSelectsEachNoteAsItSounds) {
    // The score's own instrument is 5.
    const std::string score = kHeader + "*i[5]\r\n*t[600]\r\n16c 16: 16d\r\n16.e\r\n";
    const int secondLine = static_cast<int>(score.find("16.e")), end = int(score.size());
    const int rest = static_cast<int>(score.find(" 16:")); // the caret right after the C
    // At each note-on: the record, line:column+length the last sounding signal named, and what
    // the editor then shows selected.
    const QStringList all = {"2 4:0+3 16c", "4 4:8+3 16d", "5 5:0+4 16.e"};
    // caret, forced instrument, at each note-on, program in force at the first note or -1
    const std::tuple<int, int, QStringList, int> cases[] = {{0, -1, all, 5},
                                                            {0, 40, all, 40},
                                                            {rest, -1, {all[1], all[2]}, 5},
                                                            {secondLine, -1, {all[2]}, 5},
                                                            {end, -1, {}, -1}};
    QString sounding;
    QObject::connect(player.get(), &PlaybackController::sounding,
                     [&](int32_t record, int32_t line, int32_t column, int32_t length) {
                         sounding =
                             QString("%1 %2:%3+%4").arg(record).arg(line).arg(column).arg(length);
                     });
    for (const auto& [caret, instrument, expected, expectedProgram] : cases) {
        SCOPED_TRACE(caret);
        editor->setScoreText(score);
        editor->selectChars(caret, 0);
        player->setInstrument(instrument);
        midi->clearMessages();
        QStringList heard;
        onSend = [&](const playback::TimedShortMsg& m) {
            if (isNoteOn(m.msg))
                heard << sounding + " " + editor->textCursor().selectedText();
        };
        playToEnd();
        int program = -1, notes = 0;
        for (const auto& m : midi->messages())
            if ((notes += isNoteOn(m.msg)) == 0 && (playback::statusOf(m.msg) & 0xF0) == 0xC0)
                program = playback::data1Of(m.msg);
        EXPECT_EQ(heard, expected);
        EXPECT_EQ(program, expectedProgram);
    }
    EXPECT_EQ(midi->closeCount(), 4);
    midi->failOpenWith(playback::PlaybackResult::BadDevice);
    editor->selectChars(0, 0);
    playToEnd();
    EXPECT_EQ(prompts.texts(), QStringList({"Couldn't open midi out, rc = 2"}));
}

TEST_F(PlaybackControllerTest, ACommandWhilePlayingStopsItAndRunsOnceThePlayCallHasReturned) {
    typeScore(kHeader + "*t[60]\r\n1c 1d 1e 1f 1g\r\n");
    QStringList events;
    onSend = [&](const playback::TimedShortMsg& m) {
        if (!isNoteOn(m.msg))
            return;
        events << "note";
        QTimer::singleShot(0, player.get(), [&] {
            player->runCommand([&] { events << (player->isPlaying() ? "ran playing" : "ran"); });
            events << "asked";
        });
    };
    playToEnd();
    EXPECT_EQ(events, QStringList({"note", "asked", "ran"}));
}

TEST_F(PlaybackControllerTest, AStopBeforeTheStartDropsThePlayAndAStopForCloseIsAnnouncedOnce) {
    typeScore(kHeader + "*t[600]\r\n16c 16d\r\n");
    player->play();
    player->stop();
    QTest::qWait(100);
    EXPECT_TRUE(midi->messages().empty());
    QSignalSpy ready(player.get(), &PlaybackController::readyToClose);
    onSend = [&](const playback::TimedShortMsg& m) {
        if (isNoteOn(m.msg))
            QTimer::singleShot(0, player.get(), [&] { player->stopForClose(); });
    };
    playToEnd();
    onSend = [](const auto&) {};
    playToEnd();
    EXPECT_EQ(ready.count(), 1);
}

} // namespace
} // namespace notaro::app::test
