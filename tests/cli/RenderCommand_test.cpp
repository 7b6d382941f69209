#include "RenderCommand.h"

#include "CliTestSupport.h"
#include "CommandOutput.h"

#include <sys/stat.h>

namespace fs = std::filesystem;
using notaro::testing::commandOutput;
using RenderCommand = notaro::testing::CliTest;
using namespace notaro::cli;

namespace {

double number(const std::string& text, const std::string& label) {
    const size_t at = text.find(label);
    return at == std::string::npos ? -1 : std::stod(text.substr(at + label.size()));
}

} // namespace

TEST_F(RenderCommand, EverySampleRendersToSound) {
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
                  exitCode::kDone)
            << err_.str();
        EXPECT_EQ(err_.str(), ""); // no progress display when stderr is not a terminal
        // The MIDI file's own length, as sox sees nothing of it: compare with the dump's last line.
        const std::string mid = path("x.mid");
        commandOutput(std::string(NOTARO_BINARY_DIR) + "/bin/notaro-cli midi -o '" + mid + "' '" +
                      e.path().string() + "'");
        const std::string dump =
            commandOutput(std::string(NOTARO_BINARY_DIR) + "/bin/notaro-cli dump '" + mid + "'");
        const size_t open = dump.rfind('(');
        ASSERT_NE(open, std::string::npos) << dump;
        const double midiSeconds = std::stod(dump.substr(open + 1)) / 1000.0;
        const double wavSeconds = std::stod(commandOutput("soxi -D '" + wav + "'"));
        EXPECT_GE(wavSeconds, midiSeconds - 0.01);
        EXPECT_LE(wavSeconds, midiSeconds + 3.01);
        const std::string stat = commandOutput("sox '" + wav + "' -n stat");
        EXPECT_GT(number(stat, "RMS     amplitude:"), 0.005) << stat;
        EXPECT_LT(number(stat, "Maximum amplitude:"), 1.0) << stat; // no clipping
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
                  exitCode::kFailed);
        EXPECT_EQ(err_.str(), path(name) + ": Cannot load the SoundFont.\n");
    }
}
