#include "app/playback/WavExport.h"
#include "score/cTParse.h"
#include "tests/app/AppTestSupport.h"

#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>

#include <future>

namespace notaro::app::test {
namespace {

namespace fs = std::filesystem;
const char* const kSoundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";
const std::string kSample = std::string(NOTARO_SOURCE_DIR) + "/data/samples/TwinkleTwinkle.NTR";

/// The sample parsed; both renderers find the SoundFont through para.ini, as the window does.
class WavExportTest : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        if (!fs::exists(kSoundFont))
            GTEST_SKIP() << "the TimGM6mb SoundFont is not installed";
        writeFile(path("notaro/para.ini"), std::string("[Midi]\nSoundFont=") + kSoundFont);
        ASSERT_TRUE(parser.parseAramText(readFile(kSample)).ok());
    }
    WavExportResult exportTo(const std::string& name, int32_t instrument = -1,
                             const WavExportProbe& probe = {}) {
        ScoreMidiOptions options; // the default ratios, as para.ini has none
        options.instrument = instrument;
        return exportWav(nullptr, parser, options, qpath(name), probe);
    }

    cTParse parser;
};

TEST_F(WavExportTest, WritesWhatTheCommandLineRendersAndCancelOrFailureLeaveNothingBehind) {
    for (const int32_t instrument : {-1, 40}) {
        ASSERT_EQ(exportTo("ours.wav", instrument), WavExportResult::Done);
        ASSERT_EQ(runCli("render -o '" + path("theirs.wav") + "' '" + kSample + "'" +
                         (instrument < 0 ? "" : " --instrument 40")),
                  0);
        EXPECT_TRUE(readFile(path("ours.wav")) == readFile(path("theirs.wav"))) << instrument;
    }
    writeFile(path("keep.wav"), "old");
    // The render waits at its first progress report until the dialog (shown after its delay)
    // has been cancelled, however fast the machine renders.
    std::promise<void> clicked;
    const std::shared_future<void> released = clicked.get_future().share();
    QString label;
    QTimer finder;
    QObject::connect(&finder, &QTimer::timeout, [&] {
        auto* d = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget());
        if (!d || !d->isVisible())
            return;
        finder.stop();
        label = d->labelText();
        QTest::mouseClick(d->findChild<QPushButton*>(), Qt::LeftButton);
        clicked.set_value();
    });
    finder.start(20);
    const auto probe = [released](double) { released.wait_for(std::chrono::seconds(10)); };
    EXPECT_EQ(exportTo("keep.wav", -1, probe), WavExportResult::Cancelled);
    EXPECT_EQ(label, "Exporting as WAV...");
    EXPECT_EQ(exportTo("no/x.wav"), WavExportResult::Failed);
    EXPECT_EQ(readFile(path("keep.wav")), "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), {}), 4); // + notaro, ours, theirs
}

} // namespace
} // namespace notaro::app::test
