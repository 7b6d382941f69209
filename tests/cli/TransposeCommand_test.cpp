#include "cli/TransposeCommand.h"
#include "cli/Usage.h"
#include "tests/cli/CliTestSupport.h"

using namespace notaro::cli;
using TransposeCommand = notaro::testing::CliTest;

TEST_F(TransposeCommand, PrintsOrWritesTheMovedScoreAndReportsRefusalsLikeScoreErrors) {
    const std::string score = put("s.NTR", "**n[a-b-c]\n! c\n4c 8.e-( 8f#)\n");
    const std::string high = put("h.NTR", "**n[a-b-c]\n2c 4bbbbb 4bbbbb#\n");
    const std::string out = path("o.NTR");
    // Arguments, exit code, stdout, stderr (the usage for a command line not understood).
    const std::tuple<Args, ExitCode, std::string, std::string> cases[] = {
        {{"2", score}, ExitCode::Done, "**n[a-b-c]\r\n! c\r\n4d 8.f( 8g#)\r\n", ""},
        {{"--flats", "+1", score}, ExitCode::Done, "**n[a-b-c]\r\n! c\r\n4d- 8.e( 8g)\r\n", ""},
        {{score, "--quarter-tones", "-3"},
         ExitCode::Done,
         "**n[a-b-c]\r\n! c\r\n4B~ 8.d~( 8e+)\r\n",
         ""},
        {{"-o", out, "-12", score}, ExitCode::Done, "", ""},
        {{"1", high},
         ExitCode::Failed,
         "",
         high +
             ":2:11: Error: Moving up 1 semitone would take the note 4bbbbb# at line 2, column "
             "11 above bbbbb#, the highest note a score can hold.\n2c 4bbbbb 4bbbbb#\n" +
             std::string(10, ' ') + "^~~~~~~\n"},
        {{"25", score}, ExitCode::Usage, "", ""},
        {{"x", score}, ExitCode::Usage, "", ""},
        {{"+-1", score}, ExitCode::Usage, "", ""},
        {{"1", score, score}, ExitCode::Usage, "", ""},
        {{"--quarter-tones", "1", "2", score}, ExitCode::Usage, "", ""},
        {{"--sharps", "1", score}, ExitCode::Usage, "", ""},
        {{"-o", "1", score}, ExitCode::Usage, "", ""},
    };
    for (const auto& [args, code, printed, error] : cases) {
        EXPECT_EQ(run(runTranspose, args), code) << args[0];
        EXPECT_EQ(out_.str(), printed) << args[0];
        EXPECT_EQ(err_.str(), code == ExitCode::Usage ? usageText() : error);
    }
    EXPECT_EQ(readFile(out), "**n[a-b-c]\r\n! c\r\n4C 8.D#( 8F#)\r\n");
}
