// The main window's document commands, the save prompt, the layout, the live check and drops.
#include "AppValues.h"
#include "LiveSyntaxCheck.h"
#include "MainWindowFixture.h"

#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QSignalSpy>

namespace notaro::app::test {
namespace {

using Answer = UserPrompts::Answer;
namespace fs = std::filesystem;
const std::string kScore = "**n[a-b-c]\r\n4c 4d\r\n";

TEST_F(MainWindowTest, OpenTrimsBlanksNamesTheWindowOrRefusesAndKeepsTheDocument) {
    EXPECT_EQ(window->windowTitle(), "Notaro 1.4 -- New Document");
    writeFile(path("a.NTR"), "  \t**n[a-b-c]\n4c 4d\n  ");
    prompts.fileAnswers = {QString::fromStdString("  " + path("a.NTR") + " ")};
    trigger("mnu_File_Open");
    EXPECT_EQ(editor().scoreText(), "\t**n[a-b-c]\r\n4c 4d\r\n");
    EXPECT_EQ(documentState(), "Notaro 1.4 -- a.NTR|" + path("a.NTR") + "|");
    EXPECT_EQ(editor().selStart(), 0);
    const auto& [shown, save] = prompts.dialogs.back();
    EXPECT_EQ(shown.title + "|" + shown.initialFolder, "Open file:|" + appValues().samplesFolder);
    EXPECT_FALSE(save);

    writeFile(path("exact.NTR"), std::string(64000, 'x'));
    writeFile(path("over.NTR"), std::string(64001, 'x'));
    const std::pair<std::string, QString> cases[] = {// file, message ("" = opened)
                                                     {"over.NTR", "File is too long."},
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
    // A named document saves without asking; Save As asks in the document's folder.
    typeScore(kScore + "4e\r\n");
    const size_t asked = prompts.dialogs.size();
    trigger("mnu_File_Save");
    EXPECT_EQ(prompts.dialogs.size(), asked);
    EXPECT_EQ(readFile(path("song.txt")), kScore + "4e\r\n");
    // A failed write keeps the old file, the name and the modified flag.
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
    const struct {
        Answer answer;
        const char* dialogAnswer; // for a new document; "" cancels the dialog
        bool writeFails, proceeds, written;
    } cases[] = {{Answer::No, "", false, true, false},
                 {Answer::Cancel, "", false, false, false},
                 {Answer::Yes, "kept", false, true, true},
                 {Answer::Yes, "", false, false, false},
                 {Answer::Yes, "folder.NTR", true, false, false}}; // the last write fails
    fs::create_directory(dir_ / "folder.NTR");
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.dialogAnswer) + std::to_string(int(c.answer)));
        trigger("mnu_File_New");
        typeScore(kScore);
        prompts.messages.clear();
        prompts.answers = {c.answer};
        prompts.fileAnswers = {*c.dialogAnswer ? QString::fromStdString(path(c.dialogAnswer)) : ""};
        trigger("mnu_File_New");
        EXPECT_EQ(prompts.messages.front().text, "Do you want to save changes?");
        EXPECT_EQ(editor().scoreText().empty(), c.proceeds);
        EXPECT_EQ(editor().isTextModified(), !c.proceeds);
        EXPECT_EQ(fs::exists(path("kept.NTR")), c.written);
        EXPECT_EQ(prompts.texts().contains("Failed to save file"), c.writeFails);
        fs::remove(path("kept.NTR"));
    }
}

TEST_F(MainWindowTest, LayoutKeepsTheEditorAboveTheLineDisplayWhichFollowsTheCaret) {
    QWidget* client = window->centralWidget();
    auto* line = window->findChild<QLabel*>("lblLnNum");
    window->resize(800, 600);
    QCoreApplication::processEvents();
    EXPECT_EQ(line->geometry().bottom(), client->height() - 1);
    EXPECT_EQ(editor().width(), client->width());
    EXPECT_EQ(editor().geometry().bottom() + 1, line->y() - 2);
    const int height = editor().height();
    window->resize(300, 60); // the editor would be 40 twips or less
    QCoreApplication::processEvents();
    EXPECT_EQ(editor().height(), height);
    EXPECT_EQ(line->geometry().bottom(), client->height() - 1);

    typeScore(kScore + "4e\r\n");
    editor().setFocus();
    editor().selectChars(0, 0);
    QTest::keyClick(&editor(), Qt::Key_Down);
    QTest::keyClick(&editor(), Qt::Key_Down);
    EXPECT_EQ(line->text(), "Line 3");
    editor().setTextModified(false);
    QTest::keyClicks(&editor(), "4f ");
    EXPECT_TRUE(editor().isTextModified());
}

TEST_F(MainWindowTest, TypingMarksTheFirstErrorAndFixingItClearsTheMark) {
    LiveSyntaxCheck& live = *window->liveCheck();
    QSignalSpy checked(&live, &LiveSyntaxCheck::checked);
    // score, mark start (characters, é counting once), mark length, message
    const std::tuple<std::string, int, int, QString> cases[] = {
        {"**n[a-b-c]\r\n4c 4é 4e\r\n*t[x]\r\n", 15, 2, "Line 2: Error: Invalid note/rest"},
        {"**n[a-b-c]\r\n4c 4d 4e\r\n*t[x]\r\n", 22, 5, "Line 3: Error: Incorrect tempo"},
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

TEST_F(MainWindowTest, AScoreDroppedOnTheEditorOpensAfterTheSavePrompt) {
    writeFile(path("dropped.NTR"), "**n[a-b-c]\n4g\n");
    typeScore(kScore);
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(path("dropped.NTR")))});
    prompts.answers = {Answer::No};
    QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(editor().viewport(), &enter);
    QDropEvent event(QPointF(20, 20), Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(editor().viewport(), &event);
    EXPECT_EQ(editor().scoreText(), "**n[a-b-c]\r\n4g\r\n");
    EXPECT_EQ(documentState(), "Notaro 1.4 -- dropped.NTR|" + path("dropped.NTR") + "|");
    EXPECT_EQ(prompts.questions, 1);
}

} // namespace
} // namespace notaro::app::test
