#include "app/document/AutoSave.h"
#include "app/document/DocumentController.h"
#include "app/document/RecoveryStore.h"
#include "tests/app/AppTestSupport.h"

#include <QDir>

#include <sys/stat.h>
#include <utime.h>

namespace notaro::app::test {
namespace {

class AutoSaveTest : public EditorRig {
protected:
    void SetUp() override {
        EditorRig::SetUp();
        store = std::make_unique<RecoveryStore>(qpath("recovery"));
        doc = std::make_unique<DocumentController>(*editor, prompts, nullptr);
        autoSave = std::make_unique<AutoSave>(*editor, *doc, *store);
    }
    /// A copy left by a program that is gone (no lock), written at second `when` of 1970.
    void leaveCopy(const std::string& session, const std::string& body, time_t when) {
        const std::string file = path("recovery/" + session + ".recovery");
        writeFile(file, body);
        const utimbuf times{when, when};
        ::utime(file.c_str(), &times);
    }
    QStringList folder() const {
        return QDir(qpath("recovery")).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    std::unique_ptr<RecoveryStore> store;
    std::unique_ptr<DocumentController> doc;
    std::unique_ptr<AutoSave> autoSave;
};

TEST_F(AutoSaveTest, CopyFollowsTheModifiedTextAndGoesWithSaveOrUndo) {
    editor->setScoreText(kScore);
    autoSave->writeNow(); // not modified: no copy
    EXPECT_TRUE(store->copyPath().isEmpty());
    QTest::keyClicks(editor.get(), "4e");
    autoSave->writeNow();
    const QString copy = store->copyPath();
    EXPECT_EQ(readFile(copy.toStdString()), "notaro recovery copy 1\nfile=\n4e" + kScore);
    // A living program's copy is never offered; the lock file sits beside the copy.
    EXPECT_TRUE(RecoveryStore(qpath("recovery")).orphans().empty());
    EXPECT_EQ(folder().size(), 2);
    editor->undo();
    EXPECT_FALSE(QFile::exists(copy));
    QTest::keyClicks(editor.get(), "4f");
    autoSave->writeNow();
    EXPECT_TRUE(QFile::exists(copy));
    prompts.fileAnswers = {qpath("saved.NTR")};
    doc->save();
    EXPECT_FALSE(QFile::exists(copy));
    store.reset(); // the program ends: its lock goes too
    autoSave.reset();
    EXPECT_TRUE(folder().isEmpty());
}

TEST_F(AutoSaveTest, OrphansAreOfferedOldestFirstAndOnlyTheUsersWordDeletes) {
    leaveCopy("1-a", "notaro recovery copy 1\nfile=/x/Later.NTR\nlater\r\n", 300);
    leaveCopy("2-b", "notaro recovery copy 1\nfile=\ndiscarded\r\n", 100);
    leaveCopy("3-c", "notaro recovery copy 1\nfile=/x/Tune.NTR\n" + kScore + "4e\r\n", 200);
    leaveCopy("4-d", "notaro recovery copy 1\nfile=/x/Next.NTR\nnext\r\n", 400);
    leaveCopy("5-e", "some other file\n", 50);
    // Gone programs' leftovers that hold no copy go; a living program's lock stays.
    writeFile(path("recovery/6-f.lock"), "");
    writeFile(path("recovery/.6-f.recovery.999999999.1.tmp"), "killed mid-write");
    RecoveryStore alive(qpath("recovery"));
    alive.write({}, "saved since");
    alive.remove();
    prompts.choices = {1, 0}; // Discard, then Recover: the rest wait for the next start
    autoSave->offerRecovery(prompts, nullptr);
    ASSERT_EQ(prompts.messages.size(), 2u);
    EXPECT_EQ(prompts.messages[0].buttons, QStringList({"Recover", "Discard", "Later"}));
    const QString asked = prompts.messages[1].text;
    EXPECT_TRUE(asked.contains("File: /x/Tune.NTR\n")) << asked.toStdString();
    EXPECT_TRUE(asked.endsWith("It begins:\n**n[a-b-c]\n4c 4d\n4e\n")) << asked.toStdString();
    EXPECT_EQ(editor->scoreText(), kScore + "4e\r\n");
    EXPECT_TRUE(editor->isTextModified());
    EXPECT_EQ(doc->fileName(), "/x/Tune.NTR");
    const QString own = QFileInfo(store->copyPath()).fileName();
    QStringList expected{"1-a.recovery",
                         "4-d.recovery",
                         "5-e.recovery",
                         own.chopped(9) + ".lock",
                         own,
                         QFileInfo(alive.copyPath()).completeBaseName() + ".lock"};
    expected.sort();
    EXPECT_EQ(folder(), expected);
    prompts.choices = {2, 2};
    RecoveryStore later(qpath("recovery"));
    EXPECT_EQ(later.orphans().size(), 2u); // "Later" and the one not reached
}

TEST_F(AutoSaveTest, SaveOverAFileChangedOnDiskAsksAndAChangeOffersAReload) {
    writeFile(path("t.NTR"), kScore);
    doc->openFile(qpath("t.NTR"));
    QTest::keyClicks(editor.get(), "4g ");
    writeFile(path("t.NTR"), "theirs\r\n");
    const utimbuf later{1000, 1000};
    ::utime(path("t.NTR").c_str(), &later);
    prompts.choices = {1}; // No: file and document untouched
    doc->save();
    EXPECT_EQ(readFile(path("t.NTR")), "theirs\r\n");
    EXPECT_TRUE(editor->isTextModified());
    EXPECT_EQ(
        prompts.texts(),
        QStringList({"The file has been changed on disk since it was opened. Overwrite it?"}));
    // Modified here and changed there: the question says what is lost; No keeps the text and
    // the same change is not asked about again.
    doc->reviewDiskChange();
    doc->reviewDiskChange();
    EXPECT_EQ(prompts.messages.size(), 2u);
    EXPECT_TRUE(prompts.texts().at(1).contains("not saved"));
    prompts.choices = {0}; // Yes: overwrite
    doc->save();
    EXPECT_EQ(readFile(path("t.NTR")), "4g " + kScore);
    doc->reviewDiskChange(); // our own write is no change
    EXPECT_EQ(prompts.messages.size(), 3u);
    writeFile(path("t.NTR"), "4a\r\n");
    ::utime(path("t.NTR").c_str(), &later);
    prompts.choices = {0}; // unmodified: reload
    doc->reviewDiskChange();
    EXPECT_EQ(prompts.texts().at(3), "The file t.NTR has been changed on disk. Reload it?");
    EXPECT_EQ(editor->scoreText(), "4a\r\n");
    EXPECT_FALSE(editor->isTextModified());
}

} // namespace
} // namespace notaro::app::test
