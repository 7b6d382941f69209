#include "app/document/ExportController.h"
#include "tests/app/AppTestSupport.h"

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
