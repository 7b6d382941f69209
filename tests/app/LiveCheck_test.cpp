// Errors marked while typing, and scores dropped on the window.
#include "LiveSyntaxCheck.h"
#include "MainWindowFixture.h"

#include <QDropEvent>
#include <QMimeData>
#include <QSignalSpy>
#include <QUrl>

namespace notaro::app::test {
namespace {

TEST_F(MainWindowTest, TypingMarksTheFirstErrorAndFixingItClearsTheMark) {
    LiveSyntaxCheck& live = *window->liveCheck();
    QSignalSpy checked(&live, &LiveSyntaxCheck::checked);
    const auto typeAndCheck = [&](const std::string& score) {
        editor().setScoreText(score);
        EXPECT_TRUE(live.timer().isActive()) << "a change starts the quiet-time timer";
        live.timer().start(0); // instead of the half second a user waits
        ASSERT_TRUE(checked.wait(5000));
    };
    typeAndCheck("**n[a-b-c]\r\n4c 4é 4e\r\n*t[x]\r\n");
    EXPECT_EQ(editor().errorMarkStart(), 15); // characters, é counting once
    EXPECT_EQ(editor().errorMarkLength(), 2);
    EXPECT_EQ(editor().errorMessage(), "Error: Invalid note/rest");
    EXPECT_EQ(window->checkMessage(), "Line 2: Error: Invalid note/rest");

    typeAndCheck("**n[a-b-c]\r\n4c 4d 4e\r\n*t[x]\r\n"); // an error not tied to a note
    EXPECT_EQ(editor().errorMarkStart(), 22);
    EXPECT_EQ(editor().errorMarkLength(), 5);
    EXPECT_EQ(window->checkMessage(), "Line 3: Error: Incorrect tempo");

    typeAndCheck("**n[a-b-c]\r\n4c 4d 4e\r\n");
    EXPECT_EQ(editor().errorMarkLength(), 0);
    EXPECT_EQ(window->checkMessage(), "");
    EXPECT_TRUE(prompts.messages.empty()) << "the live check shows no message box";
}

TEST_F(MainWindowTest, AScoreDroppedOnTheEditorOpensAfterTheSavePrompt) {
    const std::string file = path("dropped.NTR");
    writeFile(file, "**n[a-b-c]\n4g\n");
    typeScore("**n[a-b-c]\r\n4c\r\n");
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(file))});
    const auto drop = [&] {
        QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QCoreApplication::sendEvent(editor().viewport(), &enter);
        QDropEvent event(QPointF(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(editor().viewport(), &event);
    };
    prompts.answers = {UserPrompts::Answer::Cancel, UserPrompts::Answer::No};
    drop();
    EXPECT_EQ(editor().scoreText(), "**n[a-b-c]\r\n4c\r\n") << "Cancel keeps the document";
    drop();
    EXPECT_EQ(editor().scoreText(), "**n[a-b-c]\r\n4g\r\n");
    EXPECT_EQ(window->windowTitle(), "Notaro 1.4 -- dropped.NTR");
    EXPECT_EQ(prompts.questions, 2);
}

} // namespace
} // namespace notaro::app::test
