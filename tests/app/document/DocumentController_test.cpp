#include "app/document/DocumentController.h"
#include "app/shell/AppValues.h"
#include "tests/app/AppTestSupport.h"
#include "tests/midi/midiTestSupport.h"

#include <QSignalSpy>

namespace notaro::app::test {
namespace {

using Answer = UserPrompts::Answer;
namespace fs = std::filesystem;

class DocumentControllerTest : public EditorRig {
protected:
    void SetUp() override {
        EditorRig::SetUp();
        initAppValues();
        doc = std::make_unique<DocumentController>(*editor, prompts, nullptr);
        QObject::connect(doc.get(), &DocumentController::captionChanged,
                         [this](const QString& c) { caption = c; });
    }
    /// The caption last announced, the document's file name and "*" when modified, joined
    /// with "|".
    std::string documentState() {
        return (caption + "|" + doc->fileName() + "|" + (editor->isTextModified() ? "*" : ""))
            .toStdString();
    }

    std::unique_ptr<DocumentController> doc;
    QString caption;
};

TEST_F(DocumentControllerTest, OpenTrimsBlanksNamesTheDocumentOrRefusesAndKeepsIt) {
    EXPECT_EQ(doc->caption(), "Notaro 1.4 -- New Document");
    QSignalSpy replaced(doc.get(), &DocumentController::documentReplaced);
    writeFile(path("a.NTR"), "  \t**n[a-b-c]\n4c 4d\n  ");
    prompts.fileAnswers = {QString::fromStdString("  " + path("a.NTR") + " ")};
    doc->open();
    EXPECT_EQ(editor->scoreText(), "\t**n[a-b-c]\r\n4c 4d\r\n");
    EXPECT_EQ(documentState(), "Notaro 1.4 -- a.NTR|" + path("a.NTR") + "|");
    EXPECT_EQ(replaced.takeFirst().at(0).toString().toStdString(), path("a.NTR"));
    const auto& [shown, save] = prompts.dialogs.back();
    EXPECT_EQ(shown.title + "|" + shown.initialFolder, "Open file:|" + appValues().samplesFolder);
    EXPECT_FALSE(save);

    // The reader's own tests try every limit and kind of path; here each answer's message.
    writeFile(path("exact.NTR"), std::string(64000, 'x'));
    writeFile(path("over.NTR"), std::string(64001, 'x'));
    // the file opened, the message ("" = opened)
    const std::pair<std::string, QString> cases[] = {{"over.NTR", "File is too long."},
                                                     {"missing.NTR", "Cannot open the file."},
                                                     {"exact.NTR", ""}};
    for (const auto& [file, message] : cases) {
        SCOPED_TRACE(file);
        editor->setScoreText(kScore);
        prompts.messages.clear();
        doc->openFile(qpath(file));
        EXPECT_EQ(prompts.texts(), message.isEmpty() ? QStringList() : QStringList({message}));
        EXPECT_EQ(editor->scoreLength(), message.isEmpty() ? 64000 : int(kScore.size()));
    }
    EXPECT_EQ(replaced.count(), 1);
}

TEST_F(DocumentControllerTest, ImportMidiOffersEachLineAndOpensTheMelodyAsANewDocument) {
    const std::string header = "4D 54 68 64 00 00 00 06 00 01 00 02 00 60 ";
    writeFile(
        path("two.mid"),
        midiTest::bytesFromHex(header) +
            midiTest::trackChunk("00 C0 05 00 90 3C 64 60 80 3C 00 00 FF 2F 00") +
            midiTest::trackChunk("00 91 40 64 60 81 40 00 00 91 43 64 60 81 43 00 00 FF 2F 00"));
    writeFile(path("drums.mid"),
              midiTest::bytesFromHex("4D 54 68 64 00 00 00 06 00 00 00 01 00 60") +
                  midiTest::trackChunk("00 99 24 64 60 89 24 00 00 FF 2F 00"));
    // The file, the line chosen (-1 cancels), then the text's first note ("" = not imported)
    // and the message shown.
    const std::tuple<const char*, int, const char*, QString> cases[] = {
        {"two.mid", 1, "*i[5]\r\n4c 2.: |", ""},
        {"two.mid", 0, "4e( 4g) 2: |", ""}, // legato: slurred
        {"two.mid", -1, "", ""},
        {"drums.mid", 0, "",
         "Cannot import the MIDI file: no melodic line: every note is on channel 10 (drums)."},
    };
    for (const auto& [file, choice, notes, message] : cases) {
        SCOPED_TRACE(file + std::to_string(choice));
        editor->setScoreText(kScore);
        editor->setTextModified(false);
        prompts.messages.clear();
        prompts.lists.clear();
        prompts.fileAnswers = {qpath(file)};
        prompts.itemChoices = {choice};
        doc->importMidi();
        EXPECT_EQ(prompts.texts(), message.isEmpty() ? QStringList() : QStringList({message}));
        if (*notes == 0) {
            EXPECT_EQ(editor->scoreText(), kScore);
            continue;
        }
        EXPECT_EQ(prompts.lists.back(),
                  QStringList({"Track 1, channel 2, 2 notes, keys 64 to 67",
                               "Track 0, channel 1, instrument 5, 1 notes, keys 60 to 60"}));
        EXPECT_NE(editor->scoreText().find(notes), std::string::npos) << editor->scoreText();
        EXPECT_EQ(documentState(), "Notaro 1.4 -- New Document||*");
    }
}

TEST_F(DocumentControllerTest, SaveOfANewDocumentAsksForANameAndAddsTheExtension) {
    QSignalSpy saved(doc.get(), &DocumentController::documentSaved);
    fs::create_directory(dir_ / "my.folder");
    for (const auto& [answer, written] : {std::pair{"tune", "tune.NTR"},
                                          {"my.folder/tune", "my.folder/tune.NTR"},
                                          {"song.txt", "song.txt"}}) {
        SCOPED_TRACE(answer);
        doc->newDocument();
        typeScore(kScore);
        prompts.fileAnswers = {qpath(answer)};
        doc->save();
        EXPECT_EQ(readFile(path(written)), kScore);
        EXPECT_EQ(documentState(), "Notaro 1.4 -- " + fs::path(written).filename().string() + "|" +
                                       path(written) + "|");
        EXPECT_EQ(saved.takeFirst().at(0).toString().toStdString(), path(written));
    }
    // A named document saves without asking; Save As asks in the document's folder; a failed
    // write keeps the old file, the name and the modified flag.
    typeScore(kScore + "4e\r\n");
    const size_t asked = prompts.dialogs.size();
    doc->save();
    EXPECT_EQ(prompts.dialogs.size(), asked);
    typeScore("changed\r\n");
    fs::create_directory(dir_ / "taken.NTR"); // a folder stands where the file would go
    prompts.fileAnswers = {qpath("taken.NTR")};
    doc->saveAs();
    const fileDialogRequest& shown = prompts.dialogs.back().first;
    EXPECT_EQ(shown.initialFolder + "|" + shown.fileName,
              QString::fromStdString(dir_.string() + "|song.txt"));
    EXPECT_EQ(prompts.texts(), QStringList({"Failed to save file"}));
    EXPECT_EQ(documentState(), "Notaro 1.4 -- song.txt|" + path("song.txt") + "|*");
    EXPECT_EQ(readFile(path("song.txt")), kScore + "4e\r\n");
}

TEST_F(DocumentControllerTest, TheSavePromptTakesEveryBranch) {
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
        doc->newDocument();
        typeScore(kScore);
        prompts.messages.clear();
        prompts.answers = {answer};
        prompts.fileAnswers = {*chosen ? qpath(chosen) : ""};
        doc->newDocument();
        EXPECT_EQ(prompts.messages.front().text, "Do you want to save changes?");
        EXPECT_EQ(editor->scoreText().empty(), proceeds);
        EXPECT_EQ(editor->isTextModified(), !proceeds);
        EXPECT_EQ(fs::exists(path("kept.NTR")), written);
        EXPECT_EQ(prompts.texts().contains("Failed to save file"), writeFails);
        fs::remove(path("kept.NTR"));
    }
    // What the prompt saved names the document, even when the command then stops (no file
    // chosen to open).
    prompts.answers = {Answer::Yes};
    prompts.fileAnswers = {qpath("kept")};
    doc->open();
    EXPECT_EQ(documentState(), "Notaro 1.4 -- kept.NTR|" + path("kept.NTR") + "|");
}

} // namespace
} // namespace notaro::app::test
