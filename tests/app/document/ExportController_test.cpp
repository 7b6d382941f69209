#include "app/document/ExportController.h"
#include "tests/app/AppTestSupport.h"

#include <QApplication>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>

namespace notaro::app::test {
namespace {

using ExportControllerTest = EditorRig;

TEST_F(ExportControllerTest, SaveAsMidiWritesWhatTheCommandLineToolWrites) {
    ExportController exports(*syntax, prompts, nullptr);
    const std::string score = kHeader + "*i[5]\r\n*t[90]\r\n4c 8d+ 4e[ 4e]\r\n";
    writeFile(path("tune.NTR"), score);
    editor->setScoreText(score);
    for (const int32_t instrument : {-1, 40}) {
        SCOPED_TRACE(instrument);
        ScoreMidiOptions options; // the default ratios, as para.ini has none
        options.instrument = instrument;
        const std::string ours = path(instrument < 0 ? "own" : "forced"); // ".mid" is added
        prompts.fileAnswers = {QString::fromStdString(ours)};
        exports.saveMidi(options);
        ASSERT_FALSE(prompts.dialogs.empty()) << prompts.texts().join(";").toStdString();
        EXPECT_TRUE(prompts.dialogs.back().second);
        EXPECT_EQ(prompts.dialogs.back().first.title, "Save as:");
        ASSERT_EQ(runCli("midi -o " + path("cli.mid") +
                         (instrument < 0 ? " " : " --instrument 40 ") + path("tune.NTR")),
                  0);
        EXPECT_EQ(readFile(ours + ".mid"), readFile(path("cli.mid")));
    }
    EXPECT_TRUE(prompts.messages.empty());
    prompts.fileAnswers = {qpath("no/such/folder/x.mid")};
    exports.saveMidi({});
    EXPECT_EQ(prompts.texts(), QStringList({"Failed to save as Midi."}));
}

TEST_F(ExportControllerTest, ACancelledDialogOrExportSaysNothingAndWritesNothing) {
    ExportController exports(*syntax, prompts, nullptr);
    writeFile(path("notaro/para.ini"), "[Midi]\nSoundFont=/usr/share/sounds/sf2/TimGM6mb.sf2");
    std::string score = kHeader;
    for (int i = 0; i < 2000; ++i)
        score += "4c 4d 4e 4f\r\n"; // more than an hour of sound
    editor->setScoreText(score);
    exports.saveMidi({});
    exports.exportWav({});
    prompts.fileAnswers = {qpath("long")};
    QTimer cancel;
    QObject::connect(&cancel, &QTimer::timeout, [] {
        if (auto* d = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget()))
            QTest::mouseClick(d->findChild<QPushButton*>(), Qt::LeftButton);
    });
    cancel.start(20);
    exports.exportWav({});
    EXPECT_EQ(prompts.dialogs.size(), 3u);
    EXPECT_TRUE(prompts.messages.empty()) << prompts.texts().join(";").toStdString();
    EXPECT_FALSE(std::filesystem::exists(path("long.wav")));
}

TEST_F(ExportControllerTest, AbcAndStaffExportsWriteWhatTheCommandLineToolWrites) {
    ExportController exports(*syntax, prompts, nullptr);
    const std::string score = kHeader + "*i[5]\r\n4c 8d+ | 3e[ 3e] 3f\r\n";
    writeFile(path("tune.NTR"), score);
    editor->setScoreText(score);
    prompts.fileAnswers = {qpath("ours"), qpath("ours")}; // ".abc", ".pdf" are added
    exports.saveAbc();
    exports.exportStaffPdf();
    ASSERT_EQ(runCli("abc -o " + path("cli.abc") + " " + path("tune.NTR")), 0);
    EXPECT_EQ(readFile(path("ours.abc")), readFile(path("cli.abc")));
    ASSERT_EQ(runCli("staff -o " + path("cli.pdf") + " " + path("tune.NTR")), 0);
    ASSERT_EQ(runCli("staff -o " + path("cli.svg") + " " + path("tune.NTR")), 0);
    EXPECT_EQ(readFile(path("ours.pdf")).substr(0, 5), "%PDF-");
    EXPECT_EQ(readFile(path("cli.pdf")).substr(0, 5), "%PDF-");
    EXPECT_NE(readFile(path("cli.svg")).find("<svg"), std::string::npos);
    EXPECT_TRUE(prompts.messages.empty());
    prompts.fileAnswers = {qpath("no/such/folder/x.abc"), qpath("no/such/folder/x.pdf")};
    exports.saveAbc();
    exports.exportStaffPdf();
    EXPECT_EQ(prompts.texts(),
              QStringList({"Failed to save as ABC.", "Failed to export the staff as PDF."}));
}

TEST_F(ExportControllerTest, ExportAsMusicXmlWritesWhatTheCommandLineToolWrites) {
    ExportController exports(*syntax, prompts, nullptr);
    const std::string score = kHeader + "*i[5]\r\n4c 8d+ 8e[ | 4e] 6f 6g 6a |\r\n";
    writeFile(path("tune.NTR"), score);
    editor->setScoreText(score);
    prompts.fileAnswers = {qpath("ours")};
    exports.exportMusicXml();
    ASSERT_EQ(runCli("musicxml -o " + path("cli.musicxml") + " " + path("tune.NTR")), 0);
    EXPECT_EQ(readFile(path("ours.musicxml")), readFile(path("cli.musicxml")));
    EXPECT_EQ(prompts.dialogs.back().first.title, "Save as:");
    prompts.fileAnswers = {qpath("no/such/folder/x")};
    exports.exportMusicXml();
    EXPECT_EQ(prompts.texts(),
              QStringList({"Failed to export as MusicXML: No such file or directory."}));
}

} // namespace
} // namespace notaro::app::test
