#include "cli/RenderCommand.h"

#include "tests/cli/CliTestSupport.h"
#include "tests/common/CommandOutput.h"

#include <sys/stat.h>

namespace fs = std::filesystem;
using notaro::testing::commandOutput;
using RenderCommand = notaro::testing::CliTest;
using namespace notaro::cli;

TEST_F(RenderCommand, EverySampleRendersWithoutClipping) {
    const char* soundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";
    if (!fs::exists(soundFont))
        GTEST_SKIP() << "the TimGM6mb SoundFont is not installed";
    int rendered = 0;
    for (const auto& e : fs::directory_iterator(fs::path(NOTARO_SOURCE_DIR) / "data" / "samples")) {
        if (e.path().extension() != ".NTR")
            continue;
        SCOPED_TRACE(e.path().filename().string());
        const std::string wav = path(e.path().stem().string() + ".wav");
        ASSERT_EQ(run(runRender, {"--soundfont", soundFont, "-o", wav, e.path().string()}),
                  ExitCode::Done)
            << err_.str();
        EXPECT_EQ(err_.str(), ""); // no progress display when stderr is not a terminal
        const std::string stat = commandOutput("sox '" + wav + "' -n stat");
        const size_t at = stat.find("Maximum amplitude:"); // below 1: no clipping
        EXPECT_LT(at == std::string::npos ? 9 : std::stod(stat.substr(at + 18)), 1.0) << stat;
        ++rendered;
    }
    EXPECT_GE(rendered, 5);
}

TEST_F(RenderCommand, SoundFontThatIsNoFileFailsAtOnce) {
    const std::string score = put("a.ntr", "**n[a-b-c]\r\n4c\r\n");
    // A FIFO without a writer would block whoever opens it to read.
    ASSERT_EQ(::mkfifo(path("fifo.sf2").c_str(), 0600), 0);
    writeFile(path("empty.sf2"), "");
    fs::create_directory(path("folder.sf2"));
    for (const char* name : {"fifo.sf2", "empty.sf2", "folder.sf2"}) {
        EXPECT_EQ(run(runRender, {"--soundfont", path(name), "-o", path("a.wav"), score}),
                  ExitCode::Failed);
        EXPECT_EQ(err_.str(), path(name) + ": Cannot load the SoundFont.\n");
    }
}

TEST_F(RenderCommand, PracticeOptionsRenderEveryPass) {
    const char* soundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";
    if (!fs::exists(soundFont))
        GTEST_SKIP() << "the TimGM6mb SoundFont is not installed";
    const std::string score = put("a.ntr", "**n[a-b-c]\n*t[60]\n4c 4d\n");
    // The same last note and click each time: the files differ by the passes and count-in added.
    const struct {
        const char *loop, *countIn;
        int64_t extraMs;
    } cases[] = {{"1", "1", 0}, {"3", "1", 4000}, {"3", "2", 8000}};
    int64_t firstFrames = 0;
    for (const auto& c : cases) {
        const std::string wav = path(std::string("a") + c.loop + c.countIn + ".wav");
        ASSERT_EQ(run(runRender, {"--soundfont", soundFont, "--click", "--loop", c.loop,
                                  "--count-in", c.countIn, "-o", wav, score}),
                  ExitCode::Done)
            << err_.str();
        const int64_t frames = (static_cast<int64_t>(fs::file_size(wav)) - 44) / 4;
        if (c.extraMs == 0)
            firstFrames = frames;
        EXPECT_NEAR(frames - firstFrames, c.extraMs * 441 / 10, 1024) << c.loop << c.countIn;
    }
    EXPECT_EQ(run(runRender, {"--loop", "0", "-o", path("b.wav"), score}), ExitCode::Usage);
}
