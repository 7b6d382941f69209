// WAV export: the samples `notaro-cli render` writes; a Cancel in the progress dialog and a
// failure both leave nothing behind.
#include "AppTestSupport.h"
#include "OnRatios.h"
#include "WavExport.h"
#include "cTParse.h"

#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <future>
#include <sstream>

namespace notaro::app::test {
namespace {

namespace fs = std::filesystem;
const char* const kSoundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";
const fs::path kSample = fs::path(NOTARO_SOURCE_DIR) / "data" / "samples" / "TwinkleTwinkle.NTR";

std::string readFile(const fs::path& p) {
    std::stringstream ss;
    ss << std::ifstream(p, std::ios::binary).rdbuf();
    return ss.str();
}

class WavExportTest : public ::testing::Test {
protected:
    void SetUp() override {
        testApp();
        if (!fs::exists(kSoundFont))
            GTEST_SKIP() << "the TimGM6mb SoundFont is not installed";
        char pattern[] = "/tmp/notaro-wavexport-XXXXXX";
        out = ::mkdtemp(pattern);
        // Both renderers find the SoundFont through para.ini, as the window does.
        fs::create_directories(out / "cfg" / "notaro");
        std::ofstream(out / "cfg" / "notaro" / "para.ini") << "[Midi]\nSoundFont=" << kSoundFont;
        ::setenv("XDG_CONFIG_HOME", (out / "cfg").c_str(), 1);
        loadOnRatios();
        std::string msg;
        int32_t pos = 0, len = 0;
        ASSERT_EQ(parser.parseAramText(readFile(kSample), msg, pos, len), 0) << msg;
    }
    void TearDown() override {
        ::unsetenv("XDG_CONFIG_HOME");
        fs::remove_all(out);
    }
    int32_t exportTo(const fs::path& p, int32_t instrument = -1, const WavExportProbe& probe = {}) {
        return exportWav(nullptr, parser, instrument, QString::fromStdString(p.string()), probe);
    }

    fs::path out;
    cTParse parser;
};

TEST_F(WavExportTest, WritesWhatTheCommandLineRenders) {
    for (const char* instrument : {"-1", "40"}) {
        SCOPED_TRACE(instrument);
        ASSERT_EQ(exportTo(out / "ours.wav", std::atoi(instrument)), wavExportRc::kDone);
        const std::string cmd = std::string(NOTARO_BINARY_DIR) + "/bin/notaro-cli render -o '" +
                                (out / "theirs.wav").string() + "' '" + kSample.string() + "'" +
                                (*instrument == '-' ? "" : " --instrument 40");
        ASSERT_EQ(std::system(cmd.c_str()), 0) << cmd;
        EXPECT_TRUE(readFile(out / "ours.wav") == readFile(out / "theirs.wav"));
    }
}

TEST_F(WavExportTest, CancelAndFailureLeaveNothingBehind) {
    std::ofstream(out / "keep.wav") << "old";
    // The render waits at its first progress report until the dialog (shown after its delay)
    // has been cancelled, however fast the machine renders.
    std::promise<void> clicked;
    const std::shared_future<void> released = clicked.get_future().share();
    QString label;
    QTimer finder;
    QObject::connect(&finder, &QTimer::timeout, [&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* d = qobject_cast<QProgressDialog*>(w); d && d->isVisible()) {
                finder.stop();
                label = d->labelText();
                QTest::mouseClick(d->findChild<QPushButton*>(), Qt::LeftButton);
                clicked.set_value();
                return;
            }
    });
    finder.start(20);
    const auto probe = [released](double) { released.wait_for(std::chrono::seconds(10)); };
    EXPECT_EQ(exportTo(out / "keep.wav", -1, probe), wavExportRc::kCancelled);
    EXPECT_EQ(label, "Exporting as WAV...");
    EXPECT_EQ(exportTo(out / "no" / "x.wav"), wavExportRc::kFailed);
    EXPECT_EQ(readFile(out / "keep.wav"), "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(out), fs::directory_iterator()), 2); // + cfg
}

} // namespace
} // namespace notaro::app::test
