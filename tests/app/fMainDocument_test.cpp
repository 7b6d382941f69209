// The main window's document commands and the save prompt, driven through the menus.
#include "AppValues.h"
#include "MainWindowFixture.h"

#include <QLabel>

#include <filesystem>

namespace notaro::app::test {
namespace {

using Answer = UserPrompts::Answer;
const std::string kScore = "**n[a-b-c]\r\n4c 4d\r\n";

void trigger(fMain& w, const char* action) {
    w.findChild<QAction*>(QString::fromLatin1(action))->trigger();
}

TEST_F(MainWindowTest, OpenReadsTheFileTrimsBlanksAndNamesTheWindow) {
    EXPECT_EQ(window->windowTitle(), "Notaro 1.4 -- New Document");
    const std::string a = path("a.NTR");
    writeFile(a, "  \t**n[a-b-c]\n4c 4d\n  ");
    prompts.fileAnswers = {QString::fromStdString("  " + a + " ")};
    trigger(*window, "mnu_File_Open");
    EXPECT_EQ(editor().scoreText(), "\t**n[a-b-c]\r\n4c 4d\r\n");
    EXPECT_EQ(window->windowTitle(), "Notaro 1.4 -- a.NTR");
    EXPECT_EQ(window->currentFileName().toStdString(), a);
    EXPECT_FALSE(editor().isTextModified());
    EXPECT_EQ(editor().selStart(), 0);
    const fileDialogRequest& shown = prompts.dialogs.back();
    EXPECT_EQ(shown.title, "Open file:");
    EXPECT_EQ(shown.initialFolder, appValues().samplesFolder);
    EXPECT_FALSE(prompts.dialogWasSave.back());
}

TEST_F(MainWindowTest, OpenRefusesWhatItCannotTakeAndKeepsTheDocument) {
    const std::string exact = path("exact.NTR"), over = path("over.NTR");
    writeFile(exact, std::string(64000, 'x'));
    writeFile(over, std::string(64001, 'x'));
    struct Case {
        std::string file;
        QString message; // "" = opened
    };
    const Case cases[] = {
        {over, "File is too long."},
        {path("missing.NTR"), "Cannot open the file."},
        {dir.string(), "Cannot open the file."}, // a folder
        {exact, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        typeScore(kScore);
        editor().setTextModified(false);
        prompts.messages.clear();
        window->openFromCommandLine(QString::fromStdString(c.file));
        if (c.message.isEmpty()) {
            EXPECT_TRUE(prompts.messages.empty());
            EXPECT_EQ(editor().scoreLength(), 64000);
        } else {
            EXPECT_EQ(prompts.texts(), QStringList({c.message}));
            EXPECT_EQ(editor().scoreText(), kScore);
        }
    }
}

TEST_F(MainWindowTest, SaveOfANewDocumentAsksForANameAndAddsTheExtension) {
    std::filesystem::create_directory(dir / "my.folder");
    struct Case {
        std::string answer, written;
    };
    const Case cases[] = {
        {"tune", "tune.NTR"},
        {"my.folder/tune", "my.folder/tune.NTR"}, // a "." in a folder does not count
        {"song.txt", "song.txt"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer);
        trigger(*window, "mnu_File_New");
        typeScore(kScore);
        prompts.fileAnswers = {QString::fromStdString(path(c.answer))};
        trigger(*window, "mnu_File_Save");
        EXPECT_EQ(readFile(path(c.written)), kScore);
        EXPECT_EQ(window->currentFileName().toStdString(), path(c.written));
        EXPECT_FALSE(editor().isTextModified());
    }
    EXPECT_EQ(window->windowTitle(), "Notaro 1.4 -- song.txt");
    // A named document saves without asking; Save As asks in the document's folder.
    typeScore(kScore + "4e\r\n");
    const size_t asked = prompts.dialogs.size();
    trigger(*window, "mnu_File_Save");
    EXPECT_EQ(prompts.dialogs.size(), asked);
    EXPECT_EQ(readFile(path("song.txt")), kScore + "4e\r\n");
    trigger(*window, "mnu_File_SaveAs");
    EXPECT_EQ(prompts.dialogs.back().initialFolder.toStdString(), dir.string());
    EXPECT_EQ(prompts.dialogs.back().fileName, "song.txt");
}

TEST_F(MainWindowTest, AFailedWriteKeepsTheOldFileTheNameAndTheModifiedFlag) {
    const std::string old = path("old.NTR");
    writeFile(old, kScore);
    window->openFromCommandLine(QString::fromStdString(old));
    typeScore("changed\r\n");
    std::filesystem::create_directory(dir / "taken.NTR"); // a folder stands where the file would go
    prompts.fileAnswers = {QString::fromStdString(path("taken.NTR"))};
    trigger(*window, "mnu_File_SaveAs");
    EXPECT_EQ(prompts.texts(), QStringList({"Failed to save file"}));
    EXPECT_EQ(window->currentFileName().toStdString(), old);
    EXPECT_TRUE(editor().isTextModified());
    EXPECT_EQ(readFile(old), kScore);
    EXPECT_EQ(window->windowTitle(), "Notaro 1.4 -- old.NTR");
}

TEST_F(MainWindowTest, TheSavePromptTakesEveryBranch) {
    struct Case {
        const char* name;
        Answer answer;
        QString dialogAnswer; // for a new document; "" cancels the dialog
        bool writeFails;
        bool proceeds; // the New command went on
        bool written;
    };
    const Case cases[] = {
        {"no discards", Answer::No, "", false, true, false},
        {"cancel keeps", Answer::Cancel, "", false, false, false},
        {"yes saves first", Answer::Yes, "kept", false, true, true},
        {"yes then dialog cancelled", Answer::Yes, "", false, false, false},
        {"yes but the write fails", Answer::Yes, "folder.NTR", true, false, false},
    };
    std::filesystem::create_directory(dir / "folder.NTR");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        trigger(*window, "mnu_File_New");
        typeScore(kScore);
        prompts.messages.clear();
        prompts.answers = {c.answer};
        if (c.answer == Answer::Yes)
            prompts.fileAnswers = {c.dialogAnswer.isEmpty() ? QString()
                                                            : QString::fromStdString(path(
                                                                  c.dialogAnswer.toStdString()))};
        trigger(*window, "mnu_File_New");
        EXPECT_EQ(prompts.messages.front().text, "Do you want to save changes?");
        EXPECT_EQ(editor().scoreText().empty(), c.proceeds);
        EXPECT_EQ(std::filesystem::exists(path("kept.NTR")), c.written);
        EXPECT_EQ(prompts.texts().contains("Failed to save file"), c.writeFails);
        std::filesystem::remove(path("kept.NTR"));
    }
}

TEST_F(MainWindowTest, ResizingKeepsTheEditorBetweenToolRowAndLineDisplay) {
    QWidget* client = window->centralWidget();
    QWidget* line = window->findChild<QWidget*>("lblLnNum");
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
}

TEST_F(MainWindowTest, TheLineDisplayFollowsTheCaret) {
    typeScore(kScore + "4e\r\n");
    editor().setFocus();
    editor().selectChars(0, 0);
    QTest::keyClick(&editor(), Qt::Key_Down);
    QTest::keyClick(&editor(), Qt::Key_Down);
    EXPECT_EQ(window->findChild<QLabel*>("lblLnNum")->text(), "Line 3");
    QTest::keyClicks(&editor(), "4f ");
    EXPECT_TRUE(editor().isTextModified());
}

} // namespace
} // namespace notaro::app::test
