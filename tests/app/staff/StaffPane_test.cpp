// The staff pane in the real window: every note has its box, and a click, the caret and the
// playback lead from one to the other.
#include "app/editor/LiveSyntaxCheck.h"
#include "app/fMain.h"
#include "app/playback/PlaybackController.h"
#include "app/staff/StaffPageImage.h"
#include "app/staff/StaffPane.h"
#include "app/staff/StaffView.h"
#include "playback/RecordingMidiOut.h"
#include "playback/TickClock.h"
#include "score/ScoreFile.h"
#include "tests/app/AppTestSupport.h"

#include <glimmer/chBut.h>

#include <QAction>
#include <QLabel>
#include <QSignalSpy>

#include <filesystem>

namespace notaro::app::test {
namespace {

class StaffPaneTest : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        auto device = std::make_unique<playback::RecordingMidiOut>(
            playback::getTickCount, [this](const playback::TimedShortMsg& m) { onSend(m); });
        window = std::make_unique<fMain>(prompts, std::move(device));
        window->resize(900, 700);
        window->show();
        child<QAction>(*window, "mnu_Tools_Staff")->setChecked(true);
    }
    void TearDown() override {
        window.reset();
        AppTest::TearDown();
    }
    ScoreEditor& editor() { return *window->editor(); }
    StaffView& view() { return window->staff().view(); }
    /// Types text and waits until the live check and the staff have followed.
    bool show(const std::string& text) {
        QSignalSpy rendered(&window->staff(), &StaffPane::rendered);
        editor().setScoreText(text);
        window->liveCheck()->timer().start(0);
        return rendered.wait(20000);
    }
    /// The editor's selection is the token of record.
    void expectTokenSelected(int32_t record, const char* why, int32_t note) {
        const cGnsNote& rec = view().rendering()->snapshot->score.theNotes(record);
        EXPECT_EQ(editor().selStart(),
                  editor().lineStartChar(rec.noteLineNum - 1) + rec.noteCharNum)
            << why << " " << note;
        EXPECT_EQ(editor().selLength(), rec.noteStrLen) << why << " " << note;
    }

    std::function<void(const playback::TimedShortMsg&)> onSend = [](const auto&) {};
    ScriptedPrompts prompts;
    std::unique_ptr<fMain> window;
};

TEST_F(StaffPaneTest, EverySampleNoteHasOneBoxThatLeadsToItsTokenAndBack) {
    for (const auto& entry :
         std::filesystem::directory_iterator(std::string(NOTARO_SOURCE_DIR) + "/data/samples")) {
        const ScoreFileResult file = readScoreFile(entry.path().string(), kToolScoreLimit);
        ASSERT_TRUE(show(file.text)) << entry.path();
        const StaffRenderingPtr r = view().rendering();
        ASSERT_TRUE(r) << entry.path();
        std::vector<int32_t> records;
        for (int32_t i = 0; i < r->snapshot->score.nNotes(); ++i)
            if (!r->snapshot->score.theNotes(i).isDirective())
                records.push_back(i);
        ASSERT_EQ(r->noteRecords, records) << entry.path();
        for (size_t i = 0; i < records.size(); ++i) {
            const QPoint centre = r->noteBoxes[i].center().toPoint();
            QTest::mouseClick(&view(), Qt::LeftButton, {}, centre);
            expectTokenSelected(records[i], "click", static_cast<int32_t>(i));
            const std::vector<int32_t>& marked = view().caretNotes();
            EXPECT_NE(std::find(marked.begin(), marked.end(), i), marked.end()) << i;
        }
    }
}

TEST_F(StaffPaneTest, TheSoundingNoteIsMarkedAsTheEditorSelectsIt) {
    ASSERT_TRUE(show(kHeader + "*t[480]\r\n8c 8d 8e~ | 8:\r\n*def[B]\r\n8f 8g |\r\n*enddef\r\n"
                               "*usedef[B:2]\r\n"));
    std::vector<int32_t> marked;
    onSend = [&](const playback::TimedShortMsg& m) {
        if (!isNoteOn(m.msg))
            return;
        marked.push_back(view().soundingNote());
        expectTokenSelected(view().rendering()->noteRecords[marked.back()], "playing",
                            marked.back());
    };
    editor().selectChars(0, 0);
    auto* play = child<glimmer::chBut>(*window, "cmdPlay");
    QTest::mouseClick(play, Qt::LeftButton);
    (void)QTest::qWaitFor([&] { return !window->playback().isPlaying() && !play->Value(); }, 10000);
    EXPECT_EQ(marked, (std::vector<int32_t>{0, 1, 2, 4, 5, 6, 7}));
    EXPECT_EQ(view().soundingNote(), -1);
}

TEST_F(StaffPaneTest, PagesAreDrawnAtThePixelRatioOfTheirDevice) {
    ASSERT_TRUE(show(kScore));
    window->hide(); // no paints at ratio 1 between ours
    view().setCaretNotes({});
    QImage expected = staffPageImage(view().rendering()->pages.front(), 2);
    QImage shot(view().size() * 2, QImage::Format_RGB32);
    shot.setDevicePixelRatio(2);
    // The first paint asks for the page at ratio 2; a later one draws it.
    EXPECT_TRUE(QTest::qWaitFor([&] {
        view().render(&shot);
        return shot.copy(expected.rect()) == expected;
    }));
}

TEST_F(StaffPaneTest, AnErrorGreysTheLastStaffAndAMissingEngraverIsNamed) {
    ASSERT_TRUE(show(kScore));
    const StaffRenderingPtr good = view().rendering();
    QSignalSpy checked(window->liveCheck(), &LiveSyntaxCheck::checked);
    editor().setScoreText(kHeader + "4c 4x\r\n");
    window->liveCheck()->timer().start(0);
    ASSERT_TRUE(checked.wait(5000));
    EXPECT_TRUE(view().isStale());
    EXPECT_EQ(view().rendering(), good);
    EXPECT_EQ(window->staff().messageLine().text(), "Line 2: Error: Invalid note/rest");
    // The old notes no longer sit where the text's tokens are: a click leaves the editor be,
    // and the caret marks nothing.
    editor().selectChars(int(kHeader.size()), 0);
    EXPECT_TRUE(view().caretNotes().empty());
    editor().selectChars(1, 0);
    QTest::mouseClick(&view(), Qt::LeftButton, {}, good->noteBoxes[0].center().toPoint());
    EXPECT_EQ(editor().selStart(), 1);
    EXPECT_EQ(editor().selLength(), 0);

    const std::string path = std::getenv("PATH");
    ::setenv("PATH", "/nonexistent", 1);
    const bool shown = show(kScore + "4e\r\n");
    ::setenv("PATH", path.c_str(), 1);
    ASSERT_TRUE(shown);
    EXPECT_EQ(window->staff().messageLine().text(),
              "The staff needs the program abcm2ps: install the Debian package abcm2ps.");
    EXPECT_FALSE(view().rendering());
}

} // namespace
} // namespace notaro::app::test
