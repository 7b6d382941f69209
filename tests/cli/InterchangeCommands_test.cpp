#include "cli/InterchangeCommands.h"
#include "tests/cli/CliTestSupport.h"
#include "tests/midi/midiTestSupport.h"

using namespace notaro::cli;
using InterchangeCommands = notaro::testing::CliTest;

TEST_F(InterchangeCommands, ImportWritesTheScoreAndReportsOnErrOrFailsInOneLine) {
    const std::string mthd = "4D 54 68 64 00 00 00 06 00 00 00 01 00 60 ";
    const std::string melody = put("m.mid", midiTest::bytesFromHex(mthd) +
                                                midiTest::trackChunk("00 90 3C 64 50 80 3C 00 12 "
                                                                     "90 3E 64 60 80 3E 00 00 FF "
                                                                     "2F 00"));
    const std::string drums = put("d.mid", midiTest::bytesFromHex(mthd) +
                                               midiTest::trackChunk("00 99 24 64 60 89 24 00 00 "
                                                                    "FF 2F 00"));
    EXPECT_EQ(run(runImport, {melody}), ExitCode::Done);
    EXPECT_EQ(out_.str(), "**n[a-b-c]\r\n4c 4d 2: |\r\n");
    EXPECT_EQ(err_.str(), melody + ": took track 0, channel 1, 2 notes; wrote 2 notes\n" + melody +
                              ": 1 notes moved by quantization (at most 0.021 of a beat)\n");
    EXPECT_EQ(run(runImport, {"--grid", "8", "-o", path("m.NTR"), melody}), ExitCode::Done);
    EXPECT_EQ(out_.str(), "");
    EXPECT_EQ(readFile(path("m.NTR")), "**n[a-b-c]\r\n4c 4d 2: |\r\n");
    EXPECT_EQ(run(runImport, {drums}), ExitCode::Failed);
    EXPECT_EQ(err_.str(),
              drums + ": cannot import: no melodic line: every note is on channel 10 (drums).\n");
    EXPECT_EQ(run(runImport, {"--channel", "10", "--track", "1", drums}), ExitCode::Failed);
    EXPECT_EQ(err_.str(), drums + ": cannot import: no notes on track 1, channel 10.\n");
    for (const Args& bad : {Args{"--grid", "12", melody}, Args{"--channel", "0", melody}, Args{}})
        EXPECT_EQ(run(runImport, bad), ExitCode::Usage);
}
